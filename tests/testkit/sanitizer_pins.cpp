#include "testkit/sanitizer_pins.h"

#if defined(__SANITIZE_ADDRESS__)
#include <dlfcn.h>

#include <GL/gl.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace testkit {

namespace {

// The folder of the loaded libGL, where the system's Mesa drivers sit in
// its "dri" subfolder (/usr/lib/<triplet>/dri on Debian).
std::string GlLibraryFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&glGetString), &info) == 0 || info.dli_fname == nullptr) return {};
    const std::string path = info.dli_fname;
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

void Pin(const std::string& library) {
    // Never closed, and RTLD_NODELETE besides: the library stays mapped when
    // its users close it. One missing on this machine is simply skipped.
    dlopen(library.c_str(), RTLD_NOW | RTLD_GLOBAL | RTLD_NODELETE);
}

}  // namespace

void PrepareSanitizers() {
    std::vector<std::string> driverFolders;
    if (const char* fromEnv = std::getenv("LIBGL_DRIVERS_PATH"); fromEnv != nullptr && fromEnv[0] != '\0') {
        std::string list = fromEnv;
        for (size_t start = 0; start <= list.size();) {
            const size_t colon = list.find(':', start);
            const size_t end = colon == std::string::npos ? list.size() : colon;
            if (end > start) driverFolders.push_back(list.substr(start, end - start));
            start = end + 1;
        }
    }
    const std::string glFolder = GlLibraryFolder();
    if (!glFolder.empty()) driverFolders.push_back(glFolder + "/dri");

    // Mesa's drivers (one file under many names on Debian) and the vendor
    // libraries that libglvnd loads and unloads with each display.
    for (const std::string& folder : driverFolders)
        for (const char* driver : {"swrast_dri.so", "kms_swrast_dri.so"}) Pin(folder + "/" + driver);
    for (const char* vendor : {"libGLX_mesa.so.0", "libEGL_mesa.so.0"}) Pin(vendor);

    // The programs these tests start (the real program in the end-to-end
    // tests) unload the driver in the same way, and nothing loads it for
    // them: their leak check stays off. This process read ASAN_OPTIONS at
    // start-up, so the change reaches only its children; children built
    // without the sanitizers (Xvfb, xdotool) do not read it. Their
    // AddressSanitizer and UndefinedBehaviorSanitizer checks stay on.
    const char* options = std::getenv("ASAN_OPTIONS");
    std::string childOptions = options != nullptr ? options : "";
    if (!childOptions.empty()) childOptions += ':';
    setenv("ASAN_OPTIONS", (childOptions + "detect_leaks=0").c_str(), 1);
}

}  // namespace testkit

#else

namespace testkit {
void PrepareSanitizers() {}
}  // namespace testkit

#endif
