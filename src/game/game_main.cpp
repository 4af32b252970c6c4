#include "commands.h"
#include "game/game.h"

// Placeholder until the game lands: empty frames until Escape.
void GameMain() {
    for (;;) ShowScreen();
}
