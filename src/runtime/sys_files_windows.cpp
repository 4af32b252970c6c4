#include "runtime/sys_files.h"

#include <sys/stat.h>
#include <windows.h>

#include "runtime/utf16_windows.h"

std::FILE* OpenFile(const std::string& path, const char* mode) {
    const std::wstring name = WideFromUtf8(path);
    const std::wstring wideMode = WideFromUtf8(mode != nullptr ? mode : "");
    if (name.empty() || wideMode.empty()) return nullptr;
    return _wfopen(name.c_str(), wideMode.c_str());
}

bool IsReadableFile(const std::string& path) {
    const std::wstring name = WideFromUtf8(path);
    if (name.empty()) return false;
    // Without FILE_FLAG_BACKUP_SEMANTICS a folder does not open; the type
    // check keeps out devices (CON, NUL, COM1...) and pipes.
    HANDLE file = CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool plain = GetFileType(file) == FILE_TYPE_DISK && GetFileInformationByHandle(file, &info) != 0 &&
                       (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    CloseHandle(file);
    return plain;
}

bool PathExists(const std::string& path) {
    const std::wstring name = WideFromUtf8(path);
    return !name.empty() && GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool RemoveFile(const std::string& path) {
    const std::wstring name = WideFromUtf8(path);
    return !name.empty() && DeleteFileW(name.c_str()) != 0;
}

bool OpenFileSize(std::FILE* file, int64_t& size) {
    struct _stat64 info {};
    if (file == nullptr || _fstat64(_fileno(file), &info) != 0) return false;
    size = info.st_size;
    return true;
}

bool SeekTo(std::FILE* file, int64_t position) {
    return file != nullptr && position >= 0 && _fseeki64(file, position, SEEK_SET) == 0;
}
