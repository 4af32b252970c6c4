#include "runtime/sys_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::FILE* OpenFile(const std::string& path, const char* mode) { return std::fopen(path.c_str(), mode); }

bool IsReadableFile(const std::string& path) {
    // O_NONBLOCK: opening a named pipe with no writer returns at once; fstat
    // then tells what was opened, with no window for the name to change.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    const bool plain = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    close(fd);
    return plain;
}

bool PathExists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

bool RemoveFile(const std::string& path) { return unlink(path.c_str()) == 0; }

bool OpenFileSize(std::FILE* file, int64_t& size) {
    struct stat info {};
    if (file == nullptr || fstat(fileno(file), &info) != 0) return false;
    size = info.st_size;
    return true;
}

bool SeekTo(std::FILE* file, int64_t position) {
    return file != nullptr && position >= 0 && fseeko(file, static_cast<off_t>(position), SEEK_SET) == 0;
}
