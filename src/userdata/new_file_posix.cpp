// The bytes go to a temporary file of a unique name in the target folder,
// reach the disk, then get their final name as a hard link, which fails
// rather than replace a file that took the name in the meantime.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "userdata/file_io_posix.h"
#include "userdata/new_file.h"

namespace {

std::string Reason(const std::string& what) { return what + ": " + std::strerror(errno); }

bool IsFolder(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool MakeFolders(const std::string& folder, std::string& failure) {
    for (size_t end = 1; end <= folder.size(); ++end) {
        if (end < folder.size() && folder[end] != '/') continue;
        const std::string part = folder.substr(0, end);
        if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) {
            failure = Reason("cannot make " + part);
            return false;
        }
    }
    if (!IsFolder(folder)) {
        failure = folder + " is not a folder";
        return false;
    }
    return true;
}

// Where hard links are not offered (FAT file systems): the name is taken
// by an empty file first, which the rename then replaces.
bool ReserveAndRename(const std::string& temp, const std::string& path) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    close(fd);
    if (rename(temp.c_str(), path.c_str()) == 0) return true;
    const int error = errno;
    unlink(path.c_str());
    errno = error;
    return false;
}

// 0 when linked, else the errno of the attempt.
int Publish(const std::string& temp, const std::string& path) {
    if (link(temp.c_str(), path.c_str()) == 0) return 0;
    if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS) return errno;
    return ReserveAndRename(temp, path) ? 0 : errno;
}

}  // namespace

std::string WriteNewFile(const std::string& folder, const std::string& stem, const std::string& extension,
                         const std::string& bytes, std::string& failure) {
    if (folder.empty() || stem.empty()) {
        failure = "no folder or no name";
        return "";
    }
    if (!MakeFolders(folder, failure)) return "";
    const std::string base = folder.back() == '/' ? folder : folder + "/";
    std::string tempPath = base + "." + stem + "-XXXXXX";
    const int fd = MakeUniqueFile(tempPath);
    if (fd < 0) {
        failure = Reason("cannot write in " + folder);
        return "";
    }
    const bool written = WriteAll(fd, bytes) && fchmod(fd, 0644) == 0 && fsync(fd) == 0;
    const int writeError = errno;
    if (close(fd) != 0 || !written) {
        errno = written ? errno : writeError;
        failure = Reason("cannot write " + tempPath);
        unlink(tempPath.c_str());
        return "";
    }
    std::string path;
    int error = EEXIST;
    for (int n = 1; n <= kNewFileMaxNames && error == EEXIST; ++n) {
        path = base;
        path += stem;
        if (n > 1) {
            path += '-';
            path += std::to_string(n);
        }
        path += extension;
        error = Publish(tempPath, path);
    }
    unlink(tempPath.c_str());
    if (error != 0) {
        errno = error;
        failure = error == EEXIST ? "every name from " + stem + extension + " is taken" : Reason("cannot name " + path);
        return "";
    }
    SyncFolder(base);
    return path;
}
