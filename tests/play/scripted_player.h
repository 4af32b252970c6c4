// A scripted player for runs of the whole game, shared by the soak test and
// the memory benchmark: from the menu into a game, fire held while lining up
// under the lowest enemy (sweeping the sea when none is in reach), then
// flying into trouble so that lives are lost and games end, and from the
// game-over screen back to the menu. It looks at the game's state once per
// presented frame and chooses the keys of the next.
#pragma once
#include <cstddef>
#include <cstdint>

namespace play {

// What the frame just observed brought.
struct FrameEvents {
    bool gameStarted = false;
    bool gameOver = false;
    bool lifeLost = false;
    bool firstMenu = false;   // the menu's first frame after start-up
    bool backAtMenu = false;  // the menu again, after a game or a screen
};

class ScriptedPlayer {
public:
    // Once per presented frame: counts the frame and what changed since the
    // last one.
    FrameEvents Observe();
    // Chooses the keys of the next frame from what the game shows now; when
    // quitting, only Escape.
    void ChooseKeys(bool quit);

    // A key source for SetKeySource, with the player as its user pointer.
    static void KeySource(uint8_t keys[256], void* player);

    long frame = 0;
    int gamesStarted = 0;
    int gameOvers = 0;
    int livesLost = 0;
    int returnsToMenu = 0;
    size_t largestShotArray = 0;
    // The game's state and the player's as the previous frame left them.
    double previousState = 0;
    double previousPlayerState = 0;

private:
    void Hold(int scanCode) { keys_[scanCode] = true; }
    double EnemyToShoot() const;
    void SeekTrouble();

    bool keys_[256] = {};
};

}  // namespace play
