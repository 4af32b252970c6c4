#include "input/pointer.h"

#include <SDL.h>

#include <climits>
#include <cstring>

#include "runtime/errors.h"

namespace {

bool ForOurWindow(const InputContext* input, Uint32 windowID) {
    return input->window != nullptr && windowID == SDL_GetWindowID(input->window);
}

void NoteWheel(PointerEvents& events, const SDL_MouseWheelEvent& wheel) {
    const int steps = wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -wheel.y : wheel.y;
    // Bounded: a game that never reads the wheel cannot overflow it.
    constexpr int kLimit = 1 << 20;
    if (steps > 0 && events.wheelSteps < kLimit) events.wheelSteps += steps;
    if (steps < 0 && events.wheelSteps > -kLimit) events.wheelSteps += steps;
}

// SDL reports the pointer's place as it enters the window (just after the
// entry) and as it leaves (just before): a window opened or moved under a
// resting pointer makes both, so neither counts as a movement.
void NoteMotion(PointerEvents& events, const SDL_Event& event, bool ours) {
    const bool wasMotion = events.lastWasMotion;
    events.lastWasMotion = false;
    if (event.type == SDL_WINDOWEVENT && ours && event.window.event == SDL_WINDOWEVENT_ENTER) {
        events.enterMotionDue = true;
    } else if (event.type == SDL_WINDOWEVENT && ours && event.window.event == SDL_WINDOWEVENT_LEAVE) {
        if (wasMotion && events.motions > 0) --events.motions;
    } else if (event.type == SDL_MOUSEMOTION && ours && event.motion.which != SDL_TOUCH_MOUSEID) {
        if (events.enterMotionDue) {
            events.enterMotionDue = false;
        } else {
            if (events.motions < INT_MAX) ++events.motions;
            events.lastWasMotion = true;
        }
    }
}

int WatchPointerEvents(void* user, SDL_Event* event) {
    auto* input = static_cast<InputContext*>(user);
    PointerEvents& events = input->pointer;
    const Uint32 windowID = event->type == SDL_WINDOWEVENT   ? event->window.windowID
                            : event->type == SDL_MOUSEMOTION ? event->motion.windowID
                                                             : 0;
    NoteMotion(events, *event, windowID != 0 && ForOurWindow(input, windowID));
    switch (event->type) {
        case SDL_MOUSEBUTTONDOWN:
            if (ForOurWindow(input, event->button.windowID) && event->button.button >= 1 && event->button.button <= 5) {
                const int b = event->button.button - 1;
                events.pressed = static_cast<uint8_t>(events.pressed | (1u << b));
                events.pressFrame[b] = input->keyFrame;
            }
            break;
        case SDL_MOUSEWHEEL:
            if (ForOurWindow(input, event->wheel.windowID)) NoteWheel(events, event->wheel);
            break;
        case SDL_TEXTINPUT:
            if (events.typing && ForOurWindow(input, event->text.windowID) && !AppendTyped(events, event->text.text) &&
                !events.typedOverflow) {
                events.typedOverflow = true;
                AppendLogLine("TextInput: more than 4096 bytes typed without being read; the rest is dropped");
            }
            break;
        case SDL_TEXTEDITING:
            if (events.typing && ForOurWindow(input, event->edit.windowID)) events.composition = event->edit.text;
            break;
        default: break;
    }
    return 0;
}

}  // namespace

void WatchPointer(InputContext* input) {
    SDL_DelEventWatch(&WatchPointerEvents, input);
    SDL_AddEventWatch(&WatchPointerEvents, input);
}

void StopWatchingPointer(InputContext* input) { SDL_DelEventWatch(&WatchPointerEvents, input); }

bool AppendTyped(PointerEvents& events, const char* text) {
    const size_t length = std::strlen(text);
    if (length > kTypedTextMaxBytes - events.typed.size()) return false;
    events.typed.append(text, length);
    return true;
}

bool TakeButton(PointerEvents& events, int button, bool heldNow, uint32_t frame) {
    if (button < 1 || button > 5) return false;
    const int b = button - 1;
    const bool pressed = (events.pressed & (1u << b)) != 0 && frame - events.pressFrame[b] <= 1;
    events.pressed = static_cast<uint8_t>(events.pressed & ~(1u << b));
    return heldNow || pressed;
}
