// The window at any size on private X servers of known sizes: the scale it
// opens at, the frame scaled into it by a whole factor with black bars, a
// resize, desktop full screen and back, and a frame read back the same at
// every scale.
#include <SDL.h>
#include <SDL_opengl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstdint>
#include <string>
#include <vector>

#include "aerox/aerox.h"
#include "engine/saved_settings.h"
#include "frame/frame_fixture.h"
#include "frame/presenter.h"
#include "gfx/engine_context.h"
#include "gfx/offscreen_frame.h"
#include "gfx/window.h"
#include "testkit/private_x_server.h"
#include "testkit/window_pixels.h"

using namespace frametest;

namespace {

using testkit::ShowAndReadWindow;
using testkit::WindowPixels;

uint32_t FrameAt(const std::vector<uint8_t>& frame, int x, int y) { return testkit::FrameRgb(frame, x, y); }

// A frame where neighbouring pixels differ, so that any misplaced pixel shows.
void DrawPattern() {
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_POINTS);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) {
            glColor3ub(static_cast<GLubyte>(x * 7 + y), static_cast<GLubyte>(y * 5 + x * 3), static_cast<GLubyte>(x ^ y));
            glVertex2f(static_cast<float>(x) + 0.5f, -(static_cast<float>(y) + 0.5f));
        }
    glEnd();
    glColor4f(1, 1, 1, 1);
}

// Pumps SDL's events until the condition holds, at most five seconds.
template <typename Condition>
bool PumpUntil(Condition condition) {
    const Uint64 start = SDL_GetTicks64();
    while (SDL_GetTicks64() - start < 5000) {
        SDL_PumpEvents();
        if (condition()) return true;
        SDL_Delay(20);
    }
    return false;
}

// The engine context as start-up makes it, on the current X server.
class ScaledWindow {
public:
    explicit ScaledWindow(int scale) {
        SDL_InitSubSystem(SDL_INIT_VIDEO);
        g_engine = new OpenGLZodadodu;
        ok = CreateGameWindow(*g_engine, 320, 240, 0, 60, 0, scale);
    }
    ~ScaledWindow() {
        delete g_engine;
        g_engine = nullptr;
        SDL_Quit();
    }
    OpenGLZodadodu& context() { return *g_engine; }
    std::pair<int, int> Size() const {
        int w = 0, h = 0;
        SDL_GetWindowSize(g_engine->window, &w, &h);
        return {w, h};
    }
    bool ok = false;
};

// Every frame pixel (x, y) at window pixel (left + s x + s / 2, top + s y + s / 2).
void ExpectFrameAt(const WindowPixels& window, const std::vector<uint8_t>& frame, int scale, int left, int top) {
    int wrong = 0;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x)
            if (window.At(left + scale * x + scale / 2, top + scale * y + scale / 2) != FrameAt(frame, x, y) &&
                ++wrong <= 3)
                ADD_FAILURE() << "frame pixel " << x << "," << y << " at scale " << scale;
    EXPECT_EQ(0, wrong);
}

}  // namespace

TEST(WindowScale, OpensAtTheLargestScaleFillingAtMost85PercentOfTheDisplay) {
    PrivateTempDirectory temp;
    struct Case {
        const char* screen;
        int requested;
        std::pair<int, int> size;
    } cases[] = {
        {"1920x1080x24", 0, {960, 720}},
        {"640x480x24", 0, {320, 240}},
        {"1920x1080x24", 2, {640, 480}},
        {"1920x1080x24", 9, {1280, 960}},  // too large: the largest that fits, logged
    };
    for (const Case& c : cases) {
        PrivateXServer x(c.screen);
        ASSERT_TRUE(x.running());
        ScaledWindow window(c.requested);
        ASSERT_TRUE(window.ok) << SDL_GetError();
        EXPECT_EQ(c.size, window.Size()) << c.screen << " asking for " << c.requested;
        EXPECT_EQ(c.size.first / 320, window.context().windowScale);
        EXPECT_EQ(c.size.first / 320, ShownWindowScale(window.context()));
    }
    EXPECT_NE(std::string::npos, temp.LogText().find("Window scale 9 does not fit the display: 4\r\n"))
        << temp.LogText();
}

