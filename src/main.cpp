// The program entry: fixed start-up settings, the engine, the game, the end.
#include <string>

#include "game/game.h"
#include "engine/engine_globals.h"
#include "runtime/errors.h"
#include "engine/startup.h"

int main(int argc, char** argv) {
    g_settings.screenWidth = 320;
    g_settings.screenHeight = 240;
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) commandLine += ' ';
        commandLine += argv[i];
    }
    g_commandLine = commandLine.c_str();
    g_settings.fullScreen = 0;
    g_settings.multisampleSamples = 0;
    g_settings.frameRate = 60;
    g_settings.DebugMode = 0;
    g_settings.captureMouse = 0;
    EngineInit("Aerox");
    g_errorState = ErrorState{};
    GameMain();
    EndProgram();
}
