// The program's command line: a pure parser, and the step of start-up that
// acts on what it found (text, exit code, start-up settings).
#pragma once
#include <string>
#include <vector>

struct StartupSettings;

struct CommandLineChoice {
    enum class Action { Run, Help, Version, Fail };
    Action action = Action::Run;
    int scale = 0;        // 0: not given
    int fullscreen = -1;  // -1: not given, 0: --windowed, 1: --fullscreen
    std::string error;    // one line, for Fail
};

// Who the program is, for its help and version texts.
struct ProgramIdentity {
    std::string program = "game";  // the executable's name: "Usage: <program> ..."
    std::string caption = "Game";  // the game's name, on the help's last line
    std::string version = "1.0";
};

// The executable's name from argv[0]: the last path part without ".exe";
// "game" when there is none.
std::string ProgramNameOf(const char* argv0);

// Reads the arguments after the program name, left to right; --help and
// --version end the reading.
CommandLineChoice ParseCommandLine(const std::vector<std::string>& args);

// The usage text, several lines.
std::string CommandLineUsage(const ProgramIdentity& identity);
// "<program> <version>".
std::string VersionLine(const ProgramIdentity& identity);

// Acts on the arguments before the engine starts: prints the help or the
// version (exit code 0) or the error and the usage on standard error (exit
// code 2, the program's only other code) and returns that code; returns -1
// when the program should run, the choices put into settings.
int HandleCommandLine(int argc, char** argv, const ProgramIdentity& identity, StartupSettings& settings);