// Both ways to the window: the GL blit, and the window's own pixel surface
// that a software GL uses.
class WindowScaleBothWays : public ::testing::TestWithParam<bool> {};
INSTANTIATE_TEST_SUITE_P(WindowScale, WindowScaleBothWays, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "ThroughSurface" : "ThroughGlBlit"; });

TEST_P(WindowScaleBothWays, FrameFillsTheWindowByWholeFactorsWithBlackBarsAtEverySize) {
    PrivateTempDirectory temp;
    PrivateXServer x("1920x1080x24");
    ASSERT_TRUE(x.running());
    ScaledWindow window(3);
    ASSERT_TRUE(window.ok) << SDL_GetError();
    ASSERT_TRUE(HasOffscreenFrame(window.context()));
    window.context().framesThroughSurface = GetParam();
    DrawPattern();
    const std::vector<uint8_t> frame = ReadBackBuffer(window.context());

    WindowPixels shown = ShowAndReadWindow(window.context());
    EXPECT_EQ(GetParam(), shown.throughSurface);
    ASSERT_EQ(960, shown.width);
    ASSERT_EQ(720, shown.height);
    ExpectFrameAt(shown, frame, 3, 0, 0);
    // Each frame pixel is a whole 3 x 3 block, not a blend of neighbours.
    EXPECT_EQ(shown.At(3 * 10, 3 * 20), FrameAt(frame, 10, 20));
    EXPECT_EQ(shown.At(3 * 10 + 2, 3 * 20 + 2), FrameAt(frame, 10, 20));
    // A band of the frame changes, then changes back: the window follows.
    glDisable(GL_TEXTURE_2D);
    glColor3ub(255, 255, 255);
    glRectf(0, -110, 320, -100);
    glColor4f(1, 1, 1, 1);
    const std::vector<uint8_t> banded = ReadBackBuffer(window.context());
    ASSERT_NE(frame, banded);
    ExpectFrameAt(ShowAndReadWindow(window.context()), banded, 3, 0, 0);
    DrawPattern();
    ExpectFrameAt(ShowAndReadWindow(window.context()), frame, 3, 0, 0);

    // The player drags the window to 700 x 500: twice the size, centred.
    SDL_SetWindowSize(window.context().window, 700, 500);
    ASSERT_TRUE(PumpUntil([&] { return window.Size() == std::make_pair(700, 500); }));
    EXPECT_EQ(2, GetWindowScale());
    shown = ShowAndReadWindow(window.context());
    ASSERT_EQ(700, shown.width);
    ExpectFrameAt(shown, frame, 2, 30, 10);
    for (auto [bx, by] : {std::pair{0, 0}, {29, 250}, {670, 250}, {350, 9}, {350, 490}, {699, 499}})
        EXPECT_EQ(0u, shown.At(bx, by)) << "bar at " << bx << "," << by;
    EXPECT_EQ(frame, ReadBackBuffer(window.context())) << "the frame itself never changes with the window";

    // Smaller than the screen: the whole frame shrunk into it, not cropped.
    SDL_SetWindowSize(window.context().window, 160, 120);
    ASSERT_TRUE(PumpUntil([&] { return window.Size() == std::make_pair(160, 120); }));
    shown = ShowAndReadWindow(window.context());
    const auto fromBlock = [&](uint32_t shownPixel, int x, int y) {
        for (int dy = 0; dy < 2; ++dy)
            for (int dx = 0; dx < 2; ++dx)
                if (shownPixel == FrameAt(frame, x + dx, y + dy)) return true;
        return false;
    };
    EXPECT_TRUE(fromBlock(shown.At(159, 119), 318, 238)) << "the far corner is shown";
    EXPECT_TRUE(fromBlock(shown.At(0, 0), 0, 0));

    // The options screen's command: back to scale 1, the same frame.
    SetWindowScale(1);
    ASSERT_TRUE(PumpUntil([&] { return window.Size() == std::make_pair(320, 240); }));
    EXPECT_EQ(1, GetWindowScale());
    EXPECT_EQ(4, GetMaxWindowScale());
    ExpectFrameAt(ShowAndReadWindow(window.context()), frame, 1, 0, 0);
    EXPECT_EQ(frame, ReadBackBuffer(window.context()));

    // From the next frame on, a window of exactly the screen's size is drawn
    // into directly; growing it again goes back through the offscreen frame.
    FramePresent(window.context());
    EXPECT_TRUE(window.context().frame.drawsDirect);
    DrawPattern();
    EXPECT_EQ(frame, ReadBackBuffer(window.context()));
    ExpectFrameAt(ShowAndReadWindow(window.context()), frame, 1, 0, 0);
    SetWindowScale(2);
    ASSERT_TRUE(PumpUntil([&] { return window.Size() == std::make_pair(640, 480); }));
    FramePresent(window.context());
    EXPECT_FALSE(window.context().frame.drawsDirect);
    DrawPattern();
    EXPECT_EQ(frame, ReadBackBuffer(window.context()));
    ExpectFrameAt(ShowAndReadWindow(window.context()), frame, 2, 0, 0);
}

