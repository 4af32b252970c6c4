// Text entry: the text typed, in UTF-8 as the system's keyboard layout and
// input method make it, and the text an input method is composing.
#include <SDL.h>

#include <string>

#include "aerox/input.h"
#include "gfx/engine_context.h"
#include "input/input_context.h"
#include "input/pointer_mapping.h"
#include "runtime/engine_required.h"

namespace {
// A coordinate of the command as an int; far outside any screen is the edge.
int Coordinate(double v) { return v > -1e6 && v < 1e6 ? static_cast<int>(v) : (v > 0 ? 1000000 : 0); }
}  // namespace

void StartTextInput(double x, double y, double width, double height) {
    if (!RequireEngine(g_input != nullptr, "StartTextInput")) return;
    PointerEvents& events = g_input->pointer;
    if (!events.typing) {
        // Only what is typed from now on.
        events.typed.clear();
        events.composition.clear();
        events.typedOverflow = false;
    }
    events.typing = true;
    if (g_engine != nullptr && g_input->window != nullptr) {
        WindowShape shape;
        SDL_GetWindowSize(g_input->window, &shape.windowWidth, &shape.windowHeight);
        SDL_GL_GetDrawableSize(g_input->window, &shape.drawableWidth, &shape.drawableHeight);
        shape.screenWidth = g_engine->screenWidth;
        shape.screenHeight = g_engine->screenHeight;
        const WindowRect at =
            WindowRectFromScreen(shape, Coordinate(x), Coordinate(y), Coordinate(width), Coordinate(height));
        SDL_Rect rect{at.x, at.y, at.width, at.height};
        SDL_SetTextInputRect(&rect);
    }
    SDL_StartTextInput();
}

void StopTextInput() {
    if (!RequireEngine(g_input != nullptr, "StopTextInput")) return;
    g_input->pointer.typing = false;
    g_input->pointer.composition.clear();
    SDL_StopTextInput();
}

RtString TextInput() {
    if (!RequireEngine(g_input != nullptr, "TextInput")) return RtString();
    PointerEvents& events = g_input->pointer;
    RtString text(events.typed.c_str());
    events.typed.clear();
    events.typedOverflow = false;
    return text;
}

RtString TextComposition() {
    if (!RequireEngine(g_input != nullptr, "TextComposition")) return RtString();
    return RtString(g_input->pointer.composition.c_str());
}
