#include "userdata/file_io_windows.h"

#include <cstdint>

std::string UniqueSuffix() {
    static uint32_t counter = 0;
    uint64_t mix =
        (uint64_t{GetCurrentProcessId()} << 32) ^ (uint64_t{++counter} * 0x9E3779B97F4A7C15ULL) ^ GetTickCount64();
    mix ^= mix >> 29;
    mix *= 0xBF58476D1CE4E5B9ULL;
    mix ^= mix >> 32;
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string suffix;
    for (int i = 0; i < 6; ++i) {
        suffix += kLetters[mix % 36];
        mix /= 36;
    }
    return suffix;
}

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
