#include "runtime/sys_paths.h"

#include <windows.h>

#include <vector>

#include "runtime/utf16_windows.h"

std::string ProgramFilePath() {
    // The name may be longer than MAX_PATH: grow the buffer up to the
    // longest name Windows has.
    for (DWORD size = MAX_PATH; size <= 32768; size *= 2) {
        std::vector<wchar_t> buffer(size);
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), size);
        if (n == 0) return {};
        if (n < size) return Utf8FromWide(std::wstring(buffer.data(), n));
    }
    return {};
}

std::string SystemTempDirectory() {
    wchar_t buffer[MAX_PATH + 2];
    const DWORD n = GetTempPathW(MAX_PATH + 1, buffer);
    std::string path = n > 0 && n <= MAX_PATH + 1 ? Utf8FromWide(std::wstring(buffer, n)) : std::string();
    if (path.empty()) path = ".";
    if (path.back() != '\\' && path.back() != '/') path += '\\';
    return path;
}
