-- Aerox's main menu as a LOVE user would write it: the title picture drawn
-- additively at 0.75, the menu picture, the arrow and the score line, at 60
-- frames per second with a sleep limiter on the 1/60 s grid.
--   love bench/love_menu <game folder holding data/> [seconds to measure, default 10]
-- After one second to settle it measures for the given seconds and prints
-- "figure <name> <value>" lines: how far each wake-up lies behind its slot
-- of the grid (negative: early) and the frames lost (slots skipped because
-- the frame was not done in time), then quits.

local gameDir, seconds
local pictures = {}
local period = 1 / 60
local errors, lost = {}, 0
local startAt

-- The game's own pictures, read from the built data folder (outside LOVE's
-- sandbox, so through Lua's io).
local function picture(name)
    local file = assert(io.open(gameDir .. "/data/" .. name, "rb"))
    local bytes = file:read("*a")
    file:close()
    local image = love.graphics.newImage(love.image.newImageData(love.filesystem.newFileData(bytes, name)))
    image:setFilter("nearest", "nearest")
    return image
end

function love.load(args)
    gameDir = args[1] or "."
    seconds = tonumber(args[2] or "10") or 10
    pictures.title = picture("background.bmp")
    pictures.menu = picture("mainmenue.bmp")
    pictures.arrow = picture("arrow.bmp")
end

function love.draw()
    love.graphics.setBlendMode("add")
    love.graphics.setColor(0.75, 0.75, 0.75, 1)
    love.graphics.draw(pictures.title, 60, 0)
    love.graphics.setBlendMode("alpha")
    love.graphics.setColor(1, 1, 1, 1)
    love.graphics.draw(pictures.arrow, 0, 145)
    love.graphics.draw(pictures.menu, 10, 145)
    love.graphics.print("Score: 0", 125, 220)
end

local function percentile(values, p)
    local sorted = {}
    for i, v in ipairs(values) do sorted[i] = v end
    table.sort(sorted)
    if #sorted == 0 then return 0 end
    return sorted[math.min(#sorted, math.floor(p * #sorted) + 1)]
end

local function report()
    io.write(string.format("figure frames %d\n", #errors + lost))
    io.write(string.format("figure lost_frames %d\n", lost))
    io.write(string.format("figure release_median_ms %.6f\n", percentile(errors, 0.5)))
    io.write(string.format("figure release_p99_ms %.6f\n", percentile(errors, 0.99)))
    io.write(string.format("figure release_max_ms %.6f\n", percentile(errors, 1.0)))
    io.flush()
end

-- LOVE's own loop with the limiter in place of its fixed 1 ms sleep.
function love.run()
    love.load(love.arg.parseGameArguments(arg))
    love.timer.step()
    local nextAt = love.timer.getTime() + period
    local settleUntil = love.timer.getTime() + 1
    return function()
        love.event.pump()
        for name, a, b, c, d, e, f in love.event.poll() do
            if name == "quit" then return a or 0 end
            love.handlers[name](a, b, c, d, e, f)
        end
        love.timer.step()
        love.graphics.origin()
        love.graphics.clear(love.graphics.getBackgroundColor())
        love.draw()
        love.graphics.present()
        local now = love.timer.getTime()
        local measuring = now > settleUntil
        if measuring and startAt == nil then startAt = now end
        if now > nextAt then
            -- Too late for this slot: the next one on the grid.
            while nextAt < now do
                nextAt = nextAt + period
                if measuring then lost = lost + 1 end
            end
        end
        love.timer.sleep(nextAt - now)
        if measuring then errors[#errors + 1] = (love.timer.getTime() - nextAt) * 1000 end
        nextAt = nextAt + period
        if startAt ~= nil and love.timer.getTime() - startAt >= seconds then
            report()
            return 0
        end
    end
end
