// The three collision passes on the real engine: a window, tiny bitmaps in
// the sprite slots the game uses, and the engine's pixel collision test.
// The tests skip themselves while the engine cannot load sprites yet.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "frame/clock.h"
#include "game/game_state.h"
#include "input/input_context.h"
#include "runtime/command_trace.h"
#include "engine/engine_globals.h"
#include "engine/startup.h"
#include "testkit/testkit.h"

namespace gametest {
namespace {

using namespace game;

// A 24-bit bitmap: opaque white where inside(x, y), the colour key
// (red 255, green 0, blue 128) elsewhere. y counts from the top.
template <typename Inside>
std::string Bitmap(int w, int h, Inside inside) {
    const int rowBytes = (w * 3 + 3) & ~3;
    const uint32_t pixelBytes = static_cast<uint32_t>(rowBytes * h);
    std::string b;
    auto u16 = [&](uint32_t v) { b += char(v & 255); b += char((v >> 8) & 255); };
    auto u32 = [&](uint32_t v) { u16(v & 0xFFFF); u16(v >> 16); };
    b += "BM";
    u32(54 + pixelBytes); u32(0); u32(54);
    u32(40); u32(static_cast<uint32_t>(w)); u32(static_cast<uint32_t>(h)); u16(1); u16(24); u32(0);
    u32(pixelBytes); u32(2835); u32(2835); u32(0); u32(0);
    for (int row = h - 1; row >= 0; --row) {  // bottom-up
        for (int x = 0; x < w; ++x) {
            if (inside(x, row)) {
                b += char(255); b += char(255); b += char(255);
            } else {
                b += char(128); b += char(0); b += char(255);  // B, G, R
            }
        }
        for (int pad = w * 3; pad < rowBytes; ++pad) b += char(0);
    }
    return b;
}

class CollisionTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Other test windows on the same X server take the focus; in debug
        // mode the engine never holds the frames in its pause loop for that.
        g_settings.DebugMode = 1;
        {
            testkit::EndCatcher catcher;
            try {
                EngineInit("Aerox");
            } catch (const testkit::ProgramEnded&) {
                FAIL() << "the window could not be created";
            }
        }
        SetKeySource([](uint8_t keys[256], void*) { std::fill(keys, keys + 256, 0); }, nullptr);
        SetCommandTracer(
            [](const TracedCommand& c, void* user) {
                if (std::string(c.name) == "PlaySound") static_cast<std::vector<double>*>(user)->push_back(c.args[0]);
            },
            &sounds_);

        // The shot: a 4 x 8 bullet in the middle of 32 x 32. Enemies: fully
        // covered 32 x 32. The aircraft: 32 x 48 covered in the middle of 64 x 64.
        testkit::WriteFile(folder_.File("shot.bmp"),
                           Bitmap(32, 32, [](int x, int y) { return x >= 14 && x < 18 && y >= 12 && y < 20; }));
        testkit::WriteFile(folder_.File("enemy.bmp"), Bitmap(32, 32, [](int, int) { return true; }));
        testkit::WriteFile(folder_.File("player.bmp"),
                           Bitmap(64, 64, [](int x, int y) { return x >= 16 && x < 48 && y >= 8 && y < 56; }));
        SetUpGlobals();
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) playerSprites(i, j) = 50 + 3 * i + j;
        for (int k = 0; k < 7; ++k) bigExplosionSprites(k) = 59 + k;
        for (int k = 0; k < 7; ++k) enemySprites(k) = 70 + k;
        enemySprites(7) = 80;
        Redim(smallExplosionSprites, 6);
        for (int k = 0; k < 6; ++k) smallExplosionSprites(k) = 100 + k;
        LoadSprite(folder_.File("shot.bmp").c_str(), SPR_SHOT);
        LoadSprite(folder_.File("enemy.bmp").c_str(), 70);
        LoadSprite(folder_.File("enemy.bmp").c_str(), 80);
        for (double s : {56.0, 57.0, 58.0}) LoadSprite(folder_.File("player.bmp").c_str(), s);
        double w = 0, h = 0;
        GetSpriteSize(SPR_SHOT, w, h);
        if (w == 0) GTEST_SKIP() << "the engine does not load sprites yet";
        ASSERT_EQ(screenWidth, 320);
        StartNewGame();
        Redim(enemies, 0);
    }

    void TearDown() override {
        SetCommandTracer(nullptr, nullptr);
        SetKeySource(nullptr, nullptr);
        testkit::ExpectProgramEnd([] { EndProgram(); });
    }

    // A flying enemy that will not fire during the test.
    Enemy& FlyingEnemy(double sprite, double hitPoints, double x, double y) {
        AddEnemy(10, sprite, hitPoints, x, y, 1, 1, 0, 0, 0, 1e9);
        Enemy& e = enemies(Bounds(enemies, 0) - 1);
        e.active = 1;
        return e;
    }
    int SoundsOf(double slot) const {
        int n = 0;
        for (double s : sounds_) n += s == slot;
        return n;
    }

    testkit::VirtualClock clock_{1000.0};
    testkit::TempFolder folder_;
    std::vector<double> sounds_;
};

