#include "runtime/engine_required.h"

#include <cstring>
#include <string>

#include "runtime/errors.h"

namespace {
// The names already logged. Plain pointers to literals: nothing to destroy,
// so a command called from a static destructor at exit still finds them.
constexpr int kMaxNames = 128;
const char* g_logged[kMaxNames] = {};
int g_loggedCount = 0;
EngineCommandWatcher g_watcher = nullptr;

bool AlreadyLogged(const char* command) {
    for (int i = 0; i < g_loggedCount; ++i)
        if (std::strcmp(g_logged[i], command) == 0) return true;
    return false;
}
}  // namespace

void SetEngineCommandWatcher(EngineCommandWatcher watcher) { g_watcher = watcher; }

bool RequireEngine(bool running, const char* command) {
    if (running) {
        if (g_watcher != nullptr) g_watcher(command);
        return true;
    }
    if (command == nullptr) command = "?";
    if (AlreadyLogged(command)) return false;
    // A full table stops the lines: every game command fits many times over.
    if (g_loggedCount == kMaxNames) return false;
    g_logged[g_loggedCount++] = command;
    const std::string line = std::string(command) + ": the engine is not running (call RunGame first)";
    AppendLogLine(line.c_str());
    return false;
}

void ForgetEngineRequirements() { g_loggedCount = 0; }
