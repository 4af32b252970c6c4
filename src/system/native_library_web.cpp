#include "system/native_library.h"

void* OpenNativeLibrary(const std::string&, std::string& why) {
    why = "a page in the browser cannot load libraries";
    return nullptr;
}

void* FindNativeFunction(void*, const std::string&) { return nullptr; }

void CloseNativeLibrary(void*) {}
