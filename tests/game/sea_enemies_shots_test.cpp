// The level map and the sea, the wave table in play, and the shot arrays.
#include <algorithm>
#include <vector>

#include "game_fixture.h"

namespace gametest {
namespace {

using namespace game;

class WorldTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        for (int k = 0; k < 7; ++k) enemySprites(k) = 70 + k;
        enemySprites(7) = 80;
        Redim(smallExplosionSprites, 6);
        for (int k = 0; k < 6; ++k) smallExplosionSprites(k) = 100 + k;
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) playerSprites(i, j) = 50 + 3 * i + j;
        BuildLevelMap();
    }
    // The DrawSprite commands of DrawBackground at this scroll position.
    std::vector<Command> Background(double scroll) {
        scrollPos = scroll;
        BeginRecord();
        DrawBackground();
        return LastFrame();
    }
};

TEST_F(WorldTest, LevelMapHasSixtyRowsWithTheIslandRows) {
    ASSERT_EQ(Bounds(levelMap, 0), 60);
    const struct {
        int row;
        const char* text;
    } islands[] = {{12, "AAAAADAAAA"}, {17, "AADAAAAAAA"}, {20, "AAAAAACAAA"}, {26, "ADAAAAAAAA"},
                   {31, "AAAAEAAAAA"}, {35, "AAAAADAAAA"}, {38, "AAAAAAAAAE"}, {39, "ADAAAAAAAA"},
                   {42, "AAAAAAAAEA"}, {47, "AADAAAAAAA"}, {50, "AAAAAACAAA"}};
    for (int row = 0; row < 60; ++row) {
        const char* expected = "AAAAAAAAAA";
        for (const auto& island : islands)
            if (island.row == row) expected = island.text;
        EXPECT_STREQ(levelMap(row).Text(), expected) << row;
    }
}

TEST_F(WorldTest, BackgroundAtTheLevelStartIsNinetyWaterTilesThatAlternate) {
    const std::vector<Command> first = Background(1632);
    ASSERT_EQ(first.size(), 90u);
    for (int row = 0; row < 9; ++row)
        for (int col = 0; col < 10; ++col)
            EXPECT_TRUE(first[row * 10 + col].Is("DrawSprite", {21, 32.0 * col, 32.0 * row}));
    const std::vector<Command> second = Background(1632);
    for (const Command& c : second) EXPECT_EQ(c.args[0], 20);
    EXPECT_EQ(Background(1632)[0].args[0], 21);
    EXPECT_EQ(waterTick, 3);
}

TEST_F(WorldTest, IslandsComeRightAfterTheirWaterOneTileUpAndLeft) {
    // 1631: rows 50 to 58 with offset 31; row 50 has "C" in column 6.
    std::vector<Command> f = Background(1631);
    ASSERT_EQ(f.size(), 91u);
    EXPECT_TRUE(f[6].Is("DrawSprite", {21, 192, -31}));
    EXPECT_TRUE(f[7].Is("DrawSprite", {22, 160, -63}));
    EXPECT_TRUE(f[8].Is("DrawSprite", {21, 224, -31}));
    // After 96 frames of play the scroll is 1600: row 50 fully on screen.
    f = Background(1600);
    EXPECT_TRUE(f[7].Is("DrawSprite", {22, 160, -32}));
    // "D" and "E" islands: rows 38 ("E" in column 9) and 39 ("D" in column 1).
    f = Background(38 * 32);
    EXPECT_TRUE(f[10].Is("DrawSprite", {24, 32 * 8, -32})) << f[10];
    EXPECT_TRUE(f[13].Is("DrawSprite", {23, 0, 0})) << f[13];
    // An island in column 0 is drawn with its left edge at -32.
    levelMap(40) = "CAAAAAAAAA";
    f = Background(40 * 32 + 5);
    EXPECT_TRUE(f[1].Is("DrawSprite", {22, -32, -32 - 5})) << f[1];
}

