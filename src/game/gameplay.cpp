// One frame of play, the player's life cycle and the set-up of the level.
#include "game/game_state.h"

namespace game {

namespace {
constexpr double kStartX = 160;
constexpr double kStartY = 210;
constexpr double kRespawnRewind = 256;  // eight map rows
constexpr double kWaitAfterDeath = 2000;
constexpr double kTile = 32;

// The scroll position at which the level starts: nine rows above the end.
double LevelStartScroll() { return (Bounds(levelMap, 0) - 9) * 32; }

double PlayerSprite() { return playerSprites(playerRow, playerFrame); }

// Draws the player, or its explosion, and runs the explosion and the wait.
void DrawAndAnimatePlayer() {
    if (player.state == PLAYER_ALIVE) {
        DrawSprite(PlayerSprite(), player.x - 32, player.y - 32);
        return;
    }
    if (player.state == PLAYER_EXPLODING) {
        DrawSprite(bigExplosionSprites(player.explosionFrame), player.x - 32, player.y - 32);
        // Each of the seven pictures shows for four frames.
        if (Mod(player.frameTick, 4) == 0) {
            player.explosionFrame += 1;
            if (player.explosionFrame >= 7) {
                player.state = PLAYER_WAITING;
                player.timeOfDeath = GetTimer();
            }
        }
    }
    if (player.state == PLAYER_WAITING && GetTimer() > player.timeOfDeath + kWaitAfterDeath) {
        RespawnPlayer();
        player.state = PLAYER_ALIVE;
    }
}

// An enemy that will not fly again. Once the scroll has reached the top,
// every trigger of the wave table has been passed and an enemy that left
// the screen waits for one below the wrapping scroll: what is neither
// flying nor exploding is done.
bool EnemyDone(const Enemy& e) { return e.active == 0 && e.exploding == 0; }

void StartStageClear() {
    stageBonus = LIFE_BONUS * player.lives;
    score += stageBonus;
    stageClearEnd = GetTimer() + STAGE_CLEAR_TIME;
    Redim(enemyShots, 0);
    Redim(playerShots, 0);
    gameState = STATE_STAGE_CLEAR;
}

void ScrollSea() {
    playerFrame += 1;
    if (playerFrame > 2) playerFrame = 0;
    if (scrollPos > 0 && Mod(frameCount, 3) == 0) scrollPos -= 1;
}

void MoveAndFire() {
    if (buttons(BTN_UP) == 1 && player.y - 2 > 0) player.y -= 2;
    if (buttons(BTN_LEFT) == 1 && player.x - 2 > 0) player.x -= 2;
    if (buttons(BTN_RIGHT) == 1 && player.x + 2 < screenWidth) player.x += 2;
    if (buttons(BTN_DOWN) == 1 && player.y - 2 < screenHeight) player.y += 2;

    if (buttons(BTN_FIRE) == 1 && GetTimer() - FIRE_DELAY > lastShotTime) {
        FirePlayerShot(SPR_SHOT, player.x - 16, player.y - 40, 3, 0, -1, 50);
        lastShotTime = GetTimer();
    }
    if (player.lives <= 0) {
        gameState = STATE_GAME_OVER;
        lastScore = score;
    }
}
}  // namespace

void GameplayFrame() {
    DrawBackground();
    DrawEnemies();
    DrawAndAnimatePlayer();
    player.frameTick += 1;
    DrawShots();
    DrawStatusLine();
    if (player.state == PLAYER_ALIVE) {
        // A hit in one pass does not stop the later passes.
        PlayerShotsAgainstEnemies();
        EnemyShotsAgainstPlayer();
        EnemiesAgainstPlayer();
    }
    ScrollSea();
    if (scrollPos <= kTile) levelTopReached = 1;
    UpdateEnemies();
    MoveShots();
    ReadControls(0);
    if (player.state == PLAYER_ALIVE) MoveAndFire();
    frameCount += 1;
    if (gameState == STATE_PLAYING && player.state == PLAYER_ALIVE && LevelFinished() == 1) StartStageClear();
}

double LevelFinished() {
    if (levelTopReached == 0) return 0;
    for (double i = 0; i < Bounds(enemies, 0); ++i)
        if (!EnemyDone(enemies(i))) return 0;
    return 1;
}

void StageClearFrame() {
    DrawBackground();
    DrawSprite(PlayerSprite(), player.x - 32, player.y - 32);
    DrawStatusLine();
    PrintCentred("STAGE CLEAR", 90);
    PrintCentred(
        RtString("BONUS ") + NumberText(player.lives) + " x " + NumberText(LIFE_BONUS) + " = " + NumberText(stageBonus),
        120);
    ScrollSea();
    frameCount += 1;
    if (GetTimer() >= stageClearEnd) StartLoop(loopNumber + 1);
}

void StartLoop(double n) {
    loopNumber = n;
    frameCount = 0;
    player.x = kStartX;
    player.y = kStartY;
    player.state = PLAYER_ALIVE;
    player.explosionFrame = 0;
    player.frameTick = 0;
    BuildLevelMap();
    scrollPos = LevelStartScroll();
    levelTopReached = 0;
    Redim(enemies, 0);
    Redim(enemyShots, 0);
    Redim(playerShots, 0);
    AddWaveTable();
    gameState = STATE_PLAYING;
}

void RespawnPlayer() {
    Redim(enemyShots, 0);
    Redim(playerShots, 0);
    // Enemies on screen go back to where they started and wait for their
    // trigger again; exploding and waiting ones stay as they are.
    for (double i = 0; i < Bounds(enemies, 0); ++i) {
        Enemy& e = enemies(i);
        if (e.active != 0) {
            e.active = 0;
            e.x = e.startX;
            e.y = e.startY;
        }
    }
    player.x = kStartX;
    player.y = kStartY;
    player.state = PLAYER_ALIVE;
    player.explosionFrame = 0;
    player.frameTick = 0;
    scrollPos += kRespawnRewind;
    if (scrollPos > LevelStartScroll()) scrollPos = LevelStartScroll();
    levelTopReached = 0;
}

void InitLevel() {
    if (levelNumber != 1) return;
    frameCount = 0;
    player.x = kStartX;
    player.y = kStartY;
    player.lives = 3;
    player.state = PLAYER_ALIVE;
    BuildLevelMap();
    scrollPos = LevelStartScroll();
    Redim(enemies, 0);
    Redim(enemyShots, 0);
    Redim(playerShots, 0);
    AddWaveTable();
    levelNumber += 1;
    levelTopReached = 0;
}

}  // namespace game
