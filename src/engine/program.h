// The whole program run as its entry runs it: the fixed start-up settings,
// the engine, the game, the end. Shared by the program entry and the
// benchmarks that run a copy of the program, so both start the same way.
#pragma once
#include <string>

// The command-line text after the program name: the arguments joined by
// single spaces.
std::string CommandLineText(int argc, const char* const* argv);

// Fixes the start-up settings (320 x 240 in a window at 60 frames a second,
// no multisampling, no debug mode), starts the engine, runs the game and
// ends the program through EndProgram.
[[noreturn]] void RunProgram(const std::string& commandLine, void (*gameMain)());
