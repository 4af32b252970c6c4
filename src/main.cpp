// Aerox's program entry: its start-up settings, and its main routine handed
// to the engine.
#include <aerox/aerox.h>

#include "game/game.h"

int main(int argc, char** argv) {
    const StartupSettings settings = AeroxSettings();
    return RunGame(argc, argv, settings, &GameMain);
}
