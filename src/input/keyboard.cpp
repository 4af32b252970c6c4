// The keyboard over SDL: the key state is refreshed from SDL's keyboard
// state (through the scan-code table) at every poll.
#include <SDL.h>

#include <cstring>

#include "input/input_commands.h"
#include "input/input_context.h"
#include "input/scan_codes.h"
#include "runtime/errors.h"

InputContext* g_input = nullptr;

namespace {
KeySource g_keySource = nullptr;
void* g_keySourceUser = nullptr;
}  // namespace

void SetKeySource(KeySource source, void* user) {
    g_keySource = source;
    g_keySourceUser = user;
}

uint32_t InitInput(InputContext* input, SDL_Window* window, bool) {
    if (input == nullptr) return kInputNoSystem;
    input->window = window;
    input->keyboardReady = false;
    std::memset(input->keyState, 0, sizeof input->keyState);
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
    input->keyboardReady = true;
    return kInputReady;
}

bool WindowHasKeyboardFocus(SDL_Window* window) {
    if (window == nullptr || SDL_GetKeyboardFocus() != window) return false;
    return (SDL_GetWindowFlags(window) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

void PollKeyboard(InputContext* input) {
    if (input == nullptr) return;
    if (g_keySource != nullptr) {
        g_keySource(input->keyState, g_keySourceUser);
        return;
    }
    if (!input->keyboardReady) {
        std::memset(input->keyState, 0, sizeof input->keyState);
        return;
    }
    SDL_PumpEvents();
    if (!WindowHasKeyboardFocus(input->window)) {
        std::memset(input->keyState, 0, sizeof input->keyState);
        return;
    }
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    KeyStateFromSdl(state, count, input->keyState);
}

bool KeyHeld(const InputContext* input, int scanCode) {
    return input != nullptr && (input->keyState[scanCode & 255] & 0x80) != 0;
}

void ShutdownInput(InputContext* input) {
    if (input == nullptr) return;
    input->keyboardReady = false;
    std::memset(input->keyState, 0, sizeof input->keyState);
}

int ScanCodeFromCommand(double number) {
    const int16_t code = number > -32769.0 && number < 32768.0 ? static_cast<int16_t>(number) : INT16_MIN;
    return code & 255;
}

double KeyDown(double scanCode) {
    const int code = ScanCodeFromCommand(scanCode);
    if (g_input != nullptr) {
        PollKeyboard(g_input);
        return KeyHeld(g_input, code) ? 1.0 : 0.0;
    }
    // No engine: only scripted keys can be held.
    if (g_keySource == nullptr) return 0.0;
    uint8_t keys[256] = {};
    g_keySource(keys, g_keySourceUser);
    return (keys[code] & 0x80) != 0 ? 1.0 : 0.0;
}
