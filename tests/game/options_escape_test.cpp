// The OPTIONS screen, and Escape as "back" on the screens off the menu.
#include <vector>

#include "game_fixture.h"
#include "engine/engine_globals.h"

namespace gametest {
namespace {

using namespace game;

// The volume row: Left and Right step the whole mix by a tenth, between
// 0 and 1, at once; Back returns to the menu.
TEST_F(GameTest, OptionsVolumeRowStepsTheMixVolumeAndBackReturnsToTheMenu) {
    SetMasterVolume(0.5);
    gameState = STATE_MENU;
    menuIndex = 1;
    Tap(kReturn);
    Pass();
    ASSERT_EQ(gameState, STATE_OPTIONS);
    ASSERT_EQ(optionsIndex, 0);
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
    const std::vector<Command> texts = LastFrameNamed("PrintText");
    ASSERT_GE(texts.size(), 4u);
    EXPECT_TRUE(texts[1].Is("PrintText", {20, 50}, ">")) << texts[1];
    EXPECT_TRUE(texts[2].Is("PrintText", {40, 50}, "VOLUME")) << texts[2];
    EXPECT_TRUE(texts[3].Is("PrintText", {200, 50}, "60%")) << texts[3];
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
    EXPECT_EQ(optionsIndex, 1);
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
