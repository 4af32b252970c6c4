#include "runtime/sys_paths.h"

#include <unistd.h>

#include <cstdlib>

std::string ProgramFilePath() {
    char buffer[4096];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return {};
    buffer[n] = '\0';
    return buffer;
}

std::string SystemTempDirectory() {
    const char* env = std::getenv("TMPDIR");
    std::string path = (env != nullptr && env[0] != '\0') ? env : "/tmp";
    if (path.back() != '/') path += '/';
    return path;
}
