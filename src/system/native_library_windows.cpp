#include <windows.h>

#include "runtime/utf16_windows.h"
#include "system/native_library.h"

void* OpenNativeLibrary(const std::string& path, std::string& why) {
    const std::wstring wide = WideFromUtf8(path);
    if (wide.empty()) {
        why = "the name is not UTF-8";
        return nullptr;
    }
    // No "cannot find the library" message box for the player.
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE library = LoadLibraryW(wide.c_str());
    SetErrorMode(oldMode);
    if (library == nullptr) why = "the system could not load it (error " + std::to_string(GetLastError()) + ")";
    return reinterpret_cast<void*>(library);
}

void* FindNativeFunction(void* library, const std::string& name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name.c_str()));
}

void CloseNativeLibrary(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }
