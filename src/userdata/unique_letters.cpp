#include "userdata/unique_letters.h"

#include <atomic>

std::string UniqueLetters(std::uint64_t processId, std::uint64_t clockTicks) {
    static std::atomic<std::uint64_t> counter{0};
    std::uint64_t mix = (processId << 40) ^ (++counter * 0x9E3779B97F4A7C15ULL) ^ clockTicks;
    mix ^= mix >> 29;
    mix *= 0xBF58476D1CE4E5B9ULL;
    mix ^= mix >> 32;
    static const char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::string letters(6, 'a');
    for (char& letter : letters) {
        letter = kAlphabet[mix % 36];
        mix /= 36;
    }
    return letters;
}
