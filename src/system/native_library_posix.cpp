#include <dlfcn.h>

#include "system/native_library.h"

void* OpenNativeLibrary(const std::string& path, std::string& why) {
    // Local: the library's names do not become the engine's.
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        const char* error = dlerror();
        why = error != nullptr ? error : "the loader could not open it";
    }
    return library;
}

void* FindNativeFunction(void* library, const std::string& name) { return dlsym(library, name.c_str()); }

void CloseNativeLibrary(void* library) { dlclose(library); }
