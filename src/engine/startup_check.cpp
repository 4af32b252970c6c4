#include "engine/startup_check.h"

#include <cstring>

#include "gfx/frame_scaling.h"

namespace {

constexpr int kMaxScreenSide = 4096;
constexpr size_t kMaxTextBytes = 255;

// Puts an int field back to its default when it is outside [low, high].
void KeepInRange(int& field, int low, int high, int fallback, const char* name, std::vector<std::string>& out) {
    if (field >= low && field <= high) return;
    out.push_back("StartupSettings." + std::string(name) + " " + std::to_string(field) + " is outside " +
                  std::to_string(low) + ".." + std::to_string(high) + ": " + std::to_string(fallback) + " is used");
    field = fallback;
}

// A text field: at most 255 bytes and no control bytes, else its default.
std::string TextOrDefault(const char* text, const char* fallback, const char* name, std::vector<std::string>& out) {
    if (text == nullptr) return fallback;
    const size_t length = strnlen(text, kMaxTextBytes + 1);
    bool clean = length <= kMaxTextBytes;
    for (size_t i = 0; clean && i < length; ++i) clean = static_cast<unsigned char>(text[i]) >= 0x20;
    if (clean) return text;
    out.push_back("StartupSettings." + std::string(name) + " is longer than 255 bytes or holds control bytes: \"" +
                  fallback + "\" is used");
    return fallback;
}

}  // namespace

CheckedStartup CheckStartupSettings(const StartupSettings& given) {
    const StartupSettings defaults;
    CheckedStartup checked;
    StartupSettings& s = checked.settings;
    s = given;
    auto& out = checked.complaints;
    KeepInRange(s.screenWidth, 1, kMaxScreenSide, defaults.screenWidth, "screenWidth", out);
    KeepInRange(s.screenHeight, 1, kMaxScreenSide, defaults.screenHeight, "screenHeight", out);
    KeepInRange(s.frameRate, 1, 1000, defaults.frameRate, "frameRate", out);
    KeepInRange(s.fullScreen, 0, 1, defaults.fullScreen, "fullScreen", out);
    KeepInRange(s.multisampleSamples, 0, 16, defaults.multisampleSamples, "multisampleSamples", out);
    KeepInRange(s.DebugMode, 0, 1, defaults.DebugMode, "DebugMode", out);
    KeepInRange(s.captureMouse, 0, 1, defaults.captureMouse, "captureMouse", out);
    KeepInRange(s.windowScale, 0, kMaxWindowScale, defaults.windowScale, "windowScale", out);
    KeepInRange(s.desktopFullscreen, -1, 1, defaults.desktopFullscreen, "desktopFullscreen", out);
    checked.caption = TextOrDefault(given.caption, defaults.caption, "caption", out);
    checked.version = TextOrDefault(given.version, defaults.version, "version", out);
    checked.userFolder = TextOrDefault(given.userFolder, "", "userFolder", out);
    // One folder name: a separator or a dot name would put the game's data
    // somewhere else.
    const std::string& folder = checked.userFolder;
    if (folder == "." || folder == ".." || folder.find_first_of("/\\") != std::string::npos) {
        out.push_back("StartupSettings.userFolder \"" + folder + "\" is not one folder name: the caption is used");
        checked.userFolder.clear();
    }
    if (checked.userFolder.empty()) checked.userFolder = checked.caption;
    return checked;
}
