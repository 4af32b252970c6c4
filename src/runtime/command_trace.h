// An optional observer of the engine's drawing and sound commands. The
// program installs none (one pointer test per command); tests install one
// to watch, frame by frame, what the game asked the engine to do.
#pragma once
#include <initializer_list>

struct TracedCommand {
    const char* name;  // the command's name, e.g. "DrawSprite"
    double args[6];    // its number arguments, in order
    int argCount;
    const char* text;  // its text argument, or nullptr
};

using CommandTracer = void (*)(const TracedCommand& command, void* user);
void SetCommandTracer(CommandTracer tracer, void* user);

// Reports a command to the tracer, if one is installed.
void TraceCommandSlow(const char* name, std::initializer_list<double> args, const char* text);
extern CommandTracer g_commandTracer;
inline void TraceCommand(const char* name, std::initializer_list<double> args, const char* text = nullptr) {
    if (g_commandTracer != nullptr) TraceCommandSlow(name, args, text);
}
