#include "userdata/user_dir.h"

#include <SDL.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "runtime/errors.h"

namespace {

// Empty until the engine starts: a game that saves before then must not
// write into another game's folder.
std::string g_appName;
std::string g_folder;
bool g_looked = false;

// The folder, or "" with what was tried in tried.
std::string FindFolder(std::string& tried) {
    const char* chosen = std::getenv("AEROX_USER_DIR");
    std::string folder;
    tried = "the system's folder for " + g_appName;
    if (chosen != nullptr && chosen[0] != '\0') {
        tried = chosen;
        folder = chosen;
        if (folder.back() != '/') folder += '/';
        // The name is UTF-8 on every platform: a path made from char8_t
        // text says so (a plain string would be read in Windows' ANSI code
        // page).
        const std::filesystem::path path(std::u8string(folder.begin(), folder.end()));
        std::error_code error;
        std::filesystem::create_directories(path, error);
        if (!std::filesystem::is_directory(path, error)) folder.clear();
    } else if (g_appName.empty()) {
        tried = "none before the engine starts";
    } else {
        // An empty organisation keeps the game's folder directly under the
        // user's data folder.
        char* pref = SDL_GetPrefPath("", g_appName.c_str());
        if (pref != nullptr) folder = pref;
        SDL_free(pref);
    }
    return folder;
}

}  // namespace

void SetUserDataAppName(const char* name) {
    // The name becomes one folder: separators and control bytes would take
    // it elsewhere.
    std::string safe;
    for (const char* c = name != nullptr ? name : ""; *c != '\0'; ++c) {
        if (*c != '/' && *c != '\\' && static_cast<unsigned char>(*c) >= 0x20) safe += *c;
    }
    g_appName = safe.empty() || safe == "." || safe == ".." ? "Game" : safe;
    ForgetUserDataDirectory();
}

const std::string& UserDataDirectory() {
    if (!g_looked) {
        g_looked = true;
        std::string tried;
        g_folder = FindFolder(tried);
        if (g_folder.empty()) {
            const std::string line =
                "No folder for the user's data (" + tried + "): settings and hi-scores are not saved";
            AppendLogLine(line.c_str());
        }
    }
    return g_folder;
}

void ForgetUserDataDirectory() {
    g_looked = false;
    g_folder.clear();
}
