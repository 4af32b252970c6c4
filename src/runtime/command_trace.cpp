#include "runtime/command_trace.h"

CommandTracer g_commandTracer = nullptr;
namespace {
void* g_commandTracerUser = nullptr;
}

void SetCommandTracer(CommandTracer tracer, void* user) {
    g_commandTracer = tracer;
    g_commandTracerUser = user;
}

void TraceCommandSlow(const char* name, std::initializer_list<double> args, const char* text) {
    TracedCommand command{name, {0, 0, 0, 0, 0, 0}, 0, text};
    for (double a : args) {
        if (command.argCount == 6) break;
        command.args[command.argCount++] = a;
    }
    g_commandTracer(command, g_commandTracerUser);
}
