#include <windows.h>

#include <cstdint>
#include <ctime>

#include "runtime/errors.h"
#include "runtime/utf16_windows.h"
#include "userdata/atomic_file.h"
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

std::string TemporaryPrefix(const std::string& path) { return "." + NameOf(path) + ".tmp-"; }

}  // namespace

SavedRead ReadSavedFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    const std::wstring name = WideFromUtf8(path);
    if (name.empty()) return SavedRead::Unreadable;
    // A folder does not open without FILE_FLAG_BACKUP_SEMANTICS; the type
    // check keeps out devices and pipes.
    HANDLE file = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? SavedRead::Missing
                                                                              : SavedRead::Unreadable;
    }
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return SavedRead::Unreadable;
    }
    // One byte more than allowed tells a file that is too big, whatever
    // its size said a moment ago.
    bytes.resize(kSavedFileMaxBytes + 1);
    size_t got = 0;
    while (got < bytes.size()) {
        DWORD n = 0;
        if (ReadFile(file, bytes.data() + got, static_cast<DWORD>(bytes.size() - got), &n, nullptr) == 0) {
            CloseHandle(file);
            bytes.clear();
            return SavedRead::Unreadable;
        }
        if (n == 0) break;
        got += n;
    }
    CloseHandle(file);
    if (got > kSavedFileMaxBytes) {
        bytes.resize(kSavedFileMaxBytes);
        return SavedRead::TooBig;
    }
    bytes.resize(got);
    return SavedRead::Read;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes) {
    const std::wstring target = WideFromUtf8(path);
    if (target.empty()) return false;
    // The dot keeps the temporary out of a casual listing; CREATE_NEW makes
    // sure no other writer holds the same name.
    const std::string prefix = FolderOf(path) + "/" + TemporaryPrefix(path);
    std::wstring temp;
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
        temp = WideFromUtf8(prefix + UniqueSuffix());
        if (temp.empty()) return false;
        file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE && !NameTaken(GetLastError())) return false;
    }
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = WriteAll(file, bytes) && FlushFileBuffers(file) != 0;
    ok = CloseHandle(file) != 0 && ok;
    // WRITE_THROUGH: the call returns once the new name is on the disk.
    ok = ok && MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok) DeleteFileW(temp.c_str());
    return ok;
}

void RemoveStaleTemporaries(const std::string& path) {
    const std::string folder = FolderOf(path);
    const std::string prefix = TemporaryPrefix(path);
    const std::wstring pattern = WideFromUtf8(folder + "/" + prefix + "*");
    if (pattern.empty()) return;
    WIN32_FIND_DATAW item{};
    HANDLE listing = FindFirstFileW(pattern.c_str(), &item);
    if (listing == INVALID_HANDLE_VALUE) return;
    FILETIME nowTime{};
    GetSystemTimeAsFileTime(&nowTime);
    // File times count 100 ns steps.
    const uint64_t now = (uint64_t{nowTime.dwHighDateTime} << 32) | nowTime.dwLowDateTime;
    const uint64_t old = now - uint64_t{60} * 10000000;
    // Bounded: a folder flooded with names is not worth more than this.
    int seen = 0;
    do {
        const std::string name = Utf8FromWide(item.cFileName);
        // The six characters of the unique suffix, nothing else.
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0) continue;
        if ((item.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) continue;
        const uint64_t written =
            (uint64_t{item.ftLastWriteTime.dwHighDateTime} << 32) | item.ftLastWriteTime.dwLowDateTime;
        if (written < old) DeleteFileW(WideFromUtf8(folder + "/" + name).c_str());
    } while (++seen < 10000 && FindNextFileW(listing, &item) != 0);
    FindClose(listing);
}

std::string SetFileAside(const std::string& path, const std::string& reason) {
    char stamp[32] = "00000000-000000";
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_s(&local, &now) == 0) std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string base = path + ".bad-" + stamp;
    const std::wstring from = WideFromUtf8(path);
    std::string aside;
    // Bounded: a folder full of set-aside files ends the search. Without
    // MOVEFILE_REPLACE_EXISTING an existing name is never replaced.
    for (int n = 1; n <= 1000 && aside.empty() && !from.empty(); ++n) {
        const std::string candidate = n == 1 ? base : base + "-" + std::to_string(n);
        if (MoveFileExW(from.c_str(), WideFromUtf8(candidate).c_str(), MOVEFILE_WRITE_THROUGH) != 0) {
            aside = candidate;
        } else if (!NameTaken(GetLastError())) {
            break;
        }
    }
    std::string line = path + ": not trusted (" + reason + "); ";
    line += aside.empty() ? "it could not be set aside" : "set aside as " + NameOf(aside);
    AppendLogLine(line.c_str());
    return aside;
}
