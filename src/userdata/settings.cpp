#include "userdata/settings.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/errors.h"
#include "userdata/atomic_file.h"
#include "userdata/ini_reader.h"
#include "userdata/saved_text.h"
#include "userdata/user_dir.h"

namespace {

constexpr const char* kFileName = "settings.ini";

struct Entry {
    const char* section;
    const char* key;
    int low;
    int high;
    int step;
};
constexpr Entry kEntries[] = {
    {"window", "scale", 0, 16, 1},
    {"window", "fullscreen", 0, 1, 1},
    {"sound", "volume", 0, 100, 10},
};
constexpr size_t kEntryCount = sizeof kEntries / sizeof kEntries[0];

struct Reading {
    int values[kEntryCount] = {};
    bool seen[kEntryCount] = {};
    std::string fault;
};

void Note(Reading& reading, const std::string& what) {
    if (reading.fault.empty()) reading.fault = what;
}

// A whole number in at most three digits, or -1.
int SmallNumber(const char* text) {
    const size_t length = std::strlen(text);
    if (length == 0 || length > 3) return -1;
    int value = 0;
    for (size_t i = 0; i < length; ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

int OnEntry(void* user, const char* section, const char* key, const char* value) {
    Reading& reading = *static_cast<Reading*>(user);
    const std::string name = std::string(section) + "." + key;
    for (size_t i = 0; i < kEntryCount; ++i) {
        const Entry& entry = kEntries[i];
        if (std::strcmp(section, entry.section) != 0 || std::strcmp(key, entry.key) != 0) continue;
        // A second value (a repeated key or a continued line) is ambiguous:
        // the first one stands.
        if (reading.seen[i]) {
            Note(reading, name + " given twice");
            return 1;
        }
        const int number = SmallNumber(value);
        if (number < entry.low || number > entry.high || number % entry.step != 0) {
            Note(reading, name + " out of range");
            return 1;
        }
        reading.seen[i] = true;
        reading.values[i] = number;
        return 1;
    }
    Note(reading, "unknown entry " + name);
    return 1;
}

// The INI reader passes on entries only: a header of an unknown section with no
// entries under it is caught here.
void CheckSectionHeaders(const std::vector<std::string>& lines, Reading& reading) {
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] != '[') continue;
        const size_t end = line.find(']', start);
        if (end == std::string::npos) continue;  // the INI reader reports it
        const std::string name = line.substr(start + 1, end - start - 1);
        bool known = false;
        for (const Entry& entry : kEntries) known = known || name == entry.section;
        if (!known) Note(reading, "unknown section on line " + std::to_string(i + 1));
    }
}

int Clamp(int value, const Entry& entry) {
    const int inRange = std::clamp(value, entry.low, entry.high);
    return (inRange + entry.step / 2) / entry.step * entry.step;
}

}  // namespace

UserSettings LoadUserSettings() {
    UserSettings settings;
    const std::string& folder = UserDataDirectory();
    if (folder.empty()) return settings;
    const std::string path = folder + kFileName;
    RemoveStaleTemporaries(path);
    std::string bytes;
    Reading reading;
    switch (ReadSavedFile(path, bytes)) {
        case SavedRead::Missing: return settings;
        case SavedRead::Unreadable: reading.fault = "not a readable file"; break;
        case SavedRead::TooBig: reading.fault = "larger than " + std::to_string(kSavedFileMaxBytes) + " bytes"; break;
        case SavedRead::Read: break;
    }
    // The INI reader reads only what passed the first look: bad lines come to it
    // empty, so the line numbers it reports stay true.
    const std::vector<std::string> lines = SplitSavedLines(bytes, reading.fault);
    CheckSectionHeaders(lines, reading);
    std::string text;
    for (const std::string& line : lines) text += line + '\n';
    const int badLine = ReadIniText(text.c_str(), &OnEntry, &reading);
    if (badLine > 0) Note(reading, "not an entry on line " + std::to_string(badLine));
    if (reading.seen[0]) settings.scale = reading.values[0];
    if (reading.seen[1]) settings.fullscreen = reading.values[1] != 0;
    if (reading.seen[2]) settings.volume = reading.values[2];
    if (!reading.fault.empty() && !SetFileAside(path, reading.fault).empty() &&
        (reading.seen[0] || reading.seen[1] || reading.seen[2])) {
        SaveUserSettings(settings);
    }
    return settings;
}

bool SaveUserSettings(const UserSettings& settings) {
    const std::string& folder = UserDataDirectory();
    if (folder.empty()) return false;
    std::string text = "; Aerox settings. scale: 0 (automatic) to 16; fullscreen: 0 or 1; volume: 0 to 100 in tens\n";
    text += "[window]\nscale = " + std::to_string(Clamp(settings.scale, kEntries[0])) + "\n";
    text += "fullscreen = " + std::to_string(settings.fullscreen ? 1 : 0) + "\n";
    text += "\n[sound]\nvolume = " + std::to_string(Clamp(settings.volume, kEntries[2])) + "\n";
    if (WriteFileAtomically(folder + kFileName, text)) return true;
    const std::string line = std::string(kFileName) + " could not be saved in " + folder;
    AppendLogLine(line.c_str());
    return false;
}
