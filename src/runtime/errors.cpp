#include "runtime/errors.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

#include "gfx/data_resolver.h"
#include "input/input_context.h"
#include "runtime/engine_context.h"
#include "runtime/engine_globals.h"
#include "runtime/sys_files.h"
#include "runtime/temp_dir.h"
#include "sound/sound.h"

ErrorState g_errorState;

namespace {
[[noreturn]] void ExitProcess(int code) { std::exit(code); }
ProgramExitHandler g_exitHandler = nullptr;
}  // namespace

void SetProgramExitHandler(ProgramExitHandler handler) { g_exitHandler = handler; }

double SetErrorCode(double code) {
    g_errorState.errorCode = code;
    g_errorState.errorLine = g_errorState.currentLine;
    return code;
}

std::string LogFilePath() { return TempDirectory() + "ErrorLog.txt"; }

void AppendLogLine(const char* text) {
    std::FILE* file = OpenFile(LogFilePath(), "ab");
    if (file == nullptr) return;
    std::fputs(text != nullptr ? text : "", file);
    std::fputs("\r\n", file);
    std::fclose(file);
}

namespace {
void AppendLogNumber(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2g", value);
    AppendLogLine(text);
}
}  // namespace

namespace {
// Set while the release steps run: a step that ends the program again (a
// failing release) goes straight to the exit instead of starting over.
bool g_ending = false;

[[noreturn]] void LeaveProcess() {
    g_ending = false;
    if (g_exitHandler != nullptr) g_exitHandler(0);
    ExitProcess(0);
}
}  // namespace

void EndProgram() {
    if (g_ending) LeaveProcess();
    g_ending = true;
    if (g_settings.DebugMode != 0) {
        AppendLogLine("-End On Line");
        AppendLogNumber(g_errorState.errorCode);
        AppendLogNumber(g_errorState.errorLine - 1);
        AppendLogNumber(g_errorState.currentLine);
        AppendLogNumber(g_errorState.currentModule);
    }
    // The context's destructor releases the textures, the GL context and
    // the window.
    delete g_engine;
    g_engine = nullptr;
    if (g_input != nullptr) {
        ShutdownInput(g_input);
        delete g_input;
        g_input = nullptr;
    }
    ReleaseSound();
    ReleaseDataResolvers();
    if (SDL_WasInit(0) != 0) SDL_Quit();
    LeaveProcess();
}
