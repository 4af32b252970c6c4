// Runtime errors, the engine log file and the one way out of the program.
#pragma once
#include <string>

#include "aerox/program.h"

// The record of the last runtime error. Codes: 0 end requested by the user,
// 3 file read failure, 7 no storage for an array, 8 array without
// dimensions, 9 index out of range.
struct ErrorState {
    double errorCode = 0;
    double errorLine = 0;
    double currentLine = 0;
    double currentModule = 0;
};
extern ErrorState g_errorState;

// EndProgram, SetErrorCode and AppendLogLine are game commands
// (aerox/program.h); EndProgram is defined by the engine's assembly, which
// alone knows what there is to release (src/engine/program_end.cpp).

// Full path of the engine log file.
std::string LogFilePath();

// How the process finally leaves once EndProgram has released everything.
// The program uses the default, which exits with code 0. Tests install a
// handler that throws, so that they can watch an end without losing the
// test process; a handler must not return.
using ProgramExitHandler = void (*)(int exitCode);
void SetProgramExitHandler(ProgramExitHandler handler);
// The last step of EndProgram: the exit handler, else exit code 0.
[[noreturn]] void LeaveProcess();
