// The three collision passes on the real engine: a window, tiny bitmaps in
// the sprite slots the game uses, and the engine's pixel collision test.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <set>
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
        SetKeySource(
            [](uint8_t keys[256], void* user) {
                std::fill(keys, keys + 256, 0);
                for (int code : static_cast<CollisionTest*>(user)->held_) keys[code] = 0x80;
            },
            this);
        SetCommandTracer(
            [](const TracedCommand& c, void* user) {
                auto* self = static_cast<CollisionTest*>(user);
                if (std::string(c.name) == "PlaySound") self->sounds_.emplace_back(c.args, c.args + c.argCount);
                if (self->onCommand_) self->onCommand_(c);
            },
            this);

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
        // An empty slot never collides: every test would pass for nothing.
        for (double slot : {SPR_SHOT, 70.0, 80.0, 56.0, 57.0, 58.0}) {
            double w = 0, h = 0;
            GetSpriteSize(slot, w, h);
            ASSERT_GT(w * h, 0) << "sprite " << slot << " did not load";
        }
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
        for (const std::vector<double>& s : sounds_) n += s[0] == slot;
        return n;
    }
    // Passes until the game is no longer played (at most 1000); counts the
    // passes, and fails if the player is alive in any pass that goes on.
    int PassesUntilGameOver() {
        int n = 0;
        while (gameState == STATE_PLAYING && n < 1000) {
            StateLoopPass();
            ++n;
            if (gameState == STATE_PLAYING) {
                EXPECT_NE(player.state, PLAYER_ALIVE) << "pass " << n;
            }
        }
        return n;
    }

    testkit::VirtualClock clock_{1000.0};
    testkit::TempFolder folder_;
    std::vector<std::vector<double>> sounds_;  // PlaySound arguments
    std::set<int> held_;                       // scan codes of held keys
    std::function<void(const TracedCommand&)> onCommand_;
};

constexpr int kRight = 205, kCtrl = 29;

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

