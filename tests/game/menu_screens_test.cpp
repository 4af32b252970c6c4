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
    // Seven keys, each asked for its presses and whether it is held.
    ASSERT_EQ(f.size(), 6u + 14u + 1u);
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

// The menu reads every fifth frame (75 ms). A held key moves the arrow once,
// then again from the first reading 300 ms after its press, then at every
// reading.
TEST_F(GameTest, HeldArrowKeysStepOnceThenRepeatAfterAPauseAndWrap) {
    gameState = STATE_MENU;
    Hold(kDown);
    std::vector<double> seen;
    for (int i = 0; i < 35; ++i) {
        Pass();
        seen.push_back(menuIndex);
    }
    const std::vector<double> expectDown = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1,
                                            1, 1, 2, 2, 2, 2, 2, 3, 3, 3, 3, 3, 4, 4, 4, 4, 4};
    EXPECT_EQ(seen, expectDown);
    Passes(5);
    EXPECT_EQ(menuIndex, 0) << "wrapped at the bottom";

    ReleaseAll();
    Passes(5);
    menuIndex = 0;
    Hold(kUp);
    seen.clear();
    for (int i = 0; i < 25; ++i) {
        Pass();
        seen.push_back(menuIndex);
    }
    EXPECT_EQ(seen, (std::vector<double>{4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 3, 3, 3, 3, 3}));
}

// Whatever the phase of a key's press against the menu's readings, a tap
// shorter than a frame moves the arrow once, and so does a normal 100 ms
// press, at the first reading after it began.
TEST_F(GameTest, TapsAndShortPressesBetweenReadingsMoveTheArrowExactlyOnce) {
    for (int framesDown : {0, 6}) {
        for (int phase = 0; phase < 5; ++phase) {
            SetUpGame();
            gameState = STATE_MENU;
            Passes(1 + phase);  // the first pass reads; the next reading is five frames later
            const double start = menuIndex;
            if (framesDown == 0) {
                Tap(kDown);
                Pass();
            } else {
                Hold(kDown);
                Passes(framesDown);
                ReleaseAll();
            }
            Passes(12);
            EXPECT_EQ(menuIndex, start + 1) << framesDown << " frames down at phase " << phase;
        }
    }
    // Two taps between two readings move it twice, the second at the next reading.
    SetUpGame();
    gameState = STATE_MENU;
    menuIndex = 0;
    Pass();
    Tap(kDown);
    Pass();
    Tap(kDown);
    Passes(4);
    EXPECT_EQ(menuIndex, 1);
    Passes(5);
    EXPECT_EQ(menuIndex, 2);
    Passes(10);
    EXPECT_EQ(menuIndex, 2);
}

TEST_F(GameTest, UpAndDownTogetherLeaveTheArrowAtBothEnds) {
    gameState = STATE_MENU;
    for (double start : {0.0, 4.0, 2.0}) {
        menuIndex = start;
        Hold(kUp);
        Hold(kDown);
        Passes(5);
        EXPECT_EQ(menuIndex, start);
        ReleaseAll();
        Passes(5);
    }
}

