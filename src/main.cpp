// The program entry: the engine runs the game with the program's fixed
// start-up settings, then ends the program.
#include "engine/program.h"
#include "game/game.h"

int main(int argc, char** argv) { RunProgram(CommandLineText(argc, argv), &GameMain); }
