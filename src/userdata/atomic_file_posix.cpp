#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>

#include "runtime/errors.h"
#include "userdata/atomic_file.h"
#include "userdata/file_io_posix.h"
#include "userdata/rename_keep.h"
#include "userdata/user_store.h"

namespace {

std::string FolderOf(const std::string& path) {
    const size_t separator = path.find_last_of('/');
    if (separator == std::string::npos) return ".";
    return separator == 0 ? "/" : path.substr(0, separator);
}

std::string NameOf(const std::string& path) {
    const size_t separator = path.find_last_of('/');
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string TemporaryPrefix(const std::string& path) {
    // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) about
    // a literal prepended to a temporary string.
    std::string prefix = ".";
    prefix += NameOf(path);
    prefix += ".tmp-";
    return prefix;
}

}  // namespace

SavedRead ReadSavedFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    // O_NONBLOCK: a named pipe with no writer would otherwise hold the game
    // at start-up forever.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? SavedRead::Missing : SavedRead::Unreadable;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return SavedRead::Unreadable;
    }
    // One byte more than allowed tells a file that is too big, whatever
    // its size said a moment ago.
    bytes.resize(kSavedFileMaxBytes + 1);
    size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            close(fd);
            bytes.clear();
            return SavedRead::Unreadable;
        }
        if (n == 0) break;
        got += static_cast<size_t>(n);
    }
    close(fd);
    if (got > kSavedFileMaxBytes) {
        bytes.resize(kSavedFileMaxBytes);
        return SavedRead::TooBig;
    }
    bytes.resize(got);
    return SavedRead::Read;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes) {
    if (path.empty()) return false;
    const std::string folder = FolderOf(path);
    // The dot keeps the temporary out of a casual listing; every writer, in
    // this process or another, gets a name of its own.
    std::string temp = folder + "/" + TemporaryPrefix(path) + "XXXXXX";
    const int fd = MakeUniqueFile(temp);
    if (fd < 0) return false;
    bool ok = WriteAll(fd, bytes) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) {
        unlink(temp.c_str());
        return false;
    }
    SyncFolder(folder);
    UserStoreChanged();
    return true;
}

void RemoveStaleTemporaries(const std::string& path) {
    const std::string folder = FolderOf(path);
    const std::string prefix = TemporaryPrefix(path);
    DIR* listing = opendir(folder.c_str());
    if (listing == nullptr) return;
    const std::time_t old = std::time(nullptr) - 60;
    // Bounded: a folder flooded with names is not worth more than this.
    for (int seen = 0; seen < 10000; ++seen) {
        const dirent* item = readdir(listing);
        if (item == nullptr) break;
        const std::string name = item->d_name;
        // The six letters of the temporary's name, nothing else.
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0) continue;
        struct stat info {};
        if (fstatat(dirfd(listing), item->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (S_ISREG(info.st_mode) && info.st_mtime < old) unlinkat(dirfd(listing), item->d_name, 0);
    }
    closedir(listing);
}

std::string SetFileAside(const std::string& path, const std::string& reason) {
    char stamp[32] = "00000000-000000";
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) != nullptr) std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string base = path + ".bad-" + stamp;
    std::string aside;
    // Bounded: a folder full of set-aside files ends the search.
    for (int n = 1; n <= 1000 && aside.empty(); ++n) {
        const std::string candidate = n == 1 ? base : base + "-" + std::to_string(n);
        if (RenameWithoutReplacing(path, candidate)) {
            aside = candidate;
        } else if (errno != EEXIST && errno != ENOTEMPTY) {
            break;
        }
    }
    std::string line = path + ": not trusted (" + reason + "); ";
    line += aside.empty() ? "it could not be set aside" : "set aside as " + NameOf(aside);
    AppendLogLine(line.c_str());
    if (!aside.empty()) {
        SyncFolder(FolderOf(path));
        UserStoreChanged();
    }
    return aside;
}