TEST_F(GameTest, ReturnOrFireActsOnTheArrowPosition) {
    struct Case {
        double index;
        double state;
    };
    for (int key : {kReturn, kCtrl}) {
        for (Case c : {Case{1, STATE_OPTIONS}, Case{2, STATE_CREDITS}, Case{3, STATE_HISCORES}, Case{4, STATE_QUIT},
                       Case{0, STATE_PLAYING}}) {
            gameState = STATE_MENU;
            menuIndex = c.index;
            Hold(key);
            Pass();
            EXPECT_EQ(gameState, c.state) << "position " << c.index << " key " << key;
            SetUpGame();
        }
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

TEST_F(GameTest, CreditsShowTheirLinesAndLeaveAtTheirFirstReadingAfterAReturn) {
    gameState = STATE_CREDITS;
    lastInputTime = Timer();  // the menu read the keys in this very frame
    Tap(kReturn);             // a tap the old sampling would never see
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
        EXPECT_TRUE(texts[5].Is("PrintText", {85, 180}, "Version " AEROX_VERSION " "));
        if (gameState == STATE_MENU) left = k;
    }
    // The credits read every 375 ms: 22 frames are 366.7 ms, 23 frames 383.3 ms.
    EXPECT_EQ(left, 23);
}

// A key still held when the screen changes does nothing on the new screen
// until it has been released; then it acts at once.
TEST_F(GameTest, AKeyHeldAcrossAScreenChangeWaitsForItsRelease) {
    struct Case {
        double from;
        int key;
        double to;
        double after;  // where the next press of the key leads
    };
    for (Case c : {Case{STATE_CREDITS, kReturn, STATE_MENU, STATE_PLAYING},
                   Case{STATE_GAME_OVER, kReturn, STATE_MENU, STATE_PLAYING},
                   Case{STATE_OPTIONS, kReturn, STATE_MENU, STATE_PLAYING},
                   Case{STATE_MENU, kReturn, STATE_CREDITS, STATE_MENU}}) {
        SetUpGame();
        gameState = c.from;
        menuIndex = c.from == STATE_MENU ? 2 : 0;
        optionsIndex = 3;  // Back
        Hold(c.key);
        Pass();
        ASSERT_EQ(gameState, c.to) << c.from;
        menuIndex = 0;
        Passes(120);  // two seconds, many readings
        EXPECT_EQ(gameState, c.to) << c.from;
        ReleaseAll();
        Pass();
        Hold(c.key);
        for (int k = 0; k < 30 && gameState == c.to; ++k) Pass();
        EXPECT_EQ(gameState, c.after) << c.from;
        ReleaseAll();
    }
}

TEST_F(GameTest, GameOverShowsTwoLinesAndAFreshReturnOrFireReachesTheMenu) {
    for (int key : {kReturn, kCtrl}) {
        SetUpGame();
        gameState = STATE_GAME_OVER;
        lastScore = score = 0;
        Tap(key);
        Pass();
        ASSERT_EQ(LastFrame().size(), 2u + 14u + 7u + 1u);
        EXPECT_TRUE(LastFrame()[0].Is("PrintText", {120, 50}, "GAME OVER"));
        EXPECT_TRUE(LastFrame()[1].Is("PrintText", {70, 90}, "PRESS SELECT"));
        EXPECT_EQ(gameState, STATE_MENU) << key;
    }
}

// Fire held through the last death: the game-over screen stays until a new
// press.
TEST_F(GameTest, FireHeldThroughTheLastDeathDoesNotSkipTheGameOverScreen) {
    StartGame();
    NoEnemies();
    player.lives = 1;
    Hold(kCtrl);
    Passes(5);
    PlayerHit();
    for (int k = 0; k < 400 && gameState == STATE_PLAYING; ++k) Pass();
    ASSERT_EQ(gameState, STATE_GAME_OVER);
    Passes(120);
    EXPECT_EQ(gameState, STATE_GAME_OVER);
    ReleaseAll();
    Pass();
    Hold(kCtrl);
    for (int k = 0; k < 30 && gameState == STATE_GAME_OVER; ++k) Pass();
    EXPECT_EQ(gameState, STATE_MENU);
}

// Play reads the held keys every frame as before; a tap that came and went
// between two frames now counts as held in the next one.
TEST_F(GameTest, PlayTakesATapShorterThanAFrameAsHeldForOneFrame) {
    StartGame();
    NoEnemies();
    Passes(20);
    const double x = player.x;
    Tap(kLeft);
    Tap(kCtrl);
    Pass();
    EXPECT_EQ(player.x, x - 2);
    EXPECT_EQ(LastFrameNamed("PlaySound").size(), 1u) << "the tap fired a shot";
    Pass();
    EXPECT_EQ(player.x, x - 2) << "one frame only";
    EXPECT_EQ(LastFrameNamed("PlaySound").size(), 0u);
}

// Play samples the keys in every frame, and that sampling counts as input
// for the game-over screen's delay. A Return held from the menu through the
// whole game does nothing there; a new press right after the game ends is
// seen at the screen's first reading, 375 ms after the last frame of play.
TEST_F(GameTest, GameOverIgnoresAReturnHeldThroughPlayAndReadsANewOneAfter375Ms) {
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
    Passes(100);
    EXPECT_EQ(gameState, STATE_GAME_OVER) << "the held Return is not a press";

    SetUpGame();
    gameState = STATE_MENU;
    Hold(kReturn);
    Pass();
    NoEnemies();
    player.lives = 1;
    PlayerHit();
    for (int k = 0; k < 1000 && gameState == STATE_PLAYING; ++k) Pass();
    ASSERT_EQ(gameState, STATE_GAME_OVER);
    ReleaseAll();
    Pass();
    Tap(kReturn);
    int shown = 1;
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
