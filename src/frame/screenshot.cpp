#include "frame/screenshot.h"

#include <algorithm>
#include <vector>

#include "frame/presenter.h"
#include "gfx/engine_context.h"
#include "gfx/held_frame.h"
#include "gfx/png_writer.h"
#include "gfx/window.h"
#include "runtime/errors.h"
#include "userdata/new_file.h"
#include "userdata/user_dir.h"

namespace {
bool g_keyWasHeld = false;

void NotSaved(const std::string& why) { AppendLogLine(("Screenshot not saved: " + why).c_str()); }
}  // namespace

std::string ScreenshotName(const std::string& game, std::time_t when) {
    // The game's name as a file name: letters and digits lower-cased, any
    // run of other bytes one "-" (so no separator or dot gets through).
    std::string name;
    for (const char c : game) {
        const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        if ((lower >= 'a' && lower <= 'z') || (lower >= '0' && lower <= '9'))
            name += lower;
        else if (!name.empty() && name.back() != '-')
            name += '-';
        if (name.size() >= 32) break;
    }
    while (!name.empty() && name.back() == '-') name.pop_back();
    if (name.empty()) name = "screenshot";
    char text[32] = "";
    // The engine runs on one thread, so localtime's shared result is safe.
    if (const std::tm* local = std::localtime(&when)) std::strftime(text, sizeof text, "-%Y%m%d-%H%M%S", local);
    return name + text;
}

std::string SaveScreenshot(const OpenGLZodadodu& context, const std::string& folder, std::time_t when) {
    const std::vector<uint8_t> frame = ReadBackBuffer(context);
    std::string png;
    const size_t size = static_cast<size_t>(std::max(context.screenWidth, 0)) * std::max(context.screenHeight, 0) * 4;
    if (frame.empty() || frame.size() != size ||
        !EncodePngRgb(context.screenWidth, context.screenHeight, frame.data(), png)) {
        NotSaved("no frame to read");
        return "";
    }
    std::string failure;
    std::string path = WriteNewFile(folder, ScreenshotName(g_caption.Text(), when), ".png", png, failure);
    if (path.empty()) {
        NotSaved(failure);
        return "";
    }
    AppendLogLine(("Screenshot saved: " + path).c_str());
    return path;
}

std::string ScreenshotFolder() {
    const std::string& base = UserDataDirectory();
    return base.empty() ? "" : base + "screenshots";
}

void ScreenshotOnKey(const OpenGLZodadodu* context, bool keyHeld) {
    const bool pressed = keyHeld && !g_keyWasHeld;
    g_keyWasHeld = keyHeld;
    if (!pressed || context == nullptr) return;
    DrawHeldFrameNow();
    const std::string folder = ScreenshotFolder();
    if (folder.empty()) {
        NotSaved("no per-user data folder");
        return;
    }
    SaveScreenshot(*context, folder, std::time(nullptr));
}
