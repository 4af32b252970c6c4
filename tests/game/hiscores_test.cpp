// The HI-SCORES table and the initials entry after a game over.
#include <string>
#include <vector>

#include "game_fixture.h"

namespace gametest {
namespace {

using namespace game;

class HiScoreTest : public GameTest {
protected:
    // A tap, then the frames up to and past the screen's next reading.
    void Press(int key) {
        Tap(key);
        Passes(5);
    }
    // The texts of one more frame: what the screen shows now.
    std::vector<Command> Texts() {
        Pass();
        return LastFrameNamed("PrintText");
    }
};

// Up and Down change the letter (wrapping), Left and Right move, Return or
// fire takes the next letter and, on the last, enters the score and shows
// the table with the new row marked.
TEST_F(HiScoreTest, AGameOverThatMakesTheTableAsksForInitialsArcadeStyle) {
    AddHiScore(5000, "TOP");
    AddHiScore(100, "LOW");
    gameState = STATE_GAME_OVER;
    lastScore = 1230;
    Pass();
    EXPECT_TRUE(LastFrame()[0].Is("PrintText", {120, 50}, "GAME OVER"));
    ASSERT_EQ(gameState, STATE_INITIALS);
    EXPECT_TRUE(Texts()[1].Is("PrintText", {75, 80}, "NEW HI-SCORE 1230"));
    for (int key : {kUp, kUp, kReturn, kDown, kLeft, kUp, kRight, kRight, kUp}) Press(key);
    const std::vector<Command> t = Texts();
    ASSERT_GE(t.size(), 6u);
    EXPECT_TRUE(t[2].Is("PrintText", {140, 120}, "D")) << t[2];
    EXPECT_TRUE(t[3].Is("PrintText", {160, 120}, "Z")) << t[3];
    EXPECT_TRUE(t[4].Is("PrintText", {180, 120}, "B")) << t[4];
    EXPECT_TRUE(t[5].Is("PrintText", {180, 132}, "^")) << t[5];
    EXPECT_EQ(gameState, STATE_INITIALS);
    Press(kCtrl);
    ASSERT_EQ(gameState, STATE_HISCORES);
    EXPECT_EQ(HiScoreCount(), 3);
    EXPECT_EQ(HiScoreValue(1), 1230);
    EXPECT_EQ(std::string(HiScoreName(1).Text()), "DZB");
    const std::vector<Command> table = Texts();
    ASSERT_EQ(table.size(), 1u + 10u + 1u);
    EXPECT_TRUE(table[0].Is("PrintText", {115, 20}, "HI-SCORES"));
    EXPECT_TRUE(table[1].Is("PrintText", {60, 45}, " 1.  TOP      5000")) << table[1];
    EXPECT_TRUE(table[2].Is("PrintText", {60, 62}, " 2.  DZB      1230")) << table[2];
    EXPECT_TRUE(table[3].Is("PrintText", {40, 62}, ">")) << table[3];
    EXPECT_TRUE(table[4].Is("PrintText", {60, 79}, " 3.  LOW       100")) << table[4];
    EXPECT_TRUE(table[11].Is("PrintText", {60, 198}, "10.  ---")) << table[11];
    Press(kReturn);
    EXPECT_EQ(gameState, STATE_MENU);
}

TEST_F(HiScoreTest, AScoreBelowAFullTableGetsTheGameOverScreenAsBefore) {
    for (int i = 0; i < 10; ++i) AddHiScore(5000, "AAA");
    gameState = STATE_GAME_OVER;
    lastScore = 4990;
    Pass();
    EXPECT_EQ(gameState, STATE_GAME_OVER);
    EXPECT_TRUE(LastFrame()[1].Is("PrintText", {70, 90}, "PRESS SELECT"));
}

// Escape leaves the entry for the menu and keeps the score without
// initials; on the table it goes back to the menu too.
TEST_F(HiScoreTest, EscapeKeepsTheScoreWithoutInitialsAndLeavesTheTable) {
    auto* input = new InputContext;  // an end of the program releases it
    g_input = input;
    testkit::EndCatcher catcher;  // and would throw out of the test
    gameState = STATE_GAME_OVER;
    lastScore = 70;
    Pass();
    Press(kUp);
    Press(kEscape);
    EXPECT_EQ(gameState, STATE_MENU);
    EXPECT_EQ(HiScoreCount(), 1);
    EXPECT_EQ(HiScoreValue(0), 70);
    EXPECT_EQ(std::string(HiScoreName(0).Text()), "");
    Passes(30);
    menuIndex = 3;
    Press(kReturn);
    ASSERT_EQ(gameState, STATE_HISCORES);
    const std::vector<Command> table = Texts();
    EXPECT_TRUE(table[1].Is("PrintText", {60, 45}, " 1.             70")) << table[1];
    EXPECT_EQ(table.size(), 11u) << "no row is marked";
    Press(kEscape);
    EXPECT_EQ(gameState, STATE_MENU);
    delete g_input;
    g_input = nullptr;
}

}  // namespace
}  // namespace gametest
