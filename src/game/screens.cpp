// The status line over the play field, and the game-over and credits screens.
#include "game/game_state.h"

namespace game {

void DrawStatusLine() {
    PrintText("Score", 0, 0);
    // Right-aligned: at 10 pixels a character the score ends at x = 150.
    const double n = Len(NumberText(score));
    PrintNumber(score, 10 * (10 - n) + 50, 0);
    PrintText("Lives", 220, 0);
    PrintNumber(player.lives, 300, 0);
}

void GameOverScreen() {
    PrintText("GAME OVER", 120, 50);
    PrintText("PRESS SELECT", 70, 90);
    ReadControls(INPUT_DELAY * 5);
    if (buttons(BTN_SELECT) == 1) gameState = STATE_MENU;
}

void CreditsScreen() {
    PrintText("Aerox", 120, 10);
    PrintText("Code by the Aerox team", 5, 50);
    PrintText("Graphics by the Aerox team", 10, 70);
    PrintText("Musci and Sound ", 60, 90);
    PrintText("by Internet ", 90, 110);
    PrintText("Version " AEROX_VERSION " ", 85, 180);
    ReadControls(INPUT_DELAY * 5);
    if (buttons(BTN_SELECT) == 1) gameState = STATE_MENU;
}

}  // namespace game
