#include "play/scripted_player.h"

#include <algorithm>
#include <iterator>

#include "game/game_state.h"

namespace play {

namespace {
constexpr int kLeft = 203, kRight = 205, kUp = 200, kDown = 208, kReturn = 28, kCtrl = 29, kEscape = 1;
}  // namespace

using namespace game;

FrameEvents ScriptedPlayer::Observe() {
    FrameEvents events;
    ++frame;
    if (gameState == STATE_MENU && previousState != STATE_MENU) {
        // Before the first frame the state is 0: start-up, not a game.
        if (previousState == 0) {
            events.firstMenu = true;
        } else {
            events.backAtMenu = true;
            ++returnsToMenu;
        }
    }
    if (gameState == STATE_PLAYING && previousState != STATE_PLAYING) {
        events.gameStarted = true;
        ++gamesStarted;
    }
    if (gameState == STATE_GAME_OVER && previousState != STATE_GAME_OVER) {
        events.gameOver = true;
        ++gameOvers;
    }
    if (gameState == STATE_PLAYING && player.state == PLAYER_EXPLODING && previousPlayerState != PLAYER_EXPLODING) {
        events.lifeLost = true;
        ++livesLost;
    }
    largestShotArray = std::max<size_t>(largestShotArray, static_cast<size_t>(Bounds(playerShots, 0)));
    previousState = gameState;
    previousPlayerState = player.state;
    return events;
}

void ScriptedPlayer::ChooseKeys(bool quit) {
    std::fill(std::begin(keys_), std::end(keys_), false);
    if (quit) {
        Hold(kEscape);
        return;
    }
    // The screens act on presses: their keys are tapped, every other frame.
    const bool tap = frame % 2 == 0;
    if (gameState == STATE_MENU) {
        if (tap) Hold(menuIndex != 0 ? kUp : kReturn);
    } else if (gameState == STATE_GAME_OVER || gameState == STATE_INITIALS || gameState == STATE_HISCORES) {
        if (tap) Hold(kReturn);
    } else if (gameState == STATE_PLAYING) {
        Hold(kCtrl);
        const long lifeFrame = static_cast<long>(frameCount) % 1800;
        if (lifeFrame < 900) {
            // Line up under an enemy to shoot it down; with none in reach,
            // sweep the sea from side to side.
            const double target = EnemyToShoot();
            if (target < 0) {
                Hold((lifeFrame / 120) % 2 == 0 ? kLeft : kRight);
            } else if (target < player.x - 1) {
                Hold(kLeft);
            } else if (target > player.x + 1) {
                Hold(kRight);
            }
            if (player.y < 196) Hold(kDown);
            if (player.y > 204) Hold(kUp);
        } else {
            SeekTrouble();
        }
    }
}

void ScriptedPlayer::KeySource(uint8_t keys[256], void* player) {
    const auto& self = *static_cast<const ScriptedPlayer*>(player);
    for (int i = 0; i < 256; ++i) keys[i] = self.keys_[i] ? 0x80 : 0;
}

// The x at which the player's shots hit the lowest enemy well inside the
// screen (a shot flies up from the player's x), or -1.
double ScriptedPlayer::EnemyToShoot() const {
    double x = -1, lowest = -1e9;
    for (int i = 0; i < Bounds(enemies, 0); ++i) {
        const Enemy& e = enemies(i);
        if (e.active != 0 && e.exploding == 0 && e.y > 30 && e.y > lowest && e.y < player.y - 60)
            lowest = e.y, x = e.x + 16;
    }
    return x;
}

// Flies at the nearest enemy or enemy shot, so that lives are lost and
// games end even after the last wave.
void ScriptedPlayer::SeekTrouble() {
    double targetX = -1, targetY = -1, best = 1e18;
    auto consider = [&](double x, double y) {
        const double d = (x - player.x) * (x - player.x) + (y - player.y) * (y - player.y);
        if (d < best) best = d, targetX = x, targetY = y;
    };
    for (int i = 0; i < Bounds(enemies, 0); ++i)
        if (enemies(i).active != 0) consider(enemies(i).x + 16, enemies(i).y + 16);
    for (int i = 0; i < Bounds(enemyShots, 0); ++i)
        if (enemyShots(i).active != 0 && enemyShots(i).y > 0 && enemyShots(i).y < 240)
            consider(enemyShots(i).x + 16, enemyShots(i).y + 16);
    if (targetX < 0) {
        Hold(kDown);
        return;
    }
    if (targetX < player.x - 2) Hold(kLeft);
    if (targetX > player.x + 2) Hold(kRight);
    if (targetY < player.y - 2) Hold(kUp);
    if (targetY > player.y + 2) Hold(kDown);
}

}  // namespace play
