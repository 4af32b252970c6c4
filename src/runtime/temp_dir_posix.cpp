#include <cstdlib>

#include "runtime/temp_dir.h"

const std::string& TempDirectory() {
    static const std::string dir = [] {
        const char* env = std::getenv("TMPDIR");
        std::string path = (env != nullptr && env[0] != '\0') ? env : "/tmp";
        if (path.back() != '/') path += '/';
        return path;
    }();
    return dir;
}
