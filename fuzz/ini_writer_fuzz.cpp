// Sets one value in arbitrary INI text: whenever the writer accepts, the
// text it makes reads back as that value with every other entry as it was;
// when it refuses, it says why. The input is the section, the key and the
// value, each ended by a zero byte, then the text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "files/ini_text.h"

namespace {

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

std::vector<IniEntry> Others(const std::string& text, const std::string& section, const std::string& key) {
    std::vector<IniEntry> others;
    for (const IniEntry& entry : ReadIniEntries(text)) {
        if (!SameName(entry.section, section) || !SameName(entry.key, key)) others.push_back(entry);
    }
    return others;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::string parts[3];
    size_t at = 0;
    for (std::string& part : parts) {
        const size_t end = input.find('\0', at);
        if (end == std::string::npos) return 0;
        part = input.substr(at, end - at);
        at = end + 1;
    }
    const std::string text = input.substr(at);
    std::string result, why;
    if (!SetIniValue(text, parts[0], parts[1], parts[2], result, why)) {
        if (why.empty() || !result.empty()) __builtin_trap();
        return 0;
    }
    std::string value;
    if (!FindIniValue(result, parts[0], parts[1], value) || value != parts[2]) __builtin_trap();
    if (Others(result, parts[0], parts[1]) != Others(text, parts[0], parts[1])) __builtin_trap();
    // Setting the same value again changes nothing.
    std::string again;
    if (!SetIniValue(result, parts[0], parts[1], parts[2], again, why) || again != result) __builtin_trap();
    return 0;
}
