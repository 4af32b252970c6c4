// The window's size as a whole multiple of the screen, and desktop full
// screen: how big the player sees the screen, never what is drawn on it.
#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "gfx/engine_context.h"
#include "gfx/frame_scaling.h"
#include "aerox/drawing.h"
#include "gfx/offscreen_frame.h"
#include "gfx/window.h"
#include "runtime/errors.h"
#include "runtime/engine_required.h"

namespace {

// Drawable pixels per window unit: above 1 on HiDPI displays, where SDL
// sizes windows in points.
double PixelsPerPoint(SDL_Window* window) {
    if (window == nullptr) return 1.0;
    int w = 0, h = 0, pw = 0, ph = 0;
    SDL_GetWindowSize(window, &w, &h);
    SDL_GL_GetDrawableSize(window, &pw, &ph);
    return w > 0 && pw > 0 ? static_cast<double>(pw) / w : 1.0;
}

// The usable area of a display in pixels; false when SDL cannot say.
bool UsableArea(int display, double pixelsPerPoint, int& width, int& height) {
    SDL_Rect area{};
    if (SDL_GetDisplayUsableBounds(display, &area) != 0 && SDL_GetDisplayBounds(display, &area) != 0) return false;
    width = static_cast<int>(area.w * pixelsPerPoint);
    height = static_cast<int>(area.h * pixelsPerPoint);
    return width > 0 && height > 0;
}

int WindowDisplay(const OpenGLZodadodu& context) {
    const int display = context.window != nullptr ? SDL_GetWindowDisplayIndex(context.window) : 0;
    return display >= 0 ? display : 0;
}

}  // namespace

int StartWindowScale(int requested, int width, int height) {
    int areaWidth = 0, areaHeight = 0;
    if (!UsableArea(0, 1.0, areaWidth, areaHeight)) return std::clamp(requested, 1, kMaxWindowScale);
    if (requested <= 0) return ComfortableScale(width, height, areaWidth, areaHeight);
    const int largest = LargestScaleFitting(width, height, areaWidth, areaHeight);
    if (requested <= largest) return requested;
    AppendLogLine(
        ("Window scale " + std::to_string(requested) + " does not fit the display: " + std::to_string(largest))
            .c_str());
    return largest;
}

int MaxWindowScale(const OpenGLZodadodu& context) {
    if (context.window == nullptr || !HasOffscreenFrame(context)) return 1;
    int areaWidth = 0, areaHeight = 0;
    if (!UsableArea(WindowDisplay(context), PixelsPerPoint(context.window), areaWidth, areaHeight))
        return kMaxWindowScale;
    return LargestScaleFitting(context.screenWidth, context.screenHeight, areaWidth, areaHeight);
}

int ShownWindowScale(const OpenGLZodadodu& context) {
    if (context.window == nullptr || context.screenWidth <= 0 || context.screenHeight <= 0) return 1;
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(context.window, &width, &height);
    return std::max(1, std::min(width / context.screenWidth, height / context.screenHeight));
}

void SetWindowSizeForScale(OpenGLZodadodu& context, int scale) {
    if (context.window == nullptr) return;
    const double pixelsPerPoint = PixelsPerPoint(context.window);
    const auto points = [&](int pixels) {
        return std::max(1, static_cast<int>(std::lround(pixels * static_cast<double>(scale) / pixelsPerPoint)));
    };
    SDL_SetWindowSize(context.window, points(context.screenWidth), points(context.screenHeight));
}

namespace {
WindowChoiceObserver g_windowChoiceObserver = nullptr;

void TellWindowChoice(const OpenGLZodadodu& context) {
    if (g_windowChoiceObserver != nullptr) g_windowChoiceObserver(context.windowScale, IsFullscreen(context));
}
}  // namespace

void SetWindowChoiceObserver(WindowChoiceObserver observer) { g_windowChoiceObserver = observer; }

void ChangeWindowScale(OpenGLZodadodu& context, int scale) {
    if (context.window == nullptr) return;
    context.windowScale = std::clamp(scale, 1, MaxWindowScale(context));
    TellWindowChoice(context);
    // A mode-switched full screen would take the new size as a new mode:
    // the window gets it when it comes back (EnterWindowed).
    if (context.fullScreen) return;
    SetWindowSizeForScale(context, context.windowScale);
    if (!IsFullscreen(context)) {
        const int display = WindowDisplay(context);
        SDL_SetWindowPosition(context.window, SDL_WINDOWPOS_CENTERED_DISPLAY(display),
                              SDL_WINDOWPOS_CENTERED_DISPLAY(display));
    }
}

bool IsFullscreen(const OpenGLZodadodu& context) {
    return context.window != nullptr && (SDL_GetWindowFlags(context.window) & SDL_WINDOW_FULLSCREEN) != 0;
}

bool SetDesktopFullscreen(OpenGLZodadodu& context, bool on) {
    if (context.window == nullptr) return false;
    if (!on && context.fullScreen) return EnterWindowed(context);
    if (SDL_SetWindowFullscreen(context.window, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) return false;
    // Out of a mode switch, the desktop's mode is back.
    context.fullScreen = false;
    TellWindowChoice(context);
    return true;
}

namespace {
int WholeNumber(double value) {
    if (std::isnan(value)) return 0;
    return static_cast<int>(std::clamp(value, -1.0, static_cast<double>(kMaxWindowScale) + 1.0));
}
}  // namespace

void SetWindowScale(double scale) {
    if (!RequireEngine(g_engine != nullptr, "SetWindowScale") || std::isnan(scale)) return;
    ChangeWindowScale(*g_engine, WholeNumber(scale));
}

double GetWindowScale() {
    return RequireEngine(g_engine != nullptr, "GetWindowScale") ? ShownWindowScale(*g_engine) : 1;
}

double GetMaxWindowScale() {
    return RequireEngine(g_engine != nullptr, "GetMaxWindowScale") ? MaxWindowScale(*g_engine) : 1;
}

void SetFullscreen(double on) {
    if (RequireEngine(g_engine != nullptr, "SetFullscreen"))
        SetDesktopFullscreen(*g_engine, on != 0 && !std::isnan(on));
}

double GetFullscreen() {
    return RequireEngine(g_engine != nullptr, "GetFullscreen") && IsFullscreen(*g_engine) ? 1 : 0;
}