TEST(DesktopFullscreen, FillsA1024x768ScreenWithoutAModeSwitchAndComesBack) {
    PrivateTempDirectory temp;
    PrivateXServer x("1024x768x24", true);
    ASSERT_TRUE(x.running()) << "Xvfb with openbox";
    ScaledWindow window(0);
    ASSERT_TRUE(window.ok) << SDL_GetError();
    ASSERT_EQ(std::make_pair(640, 480), window.Size());
    DrawPattern();
    const std::vector<uint8_t> frame = ReadBackBuffer(window.context());
    SDL_DisplayMode before{};
    SDL_GetCurrentDisplayMode(0, &before);

    SetFullscreen(1);
    ASSERT_TRUE(PumpUntil([&] { return window.Size() == std::make_pair(1024, 768); })) << "not full screen";
    EXPECT_EQ(1, GetFullscreen());
    EXPECT_FALSE(window.context().fullScreen) << "no display mode switch";
    SDL_DisplayMode during{};
    SDL_GetCurrentDisplayMode(0, &during);
    EXPECT_EQ(before.w, during.w);
    EXPECT_EQ(before.h, during.h);
    EXPECT_EQ(3, GetWindowScale());
    // The GL sees the window's new size at the next buffer swap: the
    // presenter's next frame.
    FramePresent(window.context());
    DrawPattern();
    const WindowPixels shown = ShowAndReadWindow(window.context());
    ASSERT_EQ(1024, shown.width);
    ExpectFrameAt(shown, frame, 3, 32, 24);
    for (auto [bx, by] : {std::pair{0, 0}, {31, 400}, {992, 400}, {500, 23}, {500, 744}, {1023, 767}})
        EXPECT_EQ(0u, shown.At(bx, by)) << "bar at " << bx << "," << by;
    EXPECT_EQ(frame, ReadBackBuffer(window.context()));

    SetFullscreen(0);
    ASSERT_TRUE(PumpUntil([&] { return window.Size() == std::make_pair(640, 480); })) << "not back";
    EXPECT_EQ(0, GetFullscreen());
    EXPECT_EQ(2, GetWindowScale());
    FramePresent(window.context());
    DrawPattern();
    ExpectFrameAt(ShowAndReadWindow(window.context()), frame, 2, 0, 0);
}

// The player's window choices, made through the game's commands or the
// full-screen keys, are in settings.ini at once for the next run.
TEST(WindowScale, ThePlayersChoicesAreKeptForTheNextRun) {
    PrivateTempDirectory temp;
    PrivateXServer x("1024x768x24");
    ASSERT_TRUE(x.running());
    ScaledWindow window(2);
    ASSERT_TRUE(window.ok) << SDL_GetError();
    LoadSessionSettings();
    KeepWindowChoices();
    const std::string file = std::string(std::getenv("AEROX_USER_DIR")) + "/settings.ini";
    SetWindowScale(1);
    EXPECT_EQ(1, LoadSessionSettings().scale) << testkit::ReadFile(file);
    SetFullscreen(1);
    EXPECT_TRUE(LoadSessionSettings().fullscreen) << testkit::ReadFile(file);
    SetFullscreen(0);
    EXPECT_FALSE(LoadSessionSettings().fullscreen);
    SetWindowChoiceObserver(nullptr);
}
