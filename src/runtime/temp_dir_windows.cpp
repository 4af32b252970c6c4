#include <windows.h>

#include "runtime/temp_dir.h"
#include "runtime/utf16_windows.h"

const std::string& TempDirectory() {
    static const std::string dir = [] {
        wchar_t buffer[MAX_PATH + 2];
        const DWORD n = GetTempPathW(MAX_PATH + 1, buffer);
        std::wstring path = n > 0 && n <= MAX_PATH + 1 ? std::wstring(buffer, n) : std::wstring(L".");
        if (path.back() != L'\\' && path.back() != L'/') path.push_back(L'\\');
        return Utf8FromWide(path);
    }();
    return dir;
}
