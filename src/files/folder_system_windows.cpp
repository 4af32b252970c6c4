#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "files/folder_system.h"
#include "runtime/utf16_windows.h"
#include "userdata/file_io_windows.h"

namespace {

std::string FolderOf(const std::string& path) {
    const size_t separator = path.find_last_of("/\\");
    if (separator == std::string::npos) return ".";
    return separator == 0 ? path.substr(0, 1) : path.substr(0, separator);
}

std::string NameOf(const std::string& path) {
    const size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

}  // namespace

PathKind KindOfPath(const std::string& path) {
    const std::wstring name = WideFromUtf8(path);
    if (name.empty()) return PathKind::Missing;
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::Missing;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return PathKind::Folder;
    return (attributes & FILE_ATTRIBUTE_DEVICE) != 0 ? PathKind::Other : PathKind::File;
}

bool MakeOneFolder(const std::string& path) {
    const std::wstring name = WideFromUtf8(path);
    return !name.empty() && CreateDirectoryW(name.c_str(), nullptr) != 0;
}

bool RenameKeepingTarget(const std::string& from, const std::string& to) {
    const std::wstring a = WideFromUtf8(from);
    const std::wstring b = WideFromUtf8(to);
    // Without MOVEFILE_REPLACE_EXISTING an existing name is never replaced.
    return !a.empty() && !b.empty() && MoveFileExW(a.c_str(), b.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
}

bool ListFolderItems(const std::string& folder, size_t limit, std::vector<FolderItem>& items) {
    items.clear();
    const std::wstring pattern = WideFromUtf8(folder + "/*");
    if (pattern.empty()) return false;
    WIN32_FIND_DATAW item{};
    HANDLE listing = FindFirstFileW(pattern.c_str(), &item);
    if (listing == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        const std::string name = Utf8FromWide(item.cFileName);
        if (name == "." || name == "..") continue;
        items.push_back({name, (item.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (items.size() < limit && FindNextFileW(listing, &item) != 0);
    FindClose(listing);
    return true;
}

std::FILE* CreateTemporaryBeside(const std::string& path, std::string& tempPath) {
    const std::string prefix = FolderOf(path) + "/." + NameOf(path) + ".tmp-";
    // CREATE_NEW: no other writer holds the same name.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate = prefix + UniqueSuffix();
        const std::wstring name = WideFromUtf8(candidate);
        if (name.empty()) return nullptr;
        HANDLE handle = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            if (NameTaken(GetLastError())) continue;
            return nullptr;
        }
        const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDWR | _O_BINARY);
        if (fd < 0) {
            CloseHandle(handle);
            DeleteFileW(name.c_str());
            return nullptr;
        }
        std::FILE* file = _fdopen(fd, "w+b");
        if (file == nullptr) {
            _close(fd);
            DeleteFileW(name.c_str());
            return nullptr;
        }
        tempPath = candidate;
        return file;
    }
    return nullptr;
}

bool FinishTemporary(std::FILE* file, const std::string& tempPath, const std::string& path) {
    const std::wstring temp = WideFromUtf8(tempPath);
    const std::wstring target = WideFromUtf8(path);
    bool ok = SyncAndClose(file);
    // WRITE_THROUGH: the call returns once the new name is on the disk.
    ok = ok && !target.empty() &&
         MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok) DeleteFileW(temp.c_str());
    return ok;
}

bool SyncAndClose(std::FILE* file) {
    bool ok = std::fflush(file) == 0;
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    ok = handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle) != 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    return ok;
}

int64_t TellFile(std::FILE* file) { return _ftelli64(file); }
