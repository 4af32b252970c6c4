// The keyboard over SDL: the key state is refreshed from SDL's keyboard
// state (through the scan-code table) at every poll, and presses come from
// SDL's key-down events, watched as they are queued, so that a key pressed
// and released between two polls is still seen.
#include <SDL.h>

#include <cstring>

#include "aerox/input.h"
#include "input/gamepad.h"
#include "input/input_context.h"
#include "input/joysticks.h"
#include "input/pointer.h"
#include "input/scan_codes.h"
#include "input/window_keys.h"
#include "runtime/errors.h"
#include "runtime/engine_required.h"

InputContext* g_input = nullptr;

namespace {
KeySource g_keySource = nullptr;
void* g_keySourceUser = nullptr;

bool LatchLive(const InputContext* input, int code) {
    return input->latched[code] && input->keyFrame - input->latchFrame[code] <= 1;
}

void ForgetPresses(InputContext* input) {
    std::memset(input->latched, 0, sizeof input->latched);
    std::memset(input->pressCount, 0, sizeof input->pressCount);
}

// Called by SDL for every event it queues, before anyone takes it from the
// queue; scripted keys stand in for the keyboard while a source is set.
int WatchKeyEvents(void* user, SDL_Event* event) {
    auto* input = static_cast<InputContext*>(user);
    if (event->type != SDL_KEYDOWN || event->key.repeat != 0 || g_keySource != nullptr) return 0;
    // The full-screen keys belong to the window, never to the game.
    if (IsFullscreenToggle(event->key)) return 0;
    if (input->window == nullptr || event->key.windowID != SDL_GetWindowID(input->window)) return 0;
    const uint8_t code = ScanCodeFromSdl(event->key.keysym.scancode);
    if (code != 0) NoteKeyPress(input, code);
    return 0;
}

// Scripted keys: bit 0 is a press the source saw, a key newly held another.
void PollKeySource(InputContext* input) {
    uint8_t keys[256] = {};
    g_keySource(keys, g_keySourceUser);
    for (int k = 0; k < 256; ++k) {
        const bool held = (keys[k] & 0x80) != 0;
        if ((keys[k] & 0x01) != 0 || (held && (input->keyState[k] & 0x80) == 0)) NoteKeyPress(input, k);
        input->keyState[k] = held ? 0x80 : 0;
    }
}

// A press that this poll sees as held needs no latch; only taps that came
// and went since the last poll keep theirs.
void DropVisibleLatches(InputContext* input) {
    for (int k = 0; k < 256; ++k)
        if (((input->keyState[k] | input->padKeyState[k]) & 0x80) != 0) input->latched[k] = false;
}

// A key a pad holds now and did not at the last poll is a press.
void PollPads(InputContext* input) {
    uint8_t before[256];
    std::memcpy(before, input->padKeyState, sizeof before);
    PollGamepads(input->padKeyState, input->window == nullptr || WindowHasKeyboardFocus(input->window));
    for (int k = 0; k < 256; ++k)
        if ((input->padKeyState[k] & 0x80) != 0 && (before[k] & 0x80) == 0) NoteKeyPress(input, k);
}

// Keys pressed for the window (IsFullscreenToggle): they read released
// until they are let go, so the game never sees that press. Process-wide,
// like SDL's own key state.
bool g_windowKey[256] = {};

// Sees every key event as SDL queues it, before any poll can read the key
// state that came with it: a window key is hidden from the very first read.
int WatchWindowKeys(void*, SDL_Event* event) {
    if (event->type != SDL_KEYDOWN && event->type != SDL_KEYUP) return 1;
    const uint8_t code = ScanCodeFromSdl(event->key.keysym.scancode);
    if (code == 0) return 1;
    if (event->type == SDL_KEYUP)
        g_windowKey[code] = false;
    else if (IsFullscreenToggle(event->key))
        g_windowKey[code] = true;
    return 1;
}

// Window keys read released; one let go is the game's again.
void HideWindowKeys(InputContext* input) {
    for (int code = 0; code < 256; ++code) {
        if (!g_windowKey[code]) continue;
        if ((input->keyState[code] & 0x80) == 0)
            g_windowKey[code] = false;
        else
            input->keyState[code] = 0;
    }
}
}  // namespace

void SetKeySource(KeySource source, void* user) {
    g_keySource = source;
    g_keySourceUser = user;
}