TEST_F(WorldTest, TheTopOfTheMapWrapsOneRowAndRowZeroIsNeverShown) {
    levelMap(0) = "CCCCCCCCCC";
    std::vector<Command> f = Background(32);
    ASSERT_EQ(f.size(), 90u);
    EXPECT_TRUE(f[0].Is("DrawSprite", {f[0].args[0], 0, 0}));
    f = Background(31);
    EXPECT_EQ(scrollPos, 63);
    ASSERT_EQ(f.size(), 90u);
    EXPECT_TRUE(f[89].Is("DrawSprite", {f[89].args[0], 288, 256 - 31}));
}

TEST_F(WorldTest, RowOneEntersInThe97thFrameAtItsStartAndRowsNineAndTenTogether) {
    StartGame();
    int entered = -1, nineAndTen = -1;
    for (int frame = 1; frame <= 1400 && nineAndTen < 0; ++frame) {
        Pass();
        if (entered < 0 && enemies(0).active == 1) {
            entered = frame;
            EXPECT_EQ(scrollPos, 1599);
            EXPECT_EQ(enemies(0).x, 40);
            EXPECT_EQ(enemies(0).y, -64);
            Pass();
            ++frame;
            bool drawn = false;
            for (const Command& c : LastFrame()) drawn = drawn || c.Is("DrawSprite", {70, 40, -64});
            EXPECT_TRUE(drawn);
        }
        EXPECT_EQ(enemies(8).active, enemies(9).active) << frame;
        if (enemies(8).active == 1) nineAndTen = frame;
    }
    EXPECT_EQ(entered, 97);
    // Trigger 1200: the scroll is 1199 in frame 3 x 432 + 1.
    EXPECT_EQ(nineAndTen, 1297);
}

TEST_F(WorldTest, LeavingTheBottomRepeatsOnlyEvenRepeatValues) {
    StartGame();
    scrollPos = 1000;
    Enemy& even = enemies(0);  // repeat 2
    Enemy& odd = enemies(1);   // repeat 1
    for (Enemy* e : {&even, &odd}) {
        e->active = 1;
        e->y = 240;
        e->lastFireTime = 1e9;
    }
    UpdateEnemies();
    EXPECT_EQ(even.active, 0);
    EXPECT_EQ(even.trigger, 960);
    EXPECT_EQ(even.y, -40);
    EXPECT_EQ(odd.active, 0);
    EXPECT_EQ(odd.y, 240);
    scrollPos = 960;
    UpdateEnemies();
    EXPECT_EQ(even.active, 0);
    scrollPos = 959;
    UpdateEnemies();
    EXPECT_EQ(even.active, 1);
    EXPECT_EQ(even.x, 40);
    EXPECT_EQ(odd.active, 0);
}

TEST_F(WorldTest, FlyingEnemiesMoveAndFireOncePerIntervalBelowTheirNewPosition) {
    StartGame();
    Enemy& e = enemies(1);  // speed 2, fire interval 5000
    e.active = 1;
    e.y = 10;
    e.lastFireTime = Timer() - 5000;
    BeginRecord();
    UpdateEnemies();
    EXPECT_EQ(e.y, 12);
    EXPECT_EQ(Bounds(enemyShots, 0), 0);  // exactly the interval is not more
    e.lastFireTime = Timer() - 5000.5;
    UpdateEnemies();
    EXPECT_EQ(e.y, 14);
    ASSERT_EQ(Bounds(enemyShots, 0), 1);
    const Shot& s = enemyShots(0);
    EXPECT_EQ(s.active, 1);
    EXPECT_EQ(s.sprite, 5);
    EXPECT_EQ(s.x, 250);
    EXPECT_EQ(s.y, 14 + 16);
    EXPECT_EQ(s.directionX, 0);
    EXPECT_EQ(s.directionY, 1);
    EXPECT_EQ(s.speed, 3);
    EXPECT_EQ(e.lastFireTime, Timer());
    EXPECT_TRUE(LastFrame().back().Is("PlaySound", {2, 0, 1}));
}

