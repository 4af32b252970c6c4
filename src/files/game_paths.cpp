#include "files/game_paths.h"

#include <cstdio>

#include "files/chosen_paths.h"
#include "gfx/archive.h"
#include "gfx/data_resolver.h"
#include "runtime/errors.h"
#include "runtime/sys_files.h"
#include "userdata/user_dir.h"

namespace {

// Windows opens a device for these names in any folder, with any
// extension ("nul.txt" too): a game's portable file names avoid them.
bool IsDeviceName(const std::string& part) {
    std::string stem = part.substr(0, part.find('.'));
    for (char& c : stem) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL") return true;
    return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) && stem[3] >= '1' &&
           stem[3] <= '9';
}

}  // namespace

bool IsContainedPath(const std::string& path, std::string& normal) {
    normal.clear();
    if (path.empty()) return false;
    normal.reserve(path.size());
    size_t partStart = 0;
    for (size_t i = 0; i <= path.size(); ++i) {
        const char c = i < path.size() ? path[i] : '/';
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f || c == ':') return false;
        if (c == '/' || c == '\\') {
            if (i == 0) return false;
            const std::string part = path.substr(partStart, i - partStart);
            if (part == ".." || IsDeviceName(part)) return false;
            partStart = i + 1;
            if (i < path.size()) normal += '/';
        } else {
            normal += c;
        }
    }
    return true;
}

bool PlaceGamePath(const char* command, const std::string& path, GamePath& placed) {
    placed = GamePath{};
    if (IsChosenPath(path)) {
        placed.user = placed.game = path;
        placed.chosen = true;
        const size_t separator = path.find_last_of("/\\");
        placed.name = separator == std::string::npos ? path : path.substr(separator + 1);
        return true;
    }
    std::string normal;
    if (!IsContainedPath(path, normal)) {
        LogFileFailure(command, path,
                       "is refused: only paths inside the game's folders (no drive, no leading / and no ..)");
        return false;
    }
    const std::string& folder = UserDataDirectory();
    if (!folder.empty()) placed.user = folder + normal;
    placed.game = normal;
    const size_t separator = normal.find_last_of('/');
    placed.name = separator == std::string::npos ? normal : normal.substr(separator + 1);
    return true;
}

bool WritablePath(const char* command, const GamePath& placed, std::string& target) {
    target = placed.user;
    if (!target.empty()) return true;
    LogFileFailure(command, placed.game, "cannot be written: there is no per-user folder");
    return false;
}

void LogFileFailure(const char* command, const std::string& path, const std::string& why) {
    std::string shown = path.substr(0, 200);
    for (char& c : shown) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
    }
    const std::string line = std::string(command) + ": '" + shown + "' " + why;
    AppendLogLine(line.c_str());
}

namespace {

// 0 read, 1 too big, -1 not readable there.
int ReadPlainFile(const std::string& path, size_t limit, std::string& bytes) {
    if (path.empty() || !IsReadableFile(path)) return -1;
    std::FILE* file = OpenFile(path, "rb");
    if (file == nullptr) return -1;
    bytes.clear();
    char block[65536];
    int result = 0;
    for (;;) {
        const size_t got = std::fread(block, 1, sizeof block, file);
        if (got == 0) break;
        if (bytes.size() + got > limit) {
            result = 1;
            break;
        }
        bytes.append(block, got);
    }
    if (result == 0 && std::ferror(file) != 0) result = -1;
    std::fclose(file);
    if (result != 0) bytes.clear();
    return result;
}

}  // namespace

bool ReadWholeGameFile(const GamePath& placed, size_t limit, std::string& bytes, bool& tooBig) {
    tooBig = false;
    for (const std::string* path : {&placed.user, &placed.game}) {
        const int result = ReadPlainFile(*path, limit, bytes);
        if (result >= 0) {
            tooBig = result == 1;
            return !tooBig;
        }
        if (placed.chosen) break;
    }
    if (placed.chosen || g_dataResolvers[0] == nullptr || !SafeEntryName(placed.name)) return false;
    ArchiveEntry entry;
    if (ExtractArchiveEntry(g_dataResolvers[0]->archivePath, placed.name, entry) != ArchiveResult::Found) return false;
    if (entry.size > limit) {
        tooBig = true;
        return false;
    }
    bytes.assign(reinterpret_cast<const char*>(entry.data.get()), entry.size);
    return true;
}
