// Reading one value of INI text and setting one value in it, with the rules
// of the engine's INI reader (userdata/ini_reader.h).
#pragma once
#include <string>
#include <vector>

struct IniEntry {
    std::string section;
    std::string key;
    std::string value;
    bool operator==(const IniEntry&) const = default;
};

// Every entry (and continued value) the INI reader sees in text, in order.
// Text past a zero byte is not read.
std::vector<IniEntry> ReadIniEntries(const std::string& text);

// The last value of key in section (both compared without regard to
// letter case); false when there is none.
bool FindIniValue(const std::string& text, const std::string& section, const std::string& key, std::string& value);

// text with key in section set to value: the last line of that key is
// replaced (with the lines that continued it), or a line is added at the
// end of the section, or the section at the end. Every other line stays as
// it was. False, with why saying so, when text holds a zero byte, the key
// is empty, or the result would not read back as value with every other
// entry unchanged.
bool SetIniValue(const std::string& text, const std::string& section, const std::string& key, const std::string& value,
                 std::string& result, std::string& why);
