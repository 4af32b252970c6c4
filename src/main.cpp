// The program entry: the command line, then the engine runs the game with
// the program's fixed start-up settings and ends the program.
#include "engine/command_line.h"
#include "engine/engine_globals.h"
#include "engine/program.h"
#include "game/game.h"

int main(int argc, char** argv) {
    // Help, the version and a bad command line end here, before any window.
    if (const int code = HandleCommandLine(argc, argv, g_settings); code >= 0) return code;
    RunProgram(CommandLineText(argc, argv), &GameMain);
}
