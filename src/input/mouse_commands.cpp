// The mouse commands: the pointer in the game's screen pixels, whatever the
// window's size, scale and bars; the buttons with their quick clicks; the
// wheel; the pointer's visibility.
#include <SDL.h>

#include <cstdio>
#include <string>

#include "aerox/input.h"
#include "gfx/engine_context.h"
#include "input/input_context.h"
#include "input/pointer.h"
#include "input/pointer_mapping.h"
#include "input/pointer_source.h"
#include "runtime/engine_required.h"
#include "runtime/errors.h"

namespace {
PointerSource g_pointerSource = nullptr;
void* g_pointerSourceUser = nullptr;

PointerReading Scripted() {
    PointerReading reading;
    g_pointerSource(reading, g_pointerSourceUser);
    return reading;
}

// The pointer where SDL last saw it over the window, in screen pixels.
ScreenPoint PointerOnScreen() {
    if (g_pointerSource != nullptr) {
        const PointerReading r = Scripted();
        return {r.x, r.y};
    }
    if (g_engine == nullptr || g_input->window == nullptr) return {};
    WindowShape shape;
    SDL_GetWindowSize(g_input->window, &shape.windowWidth, &shape.windowHeight);
    SDL_GL_GetDrawableSize(g_input->window, &shape.drawableWidth, &shape.drawableHeight);
    shape.screenWidth = g_engine->screenWidth;
    shape.screenHeight = g_engine->screenHeight;
    int x = 0, y = 0;
    SDL_GetMouseState(&x, &y);
    return ScreenPointFromWindow(shape, x, y);
}
}  // namespace

void SetPointerSource(PointerSource source, void* user) {
    g_pointerSource = source;
    g_pointerSourceUser = user;
}

double MouseX() {
    if (!RequireEngine(g_input != nullptr, "MouseX")) return 0;
    return PointerOnScreen().x;
}

double MouseY() {
    if (!RequireEngine(g_input != nullptr, "MouseY")) return 0;
    return PointerOnScreen().y;
}

double MouseMoved() {
    if (!RequireEngine(g_input != nullptr, "MouseMoved")) return 0;
    if (g_pointerSource != nullptr) return Scripted().moved ? 1 : 0;
    const bool moved = g_input->pointer.motions > 0;
    g_input->pointer.motions = 0;
    return moved ? 1 : 0;
}

double MouseButton(double button) {
    if (!RequireEngine(g_input != nullptr, "MouseButton")) return 0;
    if (!(button >= 1 && button < 6)) {
        char text[80];
        std::snprintf(text, sizeof text, "MouseButton: button %.17g is not 1..5", button);
        AppendLogLine(text);
        return 0;
    }
    const int b = static_cast<int>(button);
    if (g_pointerSource != nullptr) return (Scripted().buttons & (1u << (b - 1))) != 0 ? 1 : 0;
    if (g_input->window == nullptr) return 0;
    const bool held = (SDL_GetMouseState(nullptr, nullptr) & SDL_BUTTON(b)) != 0;
    return TakeButton(g_input->pointer, b, held, g_input->keyFrame) ? 1 : 0;
}

double MouseWheel() {
    if (!RequireEngine(g_input != nullptr, "MouseWheel")) return 0;
    if (g_pointerSource != nullptr) return Scripted().wheel;
    const int steps = g_input->pointer.wheelSteps;
    g_input->pointer.wheelSteps = 0;
    return steps;
}

void ShowMouse(double on) {
    if (!RequireEngine(g_input != nullptr, "ShowMouse")) return;
    if (SDL_ShowCursor(on != 0 ? SDL_ENABLE : SDL_DISABLE) < 0)
        AppendLogLine((std::string("ShowMouse: ") + SDL_GetError()).c_str());
}
