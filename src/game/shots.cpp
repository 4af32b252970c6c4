// Shots: firing, drawing, moving, and the three collision passes of a frame.
#include <cmath>
#include <limits>
#include <vector>

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

// A placed sprite's box, for rejecting pairs before SpriteCollision is asked.
// The engine cuts positions to whole pixels, which moves an edge by less
// than one: boxes at least this far apart can never touch there. Positions
// too large for that reasoning (the engine also clamps them) are never
// rejected, and neither is NaN (every comparison with it is false).
constexpr double kWholePixelSlack = 2;
constexpr double kPlainPosition = 1e9;

struct Box {
    double left, top, right, bottom;
    bool sure;   // the position is plain: a gap proves the two apart
    bool empty;  // the slot holds no picture: SpriteCollision says 0
};

Box Placed(double width, double height, double x, double y) {
    const bool sure = std::fabs(x) < kPlainPosition && std::fabs(y) < kPlainPosition;
    return Box{x, y, x + width, y + height, sure, width <= 0 || height <= 0};
}

Box BoxOf(double sprite, double x, double y) {
    double width = 0, height = 0;
    GetSpriteSize(sprite, width, height);
    return Placed(width, height, x, y);
}

bool Apart(const Box& a, const Box& b) {
    if (!a.sure || !b.sure) return false;
    return a.right + kWholePixelSlack <= b.left || b.right + kWholePixelSlack <= a.left ||
           a.bottom + kWholePixelSlack <= b.top || b.bottom + kWholePixelSlack <= a.top;
}

// The boxes of the enemies that can be hit (index: the enemy's), and the
// rows they span together: a shot above or below all of them meets none.
struct EnemyBoxes {
    std::vector<Box> boxes;
    Box band{0, 0, 0, 0, true, true};

    void Gather() {
        const int count = static_cast<int>(Bounds(enemies, 0));
        boxes.resize(static_cast<size_t>(count));
        band = Box{0, 1e300, 0, -1e300, true, true};
        for (int k = 0; k < count; ++k) {
            const Enemy& e = ArrayElement(enemies, k);
            Box& box = boxes[static_cast<size_t>(k)];
            // Not one to hit; should it be, it is tested as it always was.
            box = Box{0, 0, 0, 0, false, false};
            if (e.active == 0) continue;
            box = BoxOf(e.sprite, e.x, e.y);
            if (box.empty) continue;
            band.sure = band.sure && box.sure;
            band.empty = false;
            band.top = std::fmin(band.top, box.top);
            band.bottom = std::fmax(band.bottom, box.bottom);
        }
    }
    // Whether the shot's rows miss every enemy's.
    bool MissesAll(const Box& shot) const {
        if (band.empty) return true;
        if (!band.sure || !shot.sure) return false;
        return shot.bottom + kWholePixelSlack <= band.top || band.bottom + kWholePixelSlack <= shot.top;
    }
};
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
    // Nothing in this pass moves an enemy or changes which are active: their
    // boxes hold for the whole pass. Only pairs whose boxes are apart are
    // skipped, so every hit, and its order, is as testing each pair gives.
    static EnemyBoxes targets;
    targets.Gather();
    const int enemyCount = static_cast<int>(targets.boxes.size());
    double shotSprite = std::numeric_limits<double>::quiet_NaN();
    double shotWidth = 0, shotHeight = 0;
    for (double i = 0; i < Bounds(playerShots, 0); ++i) {
        Shot& s = playerShots(i);
        if (s.active != 1) continue;
        // The shots of a frame share a sprite or two: its size is asked once.
        if (!(s.sprite == shotSprite)) {
            shotSprite = s.sprite;
            GetSpriteSize(s.sprite, shotWidth, shotHeight);
        }
        const Box shot = Placed(shotWidth, shotHeight, s.x, s.y);
        if (shot.empty || targets.MissesAll(shot)) continue;
        // A shot that destroys one enemy still meets the enemies after it.
        for (int k = 0; k < enemyCount; ++k) {
            Enemy& e = ArrayElement(enemies, k);
            if (e.active == 0) continue;
            const Box& target = targets.boxes[static_cast<size_t>(k)];
            if (target.empty || Apart(target, shot)) continue;
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
