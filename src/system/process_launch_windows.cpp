#include <windows.h>

#include "runtime/utf16_windows.h"
#include "system/process_launch.h"
#include "system/windows_command_line.h"

LaunchResult LaunchProcess(const std::string& program, const std::vector<std::string>& arguments, bool wait) {
    LaunchResult result;
    if (IsBatchProgram(program)) {
        result.why = "batch programs (.bat, .cmd) are not started";
        return result;
    }
    if (program.find('"') != std::string::npos) {
        result.why = "a program name holds no double quote";
        return result;
    }
    std::wstring line = WideFromUtf8(WindowsCommandLine(program, arguments));
    if (line.empty()) {
        result.why = "the program or an argument is not UTF-8";
        return result;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // The application name is left to the system's search (as the command
    // line's first word), so that a bare name is found on the path.
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        result.why = "the system could not start it (error " + std::to_string(GetLastError()) + ")";
        return result;
    }
    CloseHandle(process.hThread);
    result.started = true;
    if (wait) {
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        result.exitCode = static_cast<int>(code);
    }
    CloseHandle(process.hProcess);
    return result;
}
