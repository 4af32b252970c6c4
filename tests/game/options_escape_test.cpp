// The OPTIONS screen, and Escape as "back" on the screens off the menu.
#include <vector>

#include "game_fixture.h"
#include "engine/engine_globals.h"

namespace gametest {
namespace {

using namespace game;

bool Shows(const std::vector<Command>& frame, const Command& text) {
    for (const Command& c : frame)
        if (c.Is(text.name, text.args, text.text)) return true;
    return false;
}

// The rows: the window's scale and full screen (here without a window: x1
// and OFF), the volume, Back. The volume row's Left and Right step the
// whole mix by a tenth, between 0 and 1, at once; Back returns to the menu.
TEST_F(GameTest, OptionsVolumeRowStepsTheMixVolumeAndBackReturnsToTheMenu) {
    SetMasterVolume(0.5);
    gameState = STATE_MENU;
    menuIndex = 1;
    Tap(kReturn);
    Pass();
    ASSERT_EQ(gameState, STATE_OPTIONS);
    ASSERT_EQ(optionsIndex, 0);
    Pass();
    for (const Command& c : {Command{"PrintText", {125, 20}, "OPTIONS"}, Command{"PrintText", {20, 50}, ">"},
                             Command{"PrintText", {40, 50}, "WINDOW SCALE"}, Command{"PrintText", {200, 50}, "x1"},
                             Command{"PrintText", {40, 70}, "FULL SCREEN"}, Command{"PrintText", {200, 70}, "OFF"},
                             Command{"PrintText", {40, 90}, "VOLUME"}, Command{"PrintText", {200, 90}, "50%"},
                             Command{"PrintText", {40, 110}, "BACK"}, Command{"PrintText", {10, 135}, "CONTROLS"},
                             Command{"PrintText", {200, 135}, "GAMEPAD"}, Command{"PrintText", {130, 177}, "Return"},
                             Command{"PrintText", {200, 177}, "A, Start"}})
        EXPECT_TRUE(Shows(LastFrame(), c)) << c;
    for (int k = 0; k < 2; ++k) {
        Tap(kDown);
        Passes(5);
    }
    ASSERT_EQ(optionsIndex, 2);
    struct Step {
        int key;
        double volume;
    };
    for (Step s : {Step{kRight, 0.6}, Step{kRight, 0.7}, Step{kLeft, 0.6}}) {
        Tap(s.key);
        std::vector<double> set;
        for (int k = 0; k < 5; ++k) {
            Pass();
            for (const Command& c : LastFrameNamed("SetMasterVolume")) set.push_back(c.args[0]);
        }
        EXPECT_EQ(set, std::vector<double>{s.volume});
        EXPECT_EQ(GetMasterVolume(), s.volume);
    }
    Pass();
    EXPECT_TRUE(Shows(LastFrame(), {"PrintText", {20, 90}, ">"}));
    EXPECT_TRUE(Shows(LastFrame(), {"PrintText", {200, 90}, "60%"}));
    // Held, the volume runs to its ends and stays there.
    for (auto [key, end] : {std::pair{kLeft, 0.0}, std::pair{kRight, 1.0}}) {
        Hold(key);
        Passes(120);
        EXPECT_EQ(GetMasterVolume(), end);
        ReleaseAll();
        Passes(5);
    }
    Tap(kDown);
    Passes(5);
    EXPECT_EQ(optionsIndex, 3);
    Tap(kReturn);
    Passes(5);
    EXPECT_EQ(gameState, STATE_MENU);
    EXPECT_EQ(GetMasterVolume(), 1.0);
    SetMasterVolume(1);
}

// Escape leaves the credits and the options for the menu, and while it is
// still held there the program goes on; pressed again on the menu it ends
// the program as before.
TEST_F(GameTest, EscapeGoesBackFromCreditsAndOptionsThenEndsTheProgramFromTheMenu) {
    auto* input = new InputContext;  // the program's end releases it
    g_input = input;
    {
        testkit::EndCatcher catcher;  // an end here throws out of the test
        for (double screen : {STATE_CREDITS, STATE_OPTIONS}) {
            gameState = screen;
            Passes(30);
            Hold(kEscape);
            for (int k = 0; k < 30 && gameState == screen; ++k) Pass();
            EXPECT_EQ(gameState, STATE_MENU) << screen;
            Passes(30);
            EXPECT_EQ(gameState, STATE_MENU);
            ReleaseAll();
            Passes(2);
        }
    }
    Hold(kEscape);
    EXPECT_EQ(testkit::ExpectProgramEnd([&] { Passes(2); }), 0);
    EXPECT_EQ(g_input, nullptr);
    SetEscapeEnds(1);
}

}  // namespace
}  // namespace gametest
