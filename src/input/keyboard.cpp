#include "commands.h"
#include "input/input_context.h"
#include "runtime/engine_globals.h"

namespace {
KeySource g_keySource = nullptr;
void* g_keySourceUser = nullptr;
}  // namespace

void SetKeySource(KeySource source, void* user) {
    g_keySource = source;
    g_keySourceUser = user;
}

int InitInput(InputContext* input, SDL_Window* window, bool) {
    input->window = window;
    input->keyboardReady = true;
    return 1;
}

void PollKeyboard(InputContext* input) {
    if (g_keySource != nullptr) {
        g_keySource(input->keyState, g_keySourceUser);
        return;
    }
    // The keyboard itself is not read yet.
}

bool KeyHeld(const InputContext* input, int scanCode) {
    return input != nullptr && (input->keyState[scanCode & 255] & 0x80) != 0;
}

void ShutdownInput(InputContext* input) { input->keyboardReady = false; }

double KeyDown(double scanCode) {
    if (g_input == nullptr) return 0.0;
    PollKeyboard(g_input);
    const int16_t code = scanCode > -32769.0 && scanCode < 32768.0 ? static_cast<int16_t>(scanCode) : INT16_MIN;
    return KeyHeld(g_input, code & 255) ? 1.0 : 0.0;
}
