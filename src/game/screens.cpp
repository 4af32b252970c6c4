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
    // From the second loop on, between the score and the lives.
    if (loopNumber >= 2) PrintText(RtString("Loop ") + NumberText(loopNumber), 155, 0);
}

void PrintCentred(const RtString& text, double y) { PrintText(text, 160 - 5 * Len(text), y); }

void GameOverScreen() {
    PrintText("GAME OVER", 120, 50);
    if (HiScoreRank(lastScore) >= 0) {
        StartInitials();
        return;
    }
    PrintText("PRESS SELECT", 70, 90);
    ReadPresses(INPUT_DELAY * 5);
    if (ChoosePressed() == 1) gameState = STATE_MENU;
}

void CreditsScreen() {
    PrintText("Aerox", 120, 10);
    PrintText("Code by the Aerox team", 5, 50);
    PrintText("Graphics by the Aerox team", 10, 70);
    PrintText("Musci and Sound ", 60, 90);
    PrintText("by Internet ", 90, 110);
    PrintText("Version " AEROX_VERSION " ", 85, 180);
    ReadPresses(INPUT_DELAY * 5);
    if (ChoosePressed() == 1 || buttons(BTN_BACK) == 1) gameState = STATE_MENU;
}

}  // namespace game
