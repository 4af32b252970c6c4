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
    // A second run in the same process (the tests) starts afresh too.
    lastInputTime = 0;
    lastShotTime = 0;
    menuIndex = 0;
    loopNumber = 1;
    levelTopReached = 0;
    optionsIndex = 0;
    markedRank = -1;
    Dim(initialsLetters, INITIALS_LENGTH);
    ClearPressReader();
    mouseLeftHeld = 0;
    mouseRightHeld = 0;
    GetScreenSize(screenWidth, screenHeight);
}

namespace {
// The screens that take Escape as "back to the menu"; everywhere else it
// ends the program.
bool EscapeGoesBack(double state) {
    return state == STATE_CREDITS || state == STATE_HISCORES || state == STATE_OPTIONS || state == STATE_INITIALS;
}
}  // namespace

bool StateLoopPass() {
    const double shown = gameState;
    SetEscapeEnds(EscapeGoesBack(shown) ? 0 : 1);
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
    } else if (gameState == STATE_HISCORES) {
        HiScoresScreen();
    } else if (gameState == STATE_INITIALS) {
        InitialsScreen();
    } else if (gameState == STATE_OPTIONS) {
        OptionsScreen();
    } else if (gameState == STATE_STAGE_CLEAR) {
        StageClearFrame();
    }
    if (gameState != shown) {
        ResetPresses();
        ResetMouse();
    }
    ShowScreen();
    return quitRequested == 0;
}

}  // namespace game

StartupSettings AeroxSettings() {
    StartupSettings settings;
    settings.caption = "Aerox";
    settings.version = AEROX_VERSION;
    settings.userFolder = "Aerox";
    return settings;
}

void GameMain() {
    using namespace game;
    SetUpGlobals();
    LoadResources();
    gameState = STATE_MENU;
    while (StateLoopPass()) {
    }
}
