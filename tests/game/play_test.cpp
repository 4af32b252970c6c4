// A new game, the player's movement, fire, explosion, respawn and the end.
#include <vector>

#include "game_fixture.h"

namespace gametest {
namespace {

using namespace game;

double LoadedSpritesSetUp() {
    // The sprite numbers the game reads in play (LoadResources fills them).
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) playerSprites(i, j) = 50 + 3 * i + j;
    for (int k = 0; k < 7; ++k) bigExplosionSprites(k) = 59 + k;
    for (int k = 0; k < 7; ++k) enemySprites(k) = 70 + k;
    enemySprites(7) = 80;
    Redim(smallExplosionSprites, 6);
    for (int k = 0; k < 6; ++k) smallExplosionSprites(k) = 100 + k;
    return 0;
}

class PlayTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        LoadedSpritesSetUp();
    }
    // Player draws of the last frame (top-left at x - 32, y - 32).
    std::vector<Command> PlayerDraws() const {
        std::vector<Command> out;
        for (const Command& c : LastFrame())
            if (c.name == "DrawSprite" && c.args[1] == player.x - 32 && c.args[2] == player.y - 32) out.push_back(c);
        return out;
    }
};

TEST_F(PlayTest, NewGameSetsUpPlayerLevelAndWaveTableAndKeepsLastScore) {
    lastScore = 70;
    score = 30;
    FirePlayerShot(5, 0, 0, 3, 0, -1, 50);
    FireEnemyShot(5, 0, 0, 3, 0, 1, 50);
    gameState = STATE_MENU;
    Hold(kReturn);
    Pass();
    ASSERT_EQ(gameState, STATE_PLAYING);
    EXPECT_EQ(lastScore, 70);
    EXPECT_EQ(score, 0);
    EXPECT_EQ(playerFrame, 0);
    EXPECT_EQ(playerRow, 2);
    EXPECT_EQ(levelNumber, 2);
    EXPECT_EQ(frameCount, 0);
    EXPECT_EQ(player.x, 160);
    EXPECT_EQ(player.y, 210);
    EXPECT_EQ(player.lives, 3);
    EXPECT_EQ(player.state, PLAYER_ALIVE);
    EXPECT_EQ(scrollPos, 1632);
    EXPECT_EQ(Bounds(playerShots, 0), 0);
    EXPECT_EQ(Bounds(enemyShots, 0), 0);
    ASSERT_EQ(Bounds(enemies, 0), 27);

    // The wave table: trigger, sprite, hit points, x, speed, repeat, fire interval.
    const double waves[27][7] = {
        {1600, 70, 1, 40, 1, 2, 3500},  {1570, 70, 1, 250, 2, 1, 5000}, {1520, 70, 1, 300, 1, 1, 3700},
        {1470, 70, 1, 220, 1, 1, 3200}, {1420, 70, 1, 40, 2, 1, 3000},  {1370, 70, 1, 160, 1, 2, 5000},
        {1320, 70, 1, 270, 2, 1, 3500}, {1270, 70, 1, 120, 1, 1, 3100}, {1200, 70, 1, 120, 1, 1, 2800},
        {1200, 70, 1, 220, 2, 2, 3500}, {1160, 70, 1, 60, 1, 2, 2900},  {1160, 70, 1, 280, 2, 1, 3600},
        {1120, 70, 1, 140, 1, 2, 3000}, {1120, 70, 1, 180, 2, 2, 3500}, {1080, 70, 1, 120, 1, 1, 2800},
        {1080, 70, 1, 220, 2, 2, 3500}, {1040, 70, 1, 60, 1, 2, 2900},  {1040, 70, 1, 280, 2, 1, 3500},
        {800, 70, 1, 40, 1, 2, 3000},   {780, 70, 1, 250, 2, 1, 4000},  {760, 70, 1, 300, 1, 1, 3200},
        {740, 70, 1, 220, 1, 1, 2800},  {720, 70, 1, 40, 2, 1, 2500},   {700, 70, 1, 160, 1, 2, 4000},
        {680, 70, 1, 270, 2, 1, 3000},  {660, 70, 1, 120, 1, 1, 2700},  {100, 80, 5, 140, 1, 2, 2500},
    };
    for (int k = 0; k < 27; ++k) {
        const Enemy& e = enemies(k);
        const double* w = waves[k];
        EXPECT_EQ((std::vector<double>{e.trigger, e.sprite, e.hitPoints, e.x, e.speed, e.repeat, e.fireInterval}),
                  (std::vector<double>(w, w + 7)))
            << "row " << k + 1;
        EXPECT_EQ((std::vector<double>{e.y, e.startX, e.startY, e.lastFireTime}),
                  (std::vector<double>{-64, w[3], -64, kFirstFrameTimer}))
            << "row " << k + 1;
        EXPECT_EQ(e.active + e.exploding + e.explosionFrame + e.spare1 + e.spare2 + e.spare3, 0) << "row " << k + 1;
    }

    // A second InitLevel in the same game does nothing.
    enemies(0).y = 5;
    InitLevel();
    EXPECT_EQ(enemies(0).y, 5);
}

