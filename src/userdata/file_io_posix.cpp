#include "userdata/file_io_posix.h"

#include <fcntl.h>
#include <time.h>  // NOLINT(modernize-deprecated-headers): clock_gettime is POSIX, declared here
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "userdata/unique_letters.h"

int MakeUniqueFile(std::string& pattern) {
    constexpr size_t kLetters = 6;
    if (pattern.size() < kLetters || pattern.compare(pattern.size() - kLetters, kLetters, "XXXXXX") != 0) {
        errno = EINVAL;
        return -1;
    }
    for (int attempt = 0; attempt < 100; ++attempt) {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        const std::string letters =
            UniqueLetters(static_cast<uint64_t>(getpid()),
                          static_cast<uint64_t>(now.tv_sec) * 1000000000ULL + static_cast<uint64_t>(now.tv_nsec));
        pattern.replace(pattern.size() - kLetters, kLetters, letters);
        const int fd = open(pattern.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

void SyncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}
