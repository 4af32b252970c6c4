#include "engine/program.h"

#include <vector>

#include "engine/command_line.h"
#include "engine/engine_globals.h"
#include "engine/startup.h"
#include "engine/startup_check.h"
#include "gfx/gl_profile.h"
#include "gfx/held_frame.h"
#include "runtime/errors.h"

namespace {
// The checked settings of this run: g_settings' texts point into it.
CheckedStartup g_startup;
}  // namespace

std::string CommandLineText(int argc, const char* const* argv) {
    std::string commandLine;
    for (int i = 1; argv != nullptr && i < argc; ++i) {
        if (i > 1) commandLine += ' ';
        commandLine += argv[i] != nullptr ? argv[i] : "";
    }
    return commandLine;
}

void RunProgram(const std::string& commandLine, const StartupSettings& settings, GameMainRoutine gameMain) {
    g_startup = CheckStartupSettings(settings);
    g_settings = g_startup.settings;
    g_settings.caption = g_startup.caption.c_str();
    g_settings.version = g_startup.version.c_str();
    g_settings.userFolder = g_startup.userFolder.c_str();
    g_commandLine = commandLine.c_str();
    EngineInit(g_settings.caption, g_settings.userFolder);
    // A whole program draws only through the engine's commands, so the
    // engine knows when a frame equals the one on the screen: such a frame
    // is neither drawn nor shown again.
    EnableHeldFrames(KeepsUnchangedFrames());
    // Start-up clears the last run's log: the complaints go in after it.
    for (const std::string& line : g_startup.complaints) AppendLogLine(line.c_str());
    g_errorState = ErrorState{};
    if (gameMain != nullptr) gameMain();
    EndProgram();
}

int RunGame(int argc, char** argv, const StartupSettings& settings, GameMainRoutine gameMain) {
    if (argv == nullptr || argc < 0) argc = 0;
    const CheckedStartup checked = CheckStartupSettings(settings);
    ProgramIdentity identity;
    identity.program = ProgramNameOf(argc > 0 ? argv[0] : nullptr);
    identity.caption = checked.caption;
    identity.version = checked.version;
    StartupSettings chosen = settings;
    // Help, the version and a bad command line end here, before any window.
    if (const int code = HandleCommandLine(argc, argv, identity, chosen); code >= 0) return code;
    RunProgram(CommandLineText(argc, argv), chosen, gameMain);
}