TEST_F(PlayTest, PlayFrameDrawsSeaThenPlayerThenStatusAndAnimatesTheAircraft) {
    StartGame();
    NoEnemies();
    std::vector<double> sprites;
    for (int k = 0; k < 4; ++k) {
        Pass();
        const std::vector<Command>& f = LastFrame();
        // 90 water tiles (and from the second frame on the island of row
        // 50), the player, the status line, then the keys: six KeyDown
        // samplings and ShowScreen's poll.
        const size_t sea = k == 0 ? 90u : 91u;
        ASSERT_EQ(f.size(), sea + 1u + 4u + 6u + 1u);
        const Command& aircraft = f[sea];
        EXPECT_TRUE(aircraft.Is("DrawSprite", {aircraft.args[0], 128, 178})) << aircraft;
        sprites.push_back(aircraft.args[0]);
        EXPECT_TRUE(f[sea + 1].Is("PrintText", {0, 0}, "Score"));
        EXPECT_TRUE(f[sea + 4].Is("PrintNumber", {3, 300, 0}));
    }
    EXPECT_EQ(sprites, (std::vector<double>{56, 57, 58, 56}));
    EXPECT_EQ(frameCount, 4);
}

TEST_F(PlayTest, MovementStopsAtTheScreenLimits) {
    struct Case {
        int key;
        double x, y;
    };
    for (Case c : {Case{kDown, 160, 242}, Case{kRight, 318, 210}, Case{kUp, 160, 2}, Case{kLeft, 2, 210}}) {
        StartGame();
        NoEnemies();
        ReleaseAll();
        Hold(c.key);
        Passes(200);
        EXPECT_EQ(player.x, c.x) << c.key;
        EXPECT_EQ(player.y, c.y) << c.key;
        levelNumber = 1;
    }
}

TEST_F(PlayTest, HeldFireShootsAtOnceThenEvery200MsAndShotsAreRetiredFarAboveTheScreen) {
    StartGame();
    NoEnemies();
    Hold(kCtrl);
    std::vector<int> shotFrames;
    for (int k = 0; k < 40; ++k) {
        Pass();
        for (const Command& c : LastFrame())
            if (c.Is("PlaySound", {2, 0, 1})) shotFrames.push_back(k);
    }
    // 12 frames are 200 ms, which is not more than the delay; 13 are.
    EXPECT_EQ(shotFrames, (std::vector<int>{0, 13, 26, 39}));
    ASSERT_EQ(Bounds(playerShots, 0), 4);
    const Shot& s = playerShots(0);
    EXPECT_EQ(s.active, 1);
    EXPECT_EQ(s.sprite, 5);
    EXPECT_EQ(s.x, 160 - 16);
    EXPECT_EQ(s.y, 210 - 40 - 3 * 39);  // moved in each later frame
    EXPECT_EQ(s.speed, 3);
    EXPECT_EQ(s.directionY, -1);
    EXPECT_EQ(s.spareValue, 50);

    ReleaseAll();
    Passes(200);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(playerShots(i).active, 0) << i;
}

