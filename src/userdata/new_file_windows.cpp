// The bytes go to a temporary file of a unique name in the target folder,
// reach the disk, then get their final name by a move that fails rather
// than replace a file that took the name in the meantime.
#include <windows.h>

#include <cstdint>
#include <string>

#include "runtime/utf16_windows.h"
#include "userdata/new_file.h"
#include "userdata/file_io_windows.h"

namespace {

std::string Reason(const std::string& what, DWORD error) { return what + ": system error " + std::to_string(error); }

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool MakeFolders(const std::string& folder, std::string& failure) {
    DWORD error = ERROR_SUCCESS;
    std::string tried;
    // A drive ("C:") or the start of a share cannot be made and need not
    // be: each part is tried, and only the whole folder must be there.
    for (size_t end = 1; end <= folder.size(); ++end) {
        if (end < folder.size() && folder[end] != '/' && folder[end] != '\\') continue;
        const std::string part = folder.substr(0, end);
        const std::wstring wide = WideFromUtf8(part);
        if (wide.empty() || IsFolder(wide)) continue;
        if (CreateDirectoryW(wide.c_str(), nullptr) == 0 && GetLastError() != ERROR_ALREADY_EXISTS) {
            error = GetLastError();
            tried = part;
        }
    }
    const std::wstring whole = WideFromUtf8(folder);
    if (whole.empty() || !IsFolder(whole)) {
        failure = error != ERROR_SUCCESS ? Reason("cannot make " + tried, error) : folder + " is not a folder";
        return false;
    }
    return true;
}

}  // namespace

std::string WriteNewFile(const std::string& folder, const std::string& stem, const std::string& extension,
                         const std::string& bytes, std::string& failure) {
    if (folder.empty() || stem.empty()) {
        failure = "no folder or no name";
        return "";
    }
    if (!MakeFolders(folder, failure)) return "";
    const std::string base = folder.back() == '/' || folder.back() == '\\' ? folder : folder + "/";
    std::string tempPath;
    std::wstring temp;
    HANDLE file = INVALID_HANDLE_VALUE;
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE && NameTaken(error); ++attempt) {
        tempPath = base + "." + stem + "-" + UniqueSuffix();
        temp = WideFromUtf8(tempPath);
        file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) error = GetLastError();
    }
    if (file == INVALID_HANDLE_VALUE) {
        failure = Reason("cannot write in " + folder, error);
        return "";
    }
    bool written = WriteAll(file, bytes) && FlushFileBuffers(file) != 0;
    error = GetLastError();
    written = CloseHandle(file) != 0 && written;
    if (!written) {
        failure = Reason("cannot write " + tempPath, error);
        DeleteFileW(temp.c_str());
        return "";
    }
    std::string path;
    error = ERROR_FILE_EXISTS;
    for (int n = 1; n <= kNewFileMaxNames && NameTaken(error); ++n) {
        path = base;
        path += stem;
        if (n > 1) path += "-" + std::to_string(n);
        path += extension;
        // No MOVEFILE_REPLACE_EXISTING: a name already taken stays as it is.
        const std::wstring target = WideFromUtf8(path);
        if (target.empty()) {
            error = ERROR_INVALID_NAME;
        } else {
            error =
                MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) != 0 ? ERROR_SUCCESS : GetLastError();
        }
    }
    if (error != ERROR_SUCCESS) {
        DeleteFileW(temp.c_str());
        failure = NameTaken(error) ? "every name from " + stem + extension + " is taken"
                                   : Reason("cannot name " + path, error);
        return "";
    }
    return path;
}
