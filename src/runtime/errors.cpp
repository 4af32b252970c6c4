#include "runtime/errors.h"

#include <cstdio>
#include <cstdlib>

#include "runtime/sys_files.h"
#include "runtime/temp_dir.h"

ErrorState g_errorState;

namespace {
ProgramExitHandler g_exitHandler = nullptr;
}  // namespace

void SetProgramExitHandler(ProgramExitHandler handler) { g_exitHandler = handler; }

double SetErrorCode(double code) {
    g_errorState.errorCode = code;
    g_errorState.errorLine = g_errorState.currentLine;
    return code;
}

std::string LogFilePath() { return TempDirectory() + "ErrorLog.txt"; }

void AppendLogLine(const char* text) {
    std::FILE* file = OpenFile(LogFilePath(), "ab");
    if (file == nullptr) return;
    std::fputs(text != nullptr ? text : "", file);
    std::fputs("\r\n", file);
    std::fclose(file);
}

void LeaveProcess() {
    if (g_exitHandler != nullptr) g_exitHandler(0);
    std::exit(0);
}
