// The virtual buttons, the main menu, the text screens and the status line.
#include <vector>

#include "game_fixture.h"

namespace gametest {
namespace {

using namespace game;

TEST_F(GameTest, MenuFrameDrawsBackgroundArrowMenuAndLastScoreThenSamplesKeys) {
    gameState = STATE_MENU;
    menuIndex = 2;
    lastScore = 1230;
    Pass();
    const std::vector<Command>& f = LastFrame();
    ASSERT_EQ(f.size(), 6u + 6u + 1u);
    EXPECT_TRUE(f[0].Is("AlphaMode", {0.75}));
    EXPECT_TRUE(f[1].Is("DrawSprite", {3, 60, 0}));
    EXPECT_TRUE(f[2].Is("AlphaMode", {0}));
    EXPECT_TRUE(f[3].Is("DrawSprite", {4, 0, 145 + 18 * 2}));
    EXPECT_TRUE(f[4].Is("DrawSprite", {2, 10, 145}));
    EXPECT_TRUE(f[5].Is("PrintText", {125, 220}, "Score: 1230")) << f[5];
    for (size_t i = 6; i < f.size(); ++i) EXPECT_EQ(f[i].name, "Poll");
    EXPECT_EQ(gameState, STATE_MENU);
}

TEST_F(GameTest, MenuScoreLineShowsZeroBeforeTheFirstGameEnds) {
    gameState = STATE_MENU;
    Pass();
    EXPECT_TRUE(LastFrame()[5].Is("PrintText", {125, 220}, "Score: 0")) << LastFrame()[5];
}

// A held key is one press per 75 ms: at 60 frames a second, every fifth frame.
TEST_F(GameTest, HeldArrowKeysStepEveryFifthFrameAndWrap) {
    gameState = STATE_MENU;
    Hold(kDown);
    std::vector<double> seen;
    for (int i = 0; i < 30; ++i) {
        Pass();
        seen.push_back(menuIndex);
    }
    const std::vector<double> expectDown = {1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 3, 3, 3, 3, 3,
                                            4, 4, 4, 4, 4, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1};
    EXPECT_EQ(seen, expectDown);

    ReleaseAll();
    Passes(5);
    menuIndex = 0;
    Hold(kUp);
    seen.clear();
    for (int i = 0; i < 10; ++i) {
        Pass();
        seen.push_back(menuIndex);
    }
    EXPECT_EQ(seen, (std::vector<double>{4, 4, 4, 4, 4, 3, 3, 3, 3, 3}));
}

TEST_F(GameTest, UpAndDownTogetherLeaveTheArrowAtBothEnds) {
    gameState = STATE_MENU;
    Hold(kUp);
    Hold(kDown);
    for (double start : {0.0, 4.0, 2.0}) {
        menuIndex = start;
        Passes(5);
        EXPECT_EQ(menuIndex, start);
    }
}

TEST_F(GameTest, ReturnActsOnTheArrowPosition) {
    struct Case {
        double index;
        double state;
    };
    for (Case c : {Case{1, STATE_BLANK}, Case{2, STATE_CREDITS}, Case{3, STATE_MENU}, Case{4, STATE_QUIT},
                   Case{0, STATE_PLAYING}}) {
        gameState = STATE_MENU;
        menuIndex = c.index;
        Hold(kReturn);
        Pass();
        EXPECT_EQ(gameState, c.state) << "position " << c.index;
        ReleaseAll();
        lastInputTime = 0;  // the next sampling is free again
    }
}

TEST_F(GameTest, TheFrameThatStartsAGameStillMovesTheArrow) {
    gameState = STATE_MENU;
    menuIndex = 0;
    Hold(kReturn);
    Hold(kDown);
    Pass();
    EXPECT_EQ(gameState, STATE_PLAYING);
    EXPECT_EQ(menuIndex, 1);
}

TEST_F(GameTest, CreditsShowTheirLinesAndLeaveOnReturnAfter375Ms) {
    gameState = STATE_CREDITS;
    lastInputTime = Timer();  // the menu sampled in this very frame
    Hold(kReturn);
    int left = -1;
    for (int k = 0; k < 40 && left < 0; ++k) {
        Pass();
        const std::vector<Command> texts = LastFrameNamed("PrintText");
        ASSERT_EQ(texts.size(), 6u);
        EXPECT_TRUE(texts[0].Is("PrintText", {120, 10}, "Aerox"));
        EXPECT_TRUE(texts[1].Is("PrintText", {5, 50}, "Code by the Aerox team")) << texts[1];
        EXPECT_TRUE(texts[2].Is("PrintText", {10, 70}, "Graphics by the Aerox team")) << texts[2];
        EXPECT_TRUE(texts[3].Is("PrintText", {60, 90}, "Musci and Sound "));
        EXPECT_TRUE(texts[4].Is("PrintText", {90, 110}, "by Internet "));
        EXPECT_TRUE(texts[5].Is("PrintText", {85, 180}, "Version 1.0 "));
        EXPECT_EQ(LastFrame().size(), 6u + (gameState == STATE_MENU ? 6u : 0u) + 1u);
        if (gameState == STATE_MENU) left = k;
    }
    // 22 frames are 366.7 ms, 23 frames 383.3 ms.
    EXPECT_EQ(left, 23);
}

TEST_F(GameTest, GameOverShowsTwoLinesAndReturnHeldReachesTheMenuOneDelayLater) {
    gameState = STATE_GAME_OVER;
    menuIndex = 0;
    lastScore = score = 40;
    Hold(kReturn);
    Pass();
    ASSERT_EQ(LastFrame().size(), 2u + 6u + 1u);
    EXPECT_TRUE(LastFrame()[0].Is("PrintText", {120, 50}, "GAME OVER"));
    EXPECT_TRUE(LastFrame()[1].Is("PrintText", {70, 90}, "PRESS SELECT"));
    ASSERT_EQ(gameState, STATE_MENU);
    // The menu sees the held Return only once 75 ms have passed since the
    // game-over screen sampled it: then it starts a game at position 0.
    for (int k = 1; k <= 4; ++k) {
        Pass();
        EXPECT_EQ(gameState, STATE_MENU) << k;
        EXPECT_TRUE(LastFrame()[5].Is("PrintText", {125, 220}, "Score: 40"));
    }
    Pass();
    EXPECT_EQ(gameState, STATE_PLAYING);
    EXPECT_EQ(lastScore, 40);
    EXPECT_EQ(score, 0);
}

// Play samples the keys in every frame, and that sampling counts as input
// for the game-over screen's delay: a Return held from the menu through the
// whole game is seen there only 375 ms after the last frame of play.
TEST_F(GameTest, GameOverIgnoresAReturnHeldThroughPlayFor375Ms) {
    gameState = STATE_MENU;
    menuIndex = 0;
    Hold(kReturn);
    Pass();
    ASSERT_EQ(gameState, STATE_PLAYING);
    NoEnemies();
    player.lives = 1;
    Passes(3);
    PlayerHit();
    double lastPlayTimer = 0;
    for (int k = 0; k < 1000 && gameState == STATE_PLAYING; ++k) {
        lastPlayTimer = Timer();
        Pass();
    }
    ASSERT_EQ(gameState, STATE_GAME_OVER);
    EXPECT_EQ(lastInputTime, lastPlayTimer);
    int shown = 0;
    while (gameState == STATE_GAME_OVER && shown < 100) {
        Pass();
        ++shown;
    }
    // 22 frames are 366.7 ms, 23 frames 383.3 ms.
    EXPECT_EQ(shown, 23);
    EXPECT_EQ(gameState, STATE_MENU);
}

TEST_F(GameTest, ReadControlsFillsTheSixButtonsAndClearsTheRest) {
    for (double i = 0; i < 13; ++i) buttons(i) = 1;
    for (int code : {kLeft, kRight, kUp, kDown, kReturn, kCtrl}) Hold(code);
    ReadControls(0);
    const std::vector<double> expect = {1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 1, 0};
    for (int i = 0; i < 13; ++i) EXPECT_EQ(buttons(i), expect[i]) << i;
    // Within the delay nothing is read and every button is 0.
    ReadControls(75);
    ReadControls(75);
    for (int i = 0; i < 13; ++i) EXPECT_EQ(buttons(i), 0) << i;
}

TEST_F(GameTest, StatusLineRightAlignsTheScoreAndPrintsTheLives) {
    struct Case {
        double score;
        double x;
    };
    player.lives = 3;
    for (Case c : {Case{0, 140}, Case{50, 130}, Case{12340, 100}}) {
        score = c.score;
        BeginRecord();
        DrawStatusLine();
        const std::vector<Command>& f = LastFrame();
        ASSERT_EQ(f.size(), 4u);
        EXPECT_TRUE(f[0].Is("PrintText", {0, 0}, "Score"));
        EXPECT_TRUE(f[1].Is("PrintNumber", {c.score, c.x, 0})) << f[1];
        EXPECT_TRUE(f[2].Is("PrintText", {220, 0}, "Lives"));
        EXPECT_TRUE(f[3].Is("PrintNumber", {3, 300, 0}));
    }
}

}  // namespace
}  // namespace gametest