TEST_F(CollisionTest, TheLastEnemyTakesFiveHitsOfTenPointsFromOneShot) {
    Enemy& tough = FlyingEnemy(80, 5, 140, 100);
    FirePlayerShot(SPR_SHOT, 140, 110, 3, 0, -1, 50);
    std::vector<double> scores;
    for (int k = 0; k < 8; ++k) {
        StateLoopPass();
        scores.push_back(score);
        EXPECT_EQ(playerShots(0).active, k < 4 ? 1 : 0) << k;
    }
    EXPECT_EQ(scores, (std::vector<double>{10, 20, 30, 40, 50, 50, 50, 50}));
    EXPECT_EQ(tough.hitPoints, 0);
    EXPECT_EQ(tough.active, 0);
    EXPECT_EQ(tough.exploding, 1);
    EXPECT_EQ(SoundsOf(SND_ENEMY_EXPLODE), 1);
    EXPECT_EQ(player.lives, 3);
}

TEST_F(CollisionTest, OneShotHitsEveryEnemyItOverlapsInTheSameFrame) {
    // Adding an enemy may move the array, so look the records up afterwards.
    FlyingEnemy(70, 1, 100, 50);
    FlyingEnemy(70, 1, 110, 60);
    FlyingEnemy(70, 1, 100 + 32 - 10, 50);  // meets only the shot's keyed pixels
    Enemy& a = enemies(0);
    Enemy& b = enemies(1);
    Enemy& c = enemies(2);
    FirePlayerShot(SPR_SHOT, 100, 50, 3, 0, -1, 50);
    StateLoopPass();
    EXPECT_EQ(score, 20);
    EXPECT_EQ(a.exploding, 1);
    EXPECT_EQ(b.exploding, 1);
    EXPECT_EQ(c.exploding, 0);
    EXPECT_EQ(c.active, 1);
    EXPECT_EQ(playerShots(0).active, 0);
    EXPECT_EQ(SoundsOf(SND_ENEMY_EXPLODE), 2);
}

TEST_F(CollisionTest, AShotAndARammingEnemyInOneFrameCostTwoLives) {
    Enemy& rammer = FlyingEnemy(70, 1, 144, 180);
    FireEnemyShot(SPR_SHOT, 144, 190, 3, 0, 1, 50);
    StateLoopPass();
    EXPECT_EQ(player.lives, 1);
    EXPECT_EQ(player.state, PLAYER_EXPLODING);
    EXPECT_EQ(player.explosionFrame, 0);
    EXPECT_EQ(player.frameTick, 1);
    EXPECT_EQ(SoundsOf(SND_PLAYER_EXPLODE), 2);
    EXPECT_EQ(enemyShots(0).active, 0);
    // The rammer vanishes: no explosion, no score.
    EXPECT_EQ(rammer.active, 0);
    EXPECT_EQ(rammer.exploding, 0);
    EXPECT_EQ(score, 0);
}

TEST_F(CollisionTest, NothingHitsThePlayerWhileItExplodes) {
    player.state = PLAYER_EXPLODING;
    player.frameTick = 1;
    FireEnemyShot(SPR_SHOT, 144, 190, 3, 0, 1, 50);
    Enemy& e = FlyingEnemy(70, 1, 144, 180);
    StateLoopPass();
    EXPECT_EQ(player.lives, 3);
    EXPECT_EQ(enemyShots(0).active, 1);
    EXPECT_EQ(e.active, 1);
    EXPECT_EQ(SoundsOf(SND_PLAYER_EXPLODE), 0);
}

}  // namespace
}  // namespace gametest