uint32_t InitInput(InputContext* input, SDL_Window* window, bool) {
    if (input == nullptr) return kInputNoSystem;
    SDL_DelEventWatch(&WatchKeyEvents, input);
    input->window = window;
    input->keyboardReady = false;
    std::memset(input->keyState, 0, sizeof input->keyState);
    std::memset(input->padKeyState, 0, sizeof input->padKeyState);
    ForgetPresses(input);
    InitGamepads(GamepadMappingFile());
    // SDL's keyboard state is kept by its event loop, which runs with the
    // video subsystem.
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) {
        AppendLogLine("No DX_Input");
        return kInputNoSystem;
    }
    if (window == nullptr) {
        AppendLogLine("No DX_KB");
        return kInputNoKeyboard;
    }
    SDL_AddEventWatch(&WatchKeyEvents, input);
    WatchPointer(input);
    input->keyboardReady = true;
    // Once: SDL forgets its watches when its events stop.
    SDL_DelEventWatch(&WatchWindowKeys, nullptr);
    SDL_AddEventWatch(&WatchWindowKeys, nullptr);
    return kInputReady;
}

bool WindowHasKeyboardFocus(SDL_Window* window) {
    if (window == nullptr || SDL_GetKeyboardFocus() != window) return false;
    return (SDL_GetWindowFlags(window) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

void PollKeyboard(InputContext* input) {
    if (input == nullptr) return;
    PollPads(input);
    if (g_keySource != nullptr) {
        PollKeySource(input);
        HideWindowKeys(input);
        DropVisibleLatches(input);
        return;
    }
    if (!input->keyboardReady) {
        std::memset(input->keyState, 0, sizeof input->keyState);
        return;
    }
    SDL_PumpEvents();
    if (!WindowHasKeyboardFocus(input->window)) {
        std::memset(input->keyState, 0, sizeof input->keyState);
        ForgetPresses(input);
        return;
    }
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    KeyStateFromSdl(state, count, input->keyState);
    HideWindowKeys(input);
    DropVisibleLatches(input);
}

bool KeyHeld(const InputContext* input, int scanCode) {
    if (input == nullptr) return false;
    const int code = scanCode & 255;
    return ((input->keyState[code] | input->padKeyState[code]) & 0x80) != 0 || LatchLive(input, code);
}

void NoteKeyPress(InputContext* input, int scanCode) {
    const int code = scanCode & 255;
    input->latched[code] = true;
    input->latchFrame[code] = input->keyFrame;
    if (input->pressCount[code] < 255) ++input->pressCount[code];
}

void NextKeyFrame(InputContext* input) {
    if (input != nullptr) ++input->keyFrame;
}

int TakeKeyPresses(InputContext* input, int scanCode) {
    const int code = scanCode & 255;
    const int presses = input->pressCount[code];
    input->pressCount[code] = 0;
    return presses;
}

void ShutdownInput(InputContext* input) {
    if (input == nullptr) return;
    SDL_DelEventWatch(&WatchKeyEvents, input);
    StopWatchingPointer(input);
    input->keyboardReady = false;
    std::memset(input->keyState, 0, sizeof input->keyState);
    std::memset(input->padKeyState, 0, sizeof input->padKeyState);
    ForgetPresses(input);
    // Before the gamepads, which may stop SDL's joystick layer under them.
    ShutdownJoysticks();
    ShutdownGamepads();
}

int ScanCodeFromCommand(double number) {
    const int16_t code = number > -32769.0 && number < 32768.0 ? static_cast<int16_t>(number) : INT16_MIN;
    return code & 255;
}

double KeyDown(double scanCode) {
    const int code = ScanCodeFromCommand(scanCode);
    if (g_input != nullptr) {
        PollKeyboard(g_input);
        const bool held = KeyHeld(g_input, code);
        g_input->latched[code] = false;
        return held ? 1.0 : 0.0;
    }
    // No engine: only scripted keys can be held.
    if (!RequireEngine(g_keySource != nullptr, "KeyDown")) return 0.0;
    uint8_t keys[256] = {};
    g_keySource(keys, g_keySourceUser);
    return (keys[code] & 0x81) != 0 ? 1.0 : 0.0;
}

double KeyPressed(double scanCode) {
    // No engine: nothing records presses.
    if (!RequireEngine(g_input != nullptr, "KeyPressed")) return 0.0;
    PollKeyboard(g_input);
    return TakeKeyPresses(g_input, ScanCodeFromCommand(scanCode));
}
