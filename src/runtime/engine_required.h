// The guard of the game commands that need the running engine: a game that
// calls one before RunGame started the engine (or after the program end
// released it) gets the command's empty result and one line in the log.
#pragma once

// Returns running. When it is false, writes "<command>: the engine is not
// running (call RunGame first)" to the log, once per command name and
// process, so that a game calling a command every frame does not fill the
// log. command: the command's name, a string literal (kept, not copied).
bool RequireEngine(bool running, const char* command);

// The engine's own watcher of the commands that run (nullptr for none): told
// each command's name before the command does its work.
using EngineCommandWatcher = void (*)(const char* command);
void SetEngineCommandWatcher(EngineCommandWatcher watcher);

// Tests: forgets which commands were logged, so each logs again.
void ForgetEngineRequirements();
