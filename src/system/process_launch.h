// Starting another program with an argument list (no shell). One file per
// platform: process_launch_posix.cpp, _windows.cpp, _web.cpp.
#pragma once
#include <string>
#include <vector>

struct LaunchResult {
    bool started = false;
    int exitCode = 0;  // when waited for: the exit code, or 128 + signal
    std::string why;   // when not started
};

// Starts the program; with wait, returns after it ended. Never runs a
// shell. Children not waited for are reaped later, so none is left behind
// as a zombie.
LaunchResult LaunchProcess(const std::string& program, const std::vector<std::string>& arguments, bool wait);
