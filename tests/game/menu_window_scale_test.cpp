// The game's own menu on a 1920x1080 screen: the window opens at three
// times the screen, and every pixel of a whole menu frame shows as a 3 x 3
// block of the window.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "aerox/aerox.h"
#include "engine/engine_globals.h"
#include "engine/startup.h"
#include "game/game.h"
#include "game/game_state.h"
#include "testkit/private_x_server.h"
#include "testkit/testkit.h"
#include "testkit/window_pixels.h"

namespace {

struct MenuCapture {
    int menuFrames = 0;
    std::vector<uint8_t> frame;
    testkit::WindowPixels window;
    bool done = false;
};
MenuCapture* g_capture = nullptr;

void Observe(OpenGLZodadodu& context, void*) {
    if (g_capture->done || game::gameState != game::STATE_MENU || ++g_capture->menuFrames < 30) return;
    g_capture->frame = ReadBackBuffer(context);
    g_capture->window = testkit::ShowAndReadWindow(context);
    g_capture->done = true;
}

// Escape, once the frame is taken: the program's ordinary end.
void Keys(uint8_t keys[256], void*) {
    std::memset(keys, 0, 256);
    if (g_capture->done) keys[1] = 0x80;
}

}  // namespace

TEST(MenuWindowScale, AWholeMenuFrameShowsAtThreeTimesItsSize) {
    const char* gameDir = std::getenv("AEROX_GAME_DIR");
    ASSERT_NE(gameDir, nullptr);
    PrivateXServer x("1920x1080x24");
    ASSERT_TRUE(x.running());
    testkit::TempFolder temp;
    setenv("TMPDIR", temp.path().c_str(), 1);
    MenuCapture capture;
    g_capture = &capture;
    testkit::VirtualClock clock;
    const double code = testkit::ExpectProgramEnd([&] {
        EngineInit("Aerox");
        AutoPause = false;
        // The game's assets sit beside the game, not beside the tests.
        ASSERT_EQ(chdir(gameDir), 0);
        LoadFont("smalfont.bmp", 0);
        SetKeySource(&Keys, nullptr);
        SetFrameObserver(&Observe, nullptr);
        GameMain();
    });
    SetFrameObserver(nullptr, nullptr);
    SetKeySource(nullptr, nullptr);
    g_capture = nullptr;
    EXPECT_EQ(0, code);
    ASSERT_TRUE(capture.done) << "no menu frame";
    const testkit::WindowPixels& window = capture.window;
    ASSERT_EQ(960, window.width);
    ASSERT_EQ(720, window.height);
    int lit = 0, wrong = 0;
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) {
            const uint32_t pixel = testkit::FrameRgb(capture.frame, x, y);
            lit += pixel != 0 ? 1 : 0;
            if (window.At(3 * x + 1, 3 * y + 1) != pixel && ++wrong <= 3)
                ADD_FAILURE() << "menu pixel " << x << "," << y;
        }
    EXPECT_EQ(0, wrong);
    EXPECT_GT(lit, 5000) << "the menu's pictures are in the frame";
}
