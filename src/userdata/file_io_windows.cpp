#include "userdata/file_io_windows.h"

#include "userdata/unique_letters.h"

std::string UniqueSuffix() { return UniqueLetters(GetCurrentProcessId(), GetTickCount64()); }

bool WriteAll(HANDLE file, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(bytes.size() - done > 1 << 20 ? 1 << 20 : bytes.size() - done);
        DWORD written = 0;
        if (WriteFile(file, bytes.data() + done, chunk, &written, nullptr) == 0 || written == 0) return false;
        done += written;
    }
    return true;
}

bool NameTaken(DWORD error) { return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS; }
