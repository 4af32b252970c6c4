// The whole program run as its entry runs it: the start-up settings, the
// engine, the game, the end. RunGame (aerox/program.h) is its face toward a
// game; the benchmarks that run a copy of the program start it the same way.
#pragma once
#include <string>

#include "aerox/program.h"

// The command-line text after the program name: the arguments joined by
// single spaces.
std::string CommandLineText(int argc, const char* const* argv);

// Checks the start-up settings (a field out of range takes its default and
// costs a log line), starts the engine, runs the game and ends the program
// through EndProgram.
[[noreturn]] void RunProgram(const std::string& commandLine, const StartupSettings& settings, GameMainRoutine gameMain);
