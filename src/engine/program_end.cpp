// The program end: the one place that knows every subsystem, so the release
// order lives here, on top of the layers it releases.
#include <SDL.h>

#include <cstdio>

#include "frame/clock.h"
#include "gfx/data_resolver.h"
#include "gfx/engine_context.h"
#include "input/input_context.h"
#include "files/file_channel.h"
#include "network/http_transfer.h"
#include "network/network.h"
#include "runtime/errors.h"
#include "runtime/startup_settings.h"
#include "sound/sound.h"
#include "userdata/userdata.h"

namespace {
void AppendLogNumber(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2g", value);
    AppendLogLine(text);
}

// Set while the release steps run: a step that ends the program again (a
// failing release) goes straight to the exit instead of starting over.
bool g_ending = false;

[[noreturn]] void Leave() {
    g_ending = false;
    LeaveProcess();
}
}  // namespace

void EndProgram() {
    if (g_ending) Leave();
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
    // The peers hear goodbye before the rest goes; web requests under way
    // are stopped.
    StopNetwork();
    StopHttpTransfers();
    // A file still open for writing keeps its old contents.
    DiscardAllFileChannels();
    ReleaseSound();
    ReleaseDataResolvers();
    ReleaseUserData();
    g_frameClock = FrameClock{};
    if (SDL_WasInit(0) != 0) SDL_Quit();
    Leave();
}
