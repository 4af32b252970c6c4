// The virtual buttons, the main menu and the start of a new game.
#include "game/game_state.h"

namespace game {

namespace {
// Scan codes (PC set 1) of the buttons the game reads, in sampling order.
struct ButtonKey {
    double button;
    double scanCode;
};
constexpr ButtonKey kButtonKeys[] = {
    {BTN_LEFT, 203}, {BTN_RIGHT, 205}, {BTN_UP, 200}, {BTN_DOWN, 208}, {BTN_SELECT, 28}, {BTN_FIRE, 29},
};

// The menu picture (130 x 90 at 10, 145) holds the five entries, 18 pixels
// apart; the arrow left of it belongs to them too.
constexpr double kMenuTop = 145;
constexpr double kMenuRight = 140;
constexpr double kEntryStep = 18;
constexpr double kEntryCount = 5;

// The entry under the pointer, or -1.
double MenuEntryAt(double x, double y) {
    if (Inside(x, y, 0, kMenuTop, kMenuRight, kMenuTop + kEntryStep * kEntryCount) == 0) return -1;
    return Band(y - kMenuTop, kEntryStep);
}
}  // namespace

void ReadControls(double delay) {
    for (double i = 0; i < Bounds(buttons, 0); ++i) buttons(i) = 0;
    // Within delay ms of the last accepted sampling every button reads 0.
    if (delay > 0 && GetTimer() - delay < lastInputTime) return;
    lastInputTime = GetTimer();
    for (const ButtonKey& key : kButtonKeys) buttons(key.button) = KeyDown(key.scanCode);
}

void MainMenu() {
    AlphaMode(0.75);
    DrawSprite(SPR_BACKGROUND, 60, 0);
    AlphaMode(0);
    DrawSprite(SPR_ARROW, 0, 145 + 18 * menuIndex);
    DrawSprite(SPR_MENU, 10, 145);
    PrintText(RtString("Score: ") + NumberText(lastScore), 125, 220);
    ReadPresses(INPUT_DELAY);
    const MouseReading mouse = ReadMouse();
    const double pointed = MenuEntryAt(mouse.x, mouse.y);
    if (pointed >= 0 && (mouse.moved == 1 || mouse.leftClick == 1)) menuIndex = pointed;

    if (ChoosePressed() == 1 || (pointed >= 0 && mouse.leftClick == 1)) {
        if (menuIndex == 0) {
            StartNewGame();
        } else if (menuIndex == 1) {
            optionsIndex = 0;
            gameState = STATE_OPTIONS;
        } else if (menuIndex == 2) {
            gameState = STATE_CREDITS;
        } else if (menuIndex == 3) {
            markedRank = -1;
            gameState = STATE_HISCORES;
        } else if (menuIndex == 4) {
            gameState = STATE_QUIT;
        }
    }
    if (buttons(BTN_UP) == 1) {
        menuIndex -= 1;
        if (menuIndex < 0) menuIndex = 4;
    }
    if (buttons(BTN_DOWN) == 1) {
        menuIndex += 1;
        if (menuIndex > 4) menuIndex = 0;
    }
}

void StartNewGame() {
    playerFrame = 0;
    score = 0;
    gameState = STATE_PLAYING;
    playerRow = 2;
    Redim(enemyShots, 0);
    Redim(playerShots, 0);
    levelNumber = 1;
    loopNumber = 1;
    levelTopReached = 0;
    InitLevel();
}

}  // namespace game
