-- The menu scene's window: 320x240, no vsync (the limiter in main.lua paces
-- the frames), and only the modules the scene uses.
function love.conf(t)
    t.identity = "aerox-menu-peer"
    t.window.title = "menu (LOVE)"
    t.window.width = 320
    t.window.height = 240
    t.window.vsync = 0
    t.modules.audio = false
    t.modules.sound = false
    t.modules.joystick = false
    t.modules.physics = false
    t.modules.touch = false
    t.modules.video = false
end