// The hit is given between two frames, as the collision step of the frame
// before would give it; the explosion then runs 28 frames.
TEST_F(PlayTest, HitCostsALifeExplodes28FramesWaitsOver2000MsThenRespawns) {
    StartGame();
    NoEnemies();
    Passes(3);
    player.x = 100;
    player.y = 100;
    BeginRecord();
    PlayerHit();
    EXPECT_TRUE(LastFrame().back().Is("PlaySound", {5, 0, 3}));
    EXPECT_EQ(player.lives, 2);
    EXPECT_EQ(player.state, PLAYER_EXPLODING);

    std::vector<double> shown;
    double timerOfFrame = 0;
    for (int k = 1; k <= 28; ++k) {
        timerOfFrame = Timer();
        Pass();
        const std::vector<Command> draws = PlayerDraws();
        ASSERT_EQ(draws.size(), 1u) << k;
        shown.push_back(draws[0].args[0]);
        EXPECT_EQ(player.state, k < 28 ? PLAYER_EXPLODING : PLAYER_WAITING) << k;
    }
    for (int img = 0; img < 7; ++img)
        for (int t = 0; t < 4; ++t) EXPECT_EQ(shown[img * 4 + t], 59 + img);
    const double death = player.timeOfDeath;
    EXPECT_EQ(death, timerOfFrame);  // the timer of the 28th frame

    int waited = 0;
    while (player.state == PLAYER_WAITING && waited < 500) {
        const double timerThisFrame = Timer();
        Pass();
        ++waited;
        if (player.state == PLAYER_WAITING) {
            EXPECT_LE(timerThisFrame, death + 2000);
            EXPECT_TRUE(PlayerDraws().empty());
        } else {
            EXPECT_GT(timerThisFrame, death + 2000);
        }
    }
    EXPECT_EQ(waited, 121);
    EXPECT_EQ(player.state, PLAYER_ALIVE);
    EXPECT_EQ(player.x, 160);
    EXPECT_EQ(player.y, 210);
    EXPECT_EQ(player.lives, 2);
    EXPECT_EQ(gameState, STATE_PLAYING);
}

TEST_F(PlayTest, RespawnClearsShotsResetsFlyingEnemiesAndRewindsTheScrollAtMostTo1632) {
    StartGame();
    FirePlayerShot(5, 0, 0, 3, 0, -1, 50);
    FireEnemyShot(5, 0, 0, 3, 0, 1, 50);
    Enemy& flying = enemies(0);
    flying.active = 1;
    flying.x = 99;
    flying.y = 120;
    Enemy& exploding = enemies(1);
    exploding.exploding = 1;
    exploding.y = 50;
    Enemy& waiting = enemies(2);
    waiting.y = 300;
    waiting.trigger = 777;
    player.state = PLAYER_WAITING;
    player.explosionFrame = 7;
    player.frameTick = 99;

    scrollPos = 1000;
    RespawnPlayer();
    EXPECT_EQ(scrollPos, 1256);
    EXPECT_EQ(Bounds(playerShots, 0), 0);
    EXPECT_EQ(Bounds(enemyShots, 0), 0);
    EXPECT_EQ(flying.active, 0);
    EXPECT_EQ(flying.x, 40);
    EXPECT_EQ(flying.y, -64);
    EXPECT_EQ(flying.trigger, 1600);
    EXPECT_EQ(exploding.exploding, 1);
    EXPECT_EQ(exploding.y, 50);
    EXPECT_EQ(waiting.y, 300);
    EXPECT_EQ(waiting.trigger, 777);
    EXPECT_EQ(player.state, PLAYER_ALIVE);
    EXPECT_EQ(player.explosionFrame, 0);
    EXPECT_EQ(player.frameTick, 0);

    for (double from : {1376.0, 1377.0, 1500.0, 1632.0}) {
        scrollPos = from;
        RespawnPlayer();
        EXPECT_EQ(scrollPos, from + 256 > 1632 ? 1632 : from + 256) << from;
    }
}

TEST_F(PlayTest, TheLastLifeEndsTheGameOnlyAfterExplosionWaitAndRespawn) {
    StartGame();
    NoEnemies();
    score = 120;
    player.lives = 1;
    Passes(10);
    PlayerHit();
    EXPECT_EQ(player.lives, 0);
    int frames = 0;
    while (gameState == STATE_PLAYING && frames < 1000) {
        Pass();
        ++frames;
        if (gameState == STATE_PLAYING) {
            EXPECT_NE(player.state, PLAYER_ALIVE) << frames;
        }
    }
    EXPECT_EQ(frames, 28 + 121);
    EXPECT_EQ(gameState, STATE_GAME_OVER);
    EXPECT_EQ(player.state, PLAYER_ALIVE);
    EXPECT_EQ(lastScore, 120);
    EXPECT_EQ(scrollPos, 1632);  // a death near the start rewinds only to the start
    Pass();
    EXPECT_TRUE(LastFrame()[0].Is("PrintText", {120, 50}, "GAME OVER"));
}

}  // namespace
}  // namespace gametest
