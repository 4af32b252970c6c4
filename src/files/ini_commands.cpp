// ReadIni, ReadIniNumber and WriteIni over the two folders.
#include <string>

#include "aerox/files.h"
#include "files/game_paths.h"
#include "files/ini_text.h"
#include "files/whole_file.h"

namespace {

// An INI file larger than this is no settings file a game keeps.
constexpr size_t kMaxIniBytes = size_t{4} << 20;

// The value, or false (the fallback's case). Logs a refused path or a
// file too big to read.
bool LookUp(const char* command, const RtString& path, const RtString& section, const RtString& key,
            std::string& value) {
    GamePath placed;
    if (!PlaceGamePath(command, path.Text(), placed)) return false;
    std::string text;
    bool tooBig = false;
    if (!ReadWholeGameFile(placed, kMaxIniBytes, text, tooBig)) {
        if (tooBig) LogFileFailure(command, path.Text(), "is over 4 MiB: no INI file");
        return false;
    }
    return FindIniValue(text, section.Text(), key.Text(), value);
}

}  // namespace

RtString ReadIni(const RtString& path, const RtString& section, const RtString& key, const RtString& fallback) {
    std::string value;
    if (!LookUp("ReadIni", path, section, key, value)) return fallback;
    return RtString(value.c_str());
}

double ReadIniNumber(const RtString& path, const RtString& section, const RtString& key, double fallback) {
    std::string value;
    if (!LookUp("ReadIniNumber", path, section, key, value)) return fallback;
    return ToNumber(value.c_str());
}

double WriteIni(const RtString& path, const RtString& section, const RtString& key, const RtString& value) {
    GamePath placed;
    std::string target;
    if (!PlaceGamePath("WriteIni", path.Text(), placed) || !WritablePath("WriteIni", placed, target)) return 0;
    std::string text;
    bool tooBig = false;
    if (!ReadWholeGameFile(placed, kMaxIniBytes, text, tooBig) && tooBig) {
        LogFileFailure("WriteIni", path.Text(), "is over 4 MiB: no INI file");
        return 0;
    }
    std::string result, why;
    if (!SetIniValue(text, section.Text(), key.Text(), std::string(value.Text(), value.Length()), result, why)) {
        LogFileFailure("WriteIni", path.Text(), why);
        return 0;
    }
    if (!SaveWholeFile(target, result)) {
        LogFileFailure("WriteIni", path.Text(), "could not be saved; the file is as it was");
        return 0;
    }
    return 1;
}
