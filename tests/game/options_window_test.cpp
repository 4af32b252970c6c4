// The OPTIONS rows of the window on the real engine, on a private X server
// with room for three times the screen: Left and Right change the scale the
// screen is shown at, within what the display holds.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "engine/engine_globals.h"
#include "engine/startup.h"
#include "game/game_state.h"
#include "input/input_context.h"
#include "testkit/private_x_server.h"
#include "testkit/testkit.h"

namespace gametest {
namespace {

using namespace game;

constexpr int kLeft = 203, kRight = 205, kDown = 208, kReturn = 28;

std::set<int> g_taps;

class OptionsWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(x_.running()) << "cannot start Xvfb";
        // The engine keeps the window's settings: in a folder of this test's.
        userDirVariable_.Set(userDir_.path());
        g_settings.DebugMode = 1;  // no pause for another window's focus
        {
            testkit::EndCatcher catcher;
            try {
                EngineInit("Aerox");
            } catch (const testkit::ProgramEnded&) {
                FAIL() << "the window could not be created";
            }
        }
        SetKeySource(
            [](uint8_t keys[256], void*) {
                for (int k = 0; k < 256; ++k) keys[k] = 0;
                for (int k : g_taps) keys[k] = 0x01;
                g_taps.clear();
            },
            nullptr);
        SetUpGlobals();
        gameState = STATE_OPTIONS;
        optionsIndex = 0;
    }
    void TearDown() override {
        SetKeySource(nullptr, nullptr);
        testkit::ExpectProgramEnd([] { EndProgram(); });
    }
    // A tap, then the frames up to and past the screen's next reading.
    void Press(int key) {
        g_taps.insert(key);
        for (int k = 0; k < 6; ++k) StateLoopPass();
    }

    PrivateXServer x_{"1280x1024x24"};
    testkit::TempFolder userDir_;
    testkit::KeptEnvironmentVariable userDirVariable_{"AEROX_USER_DIR"};
    testkit::VirtualClock clock_{1000.0};
};

TEST_F(OptionsWindowTest, TheScaleRowStepsTheWindowScaleWithinTheDisplay) {
    const double most = GetMaxWindowScale();
    ASSERT_GE(most, 3);
    for (int k = 0; k < 16 && GetWindowScale() > 1; ++k) Press(kLeft);
    Press(kLeft);
    ASSERT_EQ(GetWindowScale(), 1);
    for (double scale = 2; scale <= most; ++scale) {
        Press(kRight);
        EXPECT_EQ(GetWindowScale(), scale);
    }
    Press(kRight);
    EXPECT_EQ(GetWindowScale(), most);
    EXPECT_EQ(gameState, STATE_OPTIONS);
}

// The full-screen row: Return, Left or Right switch between the window and
// the full screen.
TEST_F(OptionsWindowTest, TheFullScreenRowSwitchesTheWindowAndTheFullScreen) {
    ASSERT_EQ(GetFullscreen(), 0);
    Press(kDown);
    ASSERT_EQ(optionsIndex, 1);
    for (int key : {kReturn, kRight, kLeft}) {
        const double before = GetFullscreen();
        Press(key);
        EXPECT_EQ(GetFullscreen(), 1 - before) << key;
    }
}

}  // namespace
}  // namespace gametest