// Hit in the first pass, the enemy is out of the ramming pass, yet the next
// player shot of the same pass still meets it.
TEST_F(CollisionTest, AnEnemyHitThisFrameCannotRamButTheNextShotStillScores) {
    FlyingEnemy(70, 1, 144, 170);                      // over the aircraft's top from y 186
    FirePlayerShot(SPR_SHOT, 144, 160, 3, 0, -1, 50);  // bullet (158..161, 172..179)
    FirePlayerShot(SPR_SHOT, 150, 165, 3, 0, -1, 50);  // bullet (164..167, 177..184)
    sounds_.clear();
    StateLoopPass();
    const Enemy& e = enemies(0);
    EXPECT_EQ(score, 20);
    EXPECT_EQ(e.hitPoints, -1);
    EXPECT_EQ(e.exploding, 1);
    EXPECT_EQ(e.active, 0);
    EXPECT_EQ(playerShots(0).active + playerShots(1).active, 0);
    EXPECT_EQ(player.lives, 3);
    EXPECT_EQ(player.state, PLAYER_ALIVE);
    EXPECT_EQ(sounds_, (std::vector<std::vector<double>>{{SND_ENEMY_EXPLODE, 0, 2}, {SND_ENEMY_EXPLODE, 0, 2}}));
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

// The last life lost in the frame's own collision pass: that frame neither
// moves nor fires nor ends the game; the explosion and the wait come first.
TEST_F(CollisionTest, ALosingHitInTheCollisionPassEndsTheGameAfterExplosionAndWait) {
    player.lives = 1;
    score = 70;
    lastShotTime = -1e9;
    FireEnemyShot(SPR_SHOT, 144, 190, 3, 0, 1, 50);
    held_ = {kRight, kCtrl};
    sounds_.clear();
    StateLoopPass();
    EXPECT_EQ(player.lives, 0);
    EXPECT_EQ(player.state, PLAYER_EXPLODING);
    EXPECT_EQ(player.x, 160);
    EXPECT_EQ(Bounds(playerShots, 0), 0);
    EXPECT_EQ(sounds_, (std::vector<std::vector<double>>{{SND_PLAYER_EXPLODE, 0, 3}}));
    ASSERT_EQ(gameState, STATE_PLAYING);

    EXPECT_EQ(PassesUntilGameOver(), 28 + 121);  // 28 explosion frames, then more than 2000 ms
    EXPECT_EQ(gameState, STATE_GAME_OVER);
    EXPECT_EQ(lastScore, 70);
    EXPECT_EQ(player.state, PLAYER_ALIVE);
}

// A respawn clears every shot and grounds every flying enemy, so the test
// puts an enemy shot on the respawn point itself, between the respawn and
// the collision pass of that frame (while the status line is printed).
TEST_F(CollisionTest, AHitInTheFrameOfARespawnExplodesAgainBeforeTheGameEnds) {
    player.lives = 0;
    player.state = PLAYER_WAITING;
    player.timeOfDeath = GetTimer() - 5000;
    bool armed = true;
    onCommand_ = [&armed](const TracedCommand& c) {
        if (armed && std::string(c.name) == "PrintText" && player.state == PLAYER_ALIVE) {
            armed = false;
            FireEnemyShot(SPR_SHOT, 144, 190, 3, 0, 1, 50);
        }
    };
    StateLoopPass();
    onCommand_ = nullptr;
    ASSERT_FALSE(armed) << "no respawn in this pass";
    EXPECT_EQ(player.lives, -1);
    EXPECT_EQ(player.state, PLAYER_EXPLODING);
    ASSERT_EQ(gameState, STATE_PLAYING);
    EXPECT_EQ(PassesUntilGameOver(), 28 + 121);
    EXPECT_EQ(gameState, STATE_GAME_OVER);
    EXPECT_EQ(player.state, PLAYER_ALIVE);
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

// The shots' pass skips pairs whose boxes are apart before asking the
// engine; it must find exactly the hits the engine finds pair by pair, also
// where cutting positions to whole pixels moves an edge (toward zero), and
// for positions it cannot reason about (NaN, clamped far away).
TEST_F(CollisionTest, TheShotsPassFindsExactlyTheHitsTheEngineFindsPairByPair) {
    LoadSprite(folder_.File("enemy.bmp").c_str(), SPR_SHOT);  // opaque to its edges
    struct Case {
        double enemyX, enemyY, shotX, shotY;
        bool hit;
    };
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Case cases[] = {
        {100, -31.5, 100, 0.7, true},    // rows -31..0 and 0..31: one row shared
        {-31.5, 50, 0.7, 50, true},      // the same across
        {100, -0.5, 100, -32.5, false},  // rows 0.. and ..-1: touching only
        {100, 50, 100, -100, false},     // far above
        {100, 50, 110, 60, true},        // plainly over it
        {100, 10, 100, nan, true},       // NaN is row 0
        {100, 2e9, 100, 3e9, true},      // both clamped to the same row
    };
    for (const Case& c : cases) {
        ASSERT_EQ(SpriteCollision(70, c.enemyX, c.enemyY, SPR_SHOT, c.shotX, c.shotY) != 0, c.hit)
            << c.enemyX << "," << c.enemyY << " " << c.shotX << "," << c.shotY;
        Redim(enemies, 0);
        Redim(playerShots, 0);
        score = 0;
        FlyingEnemy(70, 1, c.enemyX, c.enemyY);
        FirePlayerShot(SPR_SHOT, c.shotX, c.shotY, 3, 0, -1, 50);
        PlayerShotsAgainstEnemies();
        EXPECT_EQ(score == 10, c.hit) << c.enemyX << "," << c.enemyY << " " << c.shotX << "," << c.shotY;
    }
}

}  // namespace
}  // namespace gametest
