// Enemy aircraft: the wave table, entering, flying, firing and exploding.
#include "game/game_state.h"

namespace game {

namespace {
// One row of the wave table; every enemy starts at y = -64.
struct Wave {
    double trigger;
    double spriteIndex;  // into enemySprites
    double hitPoints;
    double x;
    double speed;
    double repeat;
    double fireInterval;
};
constexpr Wave kWaves[] = {
    {1600, 0, 1, 40, 1, 2, 3500},  {1570, 0, 1, 250, 2, 1, 5000}, {1520, 0, 1, 300, 1, 1, 3700},
    {1470, 0, 1, 220, 1, 1, 3200}, {1420, 0, 1, 40, 2, 1, 3000},  {1370, 0, 1, 160, 1, 2, 5000},
    {1320, 0, 1, 270, 2, 1, 3500}, {1270, 0, 1, 120, 1, 1, 3100}, {1200, 0, 1, 120, 1, 1, 2800},
    {1200, 0, 1, 220, 2, 2, 3500}, {1160, 0, 1, 60, 1, 2, 2900},  {1160, 0, 1, 280, 2, 1, 3600},
    {1120, 0, 1, 140, 1, 2, 3000}, {1120, 0, 1, 180, 2, 2, 3500}, {1080, 0, 1, 120, 1, 1, 2800},
    {1080, 0, 1, 220, 2, 2, 3500}, {1040, 0, 1, 60, 1, 2, 2900},  {1040, 0, 1, 280, 2, 1, 3500},
    {800, 0, 1, 40, 1, 2, 3000},   {780, 0, 1, 250, 2, 1, 4000},  {760, 0, 1, 300, 1, 1, 3200},
    {740, 0, 1, 220, 1, 1, 2800},  {720, 0, 1, 40, 2, 1, 2500},   {700, 0, 1, 160, 1, 2, 4000},
    {680, 0, 1, 270, 2, 1, 3000},  {660, 0, 1, 120, 1, 1, 2700},  {100, 7, 5, 140, 1, 2, 2500},
};
constexpr double kEnemyStartY = -64;
constexpr double kReturnDistance = 40;  // scroll pixels before a repeating enemy comes back
}  // namespace

void AddEnemy(double trigger, double sprite, double hitPoints, double x, double y, double speed, double repeat,
              double spare1, double spare2, double spare3, double fireInterval) {
    const double n = Bounds(enemies, 0);
    Redim(enemies, n + 1);
    Enemy& e = enemies(n);
    e.trigger = trigger;
    e.sprite = sprite;
    e.hitPoints = hitPoints;
    e.x = x;
    e.y = y;
    e.speed = speed;
    e.repeat = repeat;
    e.spare1 = spare1;
    e.spare2 = spare2;
    e.spare3 = spare3;
    e.active = 0;
    e.exploding = 0;
    e.explosionFrame = 0;
    e.fireInterval = fireInterval;
    e.lastFireTime = GetTimer();
    e.startX = x;
    e.startY = y;
}

void AddWaveTable() {
    // Each loop after the first is a quarter faster and fires a quarter
    // more often than the first.
    const double pace = 1 + 0.25 * (loopNumber - 1);
    for (const Wave& w : kWaves)
        AddEnemy(w.trigger, enemySprites(w.spriteIndex), w.hitPoints, w.x, kEnemyStartY, w.speed * pace, w.repeat, 0, 0,
                 0, w.fireInterval / pace);
}

void DrawEnemies() {
    for (double i = 0; i < Bounds(enemies, 0); ++i) {
        const Enemy& e = enemies(i);
        if (e.active == 1) {
            DrawSprite(e.sprite, e.x, e.y);
        } else if (e.exploding != 0) {
            DrawSprite(smallExplosionSprites(e.explosionFrame), e.x, e.y);
        }
    }
}

void UpdateEnemies() {
    for (double i = 0; i < Bounds(enemies, 0); ++i) {
        Enemy& e = enemies(i);
        if (e.active == 0 && e.exploding == 0) {
            // Waiting: enters once the scroll reaches the trigger.
            if (e.y < 0 && scrollPos < e.trigger && e.trigger < scrollPos + screenHeight) e.active = 1;
        } else if (e.active == 0) {
            // Exploding: six pictures, drifting down.
            if (Mod(frameCount, 3) == 0) {
                e.explosionFrame += 1;
                if (e.explosionFrame > 5) {
                    e.exploding = 0;
                    e.explosionFrame = 0;
                }
            }
            e.y += e.speed;
        } else if (e.exploding == 0) {
            // Flying.
            if (e.y >= screenHeight) {
                e.active = 0;
                if (Mod(e.repeat, 2) == 0) {
                    e.trigger = scrollPos - kReturnDistance;
                    e.y = -40;
                }
            } else {
                e.y += e.speed;
                if (GetTimer() > e.lastFireTime + e.fireInterval) {
                    e.lastFireTime = GetTimer();
                    FireEnemyShot(SPR_SHOT, e.x, e.y + 16, 3, 0, 1, 50);
                }
            }
        } else {
            // Hit in this frame's collision pass: the explosion starts.
            e.active = 0;
            e.explosionFrame = 0;
        }
    }
}

}  // namespace game
