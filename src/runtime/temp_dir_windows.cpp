#include <windows.h>

#include "runtime/temp_dir.h"
#include "runtime/utf16_windows.h"

const std::string& TempDirectory() {
    static const std::string dir = [] {
        wchar_t buffer[MAX_PATH + 2];
        const DWORD n = GetTempPathW(MAX_PATH + 1, buffer);
        std::string path = n > 0 && n <= MAX_PATH + 1 ? Utf8FromWide(std::wstring(buffer, n)) : std::string();
        if (path.empty()) path = ".";
        if (path.back() != '\\' && path.back() != '/') path += '\\';
        return path;
    }();
    return dir;
}
