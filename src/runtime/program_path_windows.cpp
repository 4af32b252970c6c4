#include <windows.h>

#include <vector>

#include "runtime/program_path.h"
#include "runtime/utf16_windows.h"

std::string ProgramPath() {
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

bool ChangeDirectory(const std::string& directory) {
    const std::wstring name = WideFromUtf8(directory);
    return !name.empty() && SetCurrentDirectoryW(name.c_str()) != 0;
}
