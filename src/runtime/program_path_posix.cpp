#include <unistd.h>

#include "runtime/program_path.h"

std::string ProgramPath() {
    char buffer[4096];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return {};
    buffer[n] = '\0';
    return buffer;
}

bool ChangeDirectory(const std::string& directory) { return chdir(directory.c_str()) == 0; }
