// The few POSIX calls the tests use, for the Windows build of the tests
// (included before every test source there). The engine itself never needs
// them: it has its own per-platform seams.
#pragma once
// M_PI and the other POSIX constants of <cmath>.
#define _USE_MATH_DEFINES
#include <direct.h>
#include <io.h>
#include <stdlib.h>

#include <cerrno>
#include <cstring>
#include <string>

inline int setenv(const char* name, const char* value, int overwrite) {
    if (overwrite == 0 && std::getenv(name) != nullptr) return 0;
    if (_putenv_s(name, value) != 0) return -1;
    // Windows takes its temporary folder from TMP: a test that points TMPDIR
    // somewhere means the engine's temporary folder.
    if (std::strcmp(name, "TMPDIR") == 0) _putenv_s("TMP", value);
    return 0;
}

inline int unsetenv(const char* name) {
    // An empty value removes the variable on Windows.
    _putenv_s(name, "");
    if (std::strcmp(name, "TMPDIR") == 0) _putenv_s("TMP", "");
    return 0;
}

// Replaces the trailing XXXXXX with a unique name and makes the folder.
inline char* mkdtemp(char* pattern) {
    const size_t length = std::strlen(pattern);
    if (length < 6 || std::strcmp(pattern + length - 6, "XXXXXX") != 0) {
        errno = EINVAL;
        return nullptr;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::memcpy(pattern + length - 6, "XXXXXX", 6);
        if (_mktemp_s(pattern, length + 1) != 0) return nullptr;
        if (_mkdir(pattern) == 0) return pattern;
        if (errno != EEXIST) return nullptr;
    }
    return nullptr;
}

// Windows has no named pipes in its file system.
inline int mkfifo(const char*, int) {
    errno = ENOSYS;
    return -1;
}

// POSIX's mkdir takes a mode, which Windows has no use for.
inline int mkdir(const char* path, int) { return _mkdir(path); }

// Without named pipes there is nothing an open could wait on.
#include <fcntl.h>
#ifndef O_NONBLOCK
#define O_NONBLOCK 0
#endif
