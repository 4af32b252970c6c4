// The game's entry and its state loop: one screen handler and one presented
// frame per pass.
#include "game/game.h"
#include "game/game_state.h"

namespace game {

void SetUpGlobals() {
    Dim(buttons, BUTTON_COUNT);
    Dim(enemySprites, 8);
    playerFrame = 1;
    playerRow = 2;
    Dim(playerSprites, 3, 3);
    Dim(bigExplosionSprites, 7);
    levelNumber = 1;
    quitRequested = 0;
    lastScore = 0;
    score = 0;
    scrollPos = 0;
    frameCount = 0;
    gameState = 0;
    GetScreenSize(screenWidth, screenHeight);
}

bool StateLoopPass() {
    if (gameState == STATE_MENU) {
        MainMenu();
    } else if (gameState == STATE_BLANK) {
        // No screen: only the frame is presented.
    } else if (gameState == STATE_PLAYING) {
        GameplayFrame();
    } else if (gameState == STATE_GAME_OVER) {
        GameOverScreen();
    } else if (gameState == STATE_QUIT) {
        quitRequested = 1;
    } else if (gameState == STATE_CREDITS) {
        CreditsScreen();
    }
    ShowScreen();
    return quitRequested == 0;
}

}  // namespace game

void GameMain() {
    using namespace game;
    SetUpGlobals();
    LoadResources();
    gameState = STATE_MENU;
    while (StateLoopPass()) {
    }
}
