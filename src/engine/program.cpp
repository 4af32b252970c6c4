#include "engine/program.h"

#include "engine/engine_globals.h"
#include "engine/startup.h"
#include "runtime/errors.h"

std::string CommandLineText(int argc, const char* const* argv) {
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) commandLine += ' ';
        commandLine += argv[i];
    }
    return commandLine;
}

void RunProgram(const std::string& commandLine, void (*gameMain)()) {
    g_settings.screenWidth = 320;
    g_settings.screenHeight = 240;
    g_commandLine = commandLine.c_str();
    g_settings.fullScreen = 0;
    g_settings.multisampleSamples = 0;
    g_settings.frameRate = 60;
    g_settings.DebugMode = 0;
    g_settings.captureMouse = 0;
    EngineInit("Aerox");
    g_errorState = ErrorState{};
    gameMain();
    EndProgram();
}
