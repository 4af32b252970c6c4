// The end of the level: STAGE CLEAR, the life bonus and the next, faster
// loop; and the shots that leave the screen for good.
#include <string>
#include <vector>

#include "game_fixture.h"

namespace gametest {
namespace {

using namespace game;

class StageTest : public GameTest {
protected:
    void TearDown() override {
        SetPlayerUnhittable(false);
        GameTest::TearDown();
    }
    // Passes until the state leaves STATE_PLAYING (at most limit); the
    // number of passes taken.
    int PlayUntilTheStateChanges(int limit) {
        int k = 0;
        while (gameState == STATE_PLAYING && k < limit) {
            Pass();
            ++k;
        }
        return k;
    }
    bool Printed(const std::string& text) const {
        for (const Command& c : LastFrame())
            if (c.name == "PrintText" && c.text == text) return true;
        return false;
    }
};

// With the sea empty the level ends in the very frame the scroll shows the
// top row of the map.
TEST_F(StageTest, AnEmptySeaEndsWhenTheScrollReachesTheTop) {
    StartGame();
    NoEnemies();
    const int frames = PlayUntilTheStateChanges(6000);
    EXPECT_EQ(gameState, STATE_STAGE_CLEAR);
    EXPECT_EQ(scrollPos, 32);
    EXPECT_EQ(frames, (1632 - 32) * 3 - 2);
}

// Any enemy that can still fly keeps the level going once the top is
// reached: one on screen, one exploding, one waiting for a trigger the
// wrapping scroll still passes. Each ends it as soon as it is gone.
TEST_F(StageTest, AnEnemyThatCanStillFlyHoldsTheLevelOpen) {
    struct Case {
        double active, exploding, y, trigger;
    };
    for (Case c : {Case{1, 0, 200, 10}, Case{0, 1, 100, 10}, Case{0, 0, -64, 50}}) {
        SetUpGame();
        StartGame();
        NoEnemies();
        Redim(smallExplosionSprites, 6);
        AddEnemy(c.trigger, 70, 1, 100, c.y, 1, 1, 0, 0, 0, 1e9);
        enemies(0).active = c.active;
        enemies(0).exploding = c.exploding;
        scrollPos = 34;
        Passes(8);
        ASSERT_EQ(levelTopReached, 1) << c.y;
        EXPECT_EQ(gameState, STATE_PLAYING) << c.y;
        PlayUntilTheStateChanges(1000);
        EXPECT_EQ(gameState, STATE_STAGE_CLEAR) << c.y;
        EXPECT_EQ(enemies(0).active, 0);
        EXPECT_EQ(enemies(0).exploding, 0);
    }
}

// STAGE CLEAR shows for three seconds with the bonus added; then the level
// starts again as loop 2 with the lives and score kept and the enemies a
// quarter faster, firing a quarter more often.
TEST_F(StageTest, StageClearAddsTheLifeBonusShowsThreeSecondsThenStartsTheNextLoop) {
    SetPlayerUnhittable(true);
    StartGame();
    player.lives = 2;
    score = 450;
    FireEnemyShot(5, 100, 100, 3, 0, 1, 50);
    FirePlayerShot(5, 100, 100, 3, 0, -1, 50);
    PlayUntilTheStateChanges(8000);
    ASSERT_EQ(gameState, STATE_STAGE_CLEAR);
    EXPECT_EQ(player.lives, 2);
    const double scoreAtClear = score;
    EXPECT_EQ(scoreAtClear, 450 + 200) << "nothing was shot: only the bonus";
    EXPECT_EQ(Bounds(enemyShots, 0), 0);
    EXPECT_EQ(Bounds(playerShots, 0), 0);
    int frames = 0;
    while (gameState == STATE_STAGE_CLEAR && frames < 400) {
        Pass();
        ++frames;
        if (gameState == STATE_STAGE_CLEAR) {
            EXPECT_TRUE(Printed("STAGE CLEAR"));
            EXPECT_TRUE(Printed("BONUS 2 x 100 = 200"));
            EXPECT_TRUE(Printed("Score"));
        }
    }
    EXPECT_GE(frames, 180);
    EXPECT_LE(frames, 181);
    EXPECT_EQ(score, scoreAtClear);  // added once, when the stage clear began
    EXPECT_EQ(gameState, STATE_PLAYING);
    EXPECT_EQ(loopNumber, 2);
    EXPECT_EQ(player.lives, 2);
    EXPECT_EQ(scrollPos, 1632);
    EXPECT_EQ(levelTopReached, 0);
    ASSERT_EQ(Bounds(enemies, 0), 27);
    EXPECT_EQ(enemies(0).speed, 1.25);
    EXPECT_EQ(enemies(0).fireInterval, 3500 / 1.25);
    EXPECT_EQ(enemies(0).active, 0);
    Pass();
    EXPECT_TRUE(LastFrameNamed("PrintText").back().Is("PrintText", {155, 0}, "Loop 2"));
}

TEST_F(StageTest, EachLoopIsAQuarterFasterAndFiresAQuarterMoreOftenThanTheFirst) {
    StartLoop(1);
    std::vector<Enemy> first;
    for (double i = 0; i < Bounds(enemies, 0); ++i) first.push_back(enemies(i));
    for (double n : {2.0, 3.0, 5.0}) {
        StartLoop(n);
        const double pace = 1 + 0.25 * (n - 1);
        ASSERT_EQ(Bounds(enemies, 0), static_cast<double>(first.size()));
        for (size_t i = 0; i < first.size(); ++i) {
            EXPECT_DOUBLE_EQ(enemies(i).speed, first[i].speed * pace) << n << " " << i;
            EXPECT_DOUBLE_EQ(enemies(i).fireInterval, first[i].fireInterval / pace) << n << " " << i;
            EXPECT_EQ(enemies(i).trigger, first[i].trigger);
            EXPECT_EQ(enemies(i).x, first[i].x);
        }
    }
}

TEST_F(StageTest, TheStatusLineNamesTheLoopFromTheSecondOn) {
    player.lives = 3;
    for (double n : {1.0, 2.0, 3.0}) {
        loopNumber = n;
        BeginRecord();
        DrawStatusLine();
        const std::vector<Command> texts = LastFrameNamed("PrintText");
        ASSERT_EQ(texts.size(), n == 1 ? 2u : 3u);
        if (n > 1) {
            EXPECT_TRUE(texts[2].Is("PrintText", {155, 0}, "Loop " + std::to_string(int(n)))) << texts[2];
        }
    }
}

// A player's shot is dropped once its top is above -128 (nothing can be
// hit there), an enemy's once its top is more than 64 pixels below the
// screen; up to then they move on as before.
TEST_F(StageTest, ShotsAreRetiredOnceTheyCanHitNothing) {
    struct Case {
        bool player;
        double y;
        double active;
    };
    for (Case c : {Case{true, -125, 1}, Case{true, -126, 0}, Case{false, 301, 1}, Case{false, 302, 0}}) {
        Redim(playerShots, 0);
        Redim(enemyShots, 0);
        if (c.player)
            FirePlayerShot(5, 100, c.y, 3, 0, -1, 50);
        else
            FireEnemyShot(5, 100, c.y, 3, 0, 1, 50);
        MoveShots();
        const Shot& s = c.player ? playerShots(0) : enemyShots(0);
        EXPECT_EQ(s.active, c.active) << c.y;
        EXPECT_EQ(s.y, c.y + (c.player ? -3 : 3));
    }
    // A retired slot is the next shot's.
    FireEnemyShot(5, 10, 10, 3, 0, 1, 50);
    EXPECT_EQ(Bounds(enemyShots, 0), 1);
}

}  // namespace
}  // namespace gametest