TEST_F(WorldTest, ADestroyedEnemyExplodes16To18FramesDriftingThenWaits) {
    std::vector<int> lengths;
    for (int phase = 0; phase < 3; ++phase) {
        StartGame();
        Redim(enemies, 0);
        AddEnemy(1600, 70, 1, 100, -64, 2, 1, 0, 0, 0, 99999);
        Passes(phase);
        // As the frame of the destroying hit leaves it: exploding, image 0.
        BeginRecord();
        enemies(0).active = 1;
        enemies(0).exploding = 1;
        UpdateEnemies();
        ASSERT_EQ(enemies(0).active, 0);
        ASSERT_EQ(enemies(0).exploding, 1);
        ASSERT_EQ(enemies(0).explosionFrame, 0);
        enemies(0).y = 50;
        int drawn = 0;
        double lastImage = -1;
        for (int k = 0; k < 30; ++k) {
            Pass();
            for (const Command& c : LastFrame()) {
                if (c.name == "DrawSprite" && c.args[1] == 100) {
                    ++drawn;
                    EXPECT_GE(c.args[0], lastImage);
                    EXPECT_EQ(c.args[0] >= 100 && c.args[0] <= 105, true) << c;
                    lastImage = c.args[0];
                }
            }
        }
        EXPECT_EQ(lastImage, 105);
        EXPECT_EQ(enemies(0).active, 0);
        EXPECT_EQ(enemies(0).exploding, 0);
        EXPECT_EQ(enemies(0).y, 50 + 2 * drawn);  // drifts at speed 2 in every exploding frame
        lengths.push_back(drawn);
        levelNumber = 1;
    }
    std::sort(lengths.begin(), lengths.end());
    EXPECT_EQ(lengths, (std::vector<int>{16, 17, 18}));
}

TEST_F(WorldTest, FiringGrowsTheArrayOnlyWithoutAFreeSlotAndReusesTheLowest) {
    FirePlayerShot(5, 1, 2, 3, 0, -1, 50);
    FirePlayerShot(5, 4, 5, 3, 0, -1, 50);
    FirePlayerShot(5, 7, 8, 3, 0, -1, 50);
    ASSERT_EQ(Bounds(playerShots, 0), 3);
    playerShots(0).active = 0;
    playerShots(1).active = 0;
    playerShots(1).spare = 42;
    FirePlayerShot(5, 10, 11, 4, 0.5, -1, 50);
    EXPECT_EQ(Bounds(playerShots, 0), 3);
    EXPECT_EQ(playerShots(0).active, 1);
    EXPECT_EQ(playerShots(0).x, 10);
    EXPECT_EQ(playerShots(0).speed, 4);
    EXPECT_EQ(playerShots(0).directionX, 0.5);
    FirePlayerShot(5, 13, 14, 3, 0, -1, 50);
    EXPECT_EQ(playerShots(1).x, 13);
    EXPECT_EQ(playerShots(1).spare, 42);  // not touched on reuse
    FirePlayerShot(5, 16, 17, 3, 0, -1, 50);
    EXPECT_EQ(Bounds(playerShots, 0), 4);
    EXPECT_EQ(playerShots(3).x, 16);
    EXPECT_EQ(Bounds(enemyShots, 0), 0);
}

TEST_F(WorldTest, ShotsDrawPlayerFirstAndMoveOnlyWhileActive) {
    FirePlayerShot(5, 10, 100, 3, 0, -1, 50);
    FirePlayerShot(5, 20, 100, 3, 0, -1, 50);
    FireEnemyShot(5, 30, 100, 3, 0, 1, 50);
    playerShots(1).active = 0;
    BeginRecord();
    DrawShots();
    ASSERT_EQ(LastFrame().size(), 2u);
    EXPECT_TRUE(LastFrame()[0].Is("DrawSprite", {5, 10, 100}));
    EXPECT_TRUE(LastFrame()[1].Is("DrawSprite", {5, 30, 100}));
    MoveShots();
    EXPECT_EQ(playerShots(0).y, 97);
    EXPECT_EQ(playerShots(1).y, 100);
    EXPECT_EQ(enemyShots(0).y, 103);
}

}  // namespace
}  // namespace gametest
