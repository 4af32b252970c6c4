// Shots: firing, drawing, moving, and the three collision passes of a frame.
#include "game/game_state.h"

namespace game {

namespace {
// Puts a shot into the lowest free slot of its array, or a new one at the end.
void Fire(RtTypedArray<Shot>& shots, double sprite, double x, double y, double speed, double directionX,
          double directionY, double spareValue) {
    const double n = Bounds(shots, 0);
    double slot = n;
    for (double i = 0; i < n; ++i) {
        if (shots(i).active == 0) {
            slot = i;
            break;
        }
    }
    if (slot == n) Redim(shots, n + 1);
    Shot& s = shots(slot);
    s.active = 1;
    s.sprite = sprite;
    s.x = x;
    s.y = y;
    s.directionX = directionX;
    s.directionY = directionY;
    s.speed = speed;
    s.spareValue = spareValue;
    PlaySound(SND_SHOT, 0, 1);
}

void Draw(RtTypedArray<Shot>& shots) {
    for (double i = 0; i < Bounds(shots, 0); ++i) {
        const Shot& s = shots(i);
        if (s.active == 1) DrawSprite(s.sprite, s.x, s.y);
    }
}

// Enemies come down from y = -64 at the highest, and no sprite of the game
// is taller than 64 pixels: a player's shot whose top is above -128 can
// hit nothing any more, and an enemy's shot whose top is 64 pixels below
// the screen is past the lowest the player can fly.
constexpr double kSpriteReach = 64;
constexpr double kHighestEnemyTop = -64;

void Move(RtTypedArray<Shot>& shots) {
    for (double i = 0; i < Bounds(shots, 0); ++i) {
        Shot& s = shots(i);
        if (s.active == 1) {
            s.x += s.directionX * s.speed;
            s.y += s.directionY * s.speed;
            if (s.y < kHighestEnemyTop - kSpriteReach || s.y > screenHeight + kSpriteReach) s.active = 0;
        }
    }
}

bool g_playerUnhittable = false;

double PlayerSprite() { return playerSprites(playerRow, playerFrame); }
}  // namespace

void FirePlayerShot(double sprite, double x, double y, double speed, double directionX, double directionY,
                    double spareValue) {
    Fire(playerShots, sprite, x, y, speed, directionX, directionY, spareValue);
}

void FireEnemyShot(double sprite, double x, double y, double speed, double directionX, double directionY,
                   double spareValue) {
    Fire(enemyShots, sprite, x, y, speed, directionX, directionY, spareValue);
}

void DrawShots() {
    Draw(playerShots);
    Draw(enemyShots);
}

void MoveShots() {
    Move(enemyShots);
    Move(playerShots);
}

void PlayerShotsAgainstEnemies() {
    for (double i = 0; i < Bounds(playerShots, 0); ++i) {
        Shot& s = playerShots(i);
        if (s.active != 1) continue;
        // A shot that destroys one enemy still meets the enemies after it.
        for (double k = 0; k < Bounds(enemies, 0); ++k) {
            Enemy& e = enemies(k);
            if (e.active == 0) continue;
            if (SpriteCollision(e.sprite, e.x, e.y, s.sprite, s.x, s.y) != 0) {
                score += 10;
                e.hitPoints -= 1;
                if (e.hitPoints <= 0) {
                    e.exploding = 1;
                    s.active = 0;
                    PlaySound(SND_ENEMY_EXPLODE, 0, 2);
                }
            }
        }
    }
}

void EnemyShotsAgainstPlayer() {
    for (double i = 0; i < Bounds(enemyShots, 0); ++i) {
        Shot& s = enemyShots(i);
        if (s.active != 1) continue;
        if (SpriteCollision(s.sprite, s.x, s.y, PlayerSprite(), player.x - 32, player.y - 32) != 0) {
            s.active = 0;
            PlayerHit();
        }
    }
}

void EnemiesAgainstPlayer() {
    for (double k = 0; k < Bounds(enemies, 0); ++k) {
        Enemy& e = enemies(k);
        if (e.active != 1 || e.exploding != 0) continue;
        if (SpriteCollision(e.sprite, e.x, e.y, PlayerSprite(), player.x - 32, player.y - 32) != 0) {
            // A ramming enemy vanishes: no explosion, no score.
            e.active = 0;
            PlayerHit();
        }
    }
}

void SetPlayerUnhittable(bool on) { g_playerUnhittable = on; }

void PlayerHit() {
    if (g_playerUnhittable) return;
    player.state = PLAYER_EXPLODING;
    player.lives -= 1;
    player.explosionFrame = 0;
    player.frameTick = 1;
    PlaySound(SND_PLAYER_EXPLODE, 0, 3);
}

}  // namespace game
