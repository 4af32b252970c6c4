// Shared libraries opened by the game for CallFunction. One file per
// platform: native_library_posix.cpp (dlopen), _windows.cpp
// (LoadLibraryW), _web.cpp (none).
#pragma once
#include <string>

// The library's handle, or null with the loader's reason.
void* OpenNativeLibrary(const std::string& path, std::string& why);
// A function's address, or null.
void* FindNativeFunction(void* library, const std::string& name);
void CloseNativeLibrary(void* library);
