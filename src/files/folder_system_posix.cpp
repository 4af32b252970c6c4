#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files/folder_system.h"
#include "userdata/file_io_posix.h"
#include "userdata/rename_keep.h"

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

}  // namespace

PathKind KindOfPath(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return PathKind::Missing;
    if (S_ISREG(info.st_mode)) return PathKind::File;
    return S_ISDIR(info.st_mode) ? PathKind::Folder : PathKind::Other;
}

bool MakeOneFolder(const std::string& path) { return mkdir(path.c_str(), 0755) == 0; }

bool RenameKeepingTarget(const std::string& from, const std::string& to) { return RenameWithoutReplacing(from, to); }

bool ListFolderItems(const std::string& folder, size_t limit, std::vector<FolderItem>& items) {
    items.clear();
    DIR* listing = opendir(folder.c_str());
    if (listing == nullptr) return false;
    while (items.size() < limit) {
        const dirent* item = readdir(listing);
        if (item == nullptr) break;
        const std::string name = item->d_name;
        if (name == "." || name == "..") continue;
        struct stat info {};
        const bool folderItem = fstatat(dirfd(listing), item->d_name, &info, 0) == 0 && S_ISDIR(info.st_mode);
        items.push_back({name, folderItem});
    }
    closedir(listing);
    return true;
}

std::FILE* CreateTemporaryBeside(const std::string& path, std::string& tempPath) {
    std::string temp = FolderOf(path);
    temp += "/.";
    temp += NameOf(path);
    temp += ".tmp-XXXXXX";
    const int fd = MakeUniqueFile(temp);
    if (fd < 0) return nullptr;
    // The temporary is made private; a saved file is the player's to share.
    fchmod(fd, 0644);
    std::FILE* file = fdopen(fd, "w+b");
    if (file == nullptr) {
        close(fd);
        unlink(temp.c_str());
        return nullptr;
    }
    tempPath = temp;
    return file;
}

bool FinishTemporary(std::FILE* file, const std::string& tempPath, const std::string& path) {
    bool ok = SyncAndClose(file);
    ok = ok && rename(tempPath.c_str(), path.c_str()) == 0;
    if (!ok) {
        unlink(tempPath.c_str());
        return false;
    }
    SyncFolder(FolderOf(path));
    return true;
}

bool SyncAndClose(std::FILE* file) {
    bool ok = std::fflush(file) == 0 && fsync(fileno(file)) == 0;
    ok = std::fclose(file) == 0 && ok;
    return ok;
}

int64_t TellFile(std::FILE* file) { return static_cast<int64_t>(ftello(file)); }
