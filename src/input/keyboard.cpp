#include "commands.h"
#include "input/input_context.h"
#include "runtime/engine_globals.h"

// Placeholder until the keyboard lands: no key is ever held.

int InitInput(InputContext* input, SDL_Window* window, bool) {
    input->window = window;
    input->keyboardReady = true;
    return 1;
}

void PollKeyboard(InputContext*) {}

bool KeyHeld(const InputContext* input, int scanCode) {
    return input != nullptr && (input->keyState[scanCode & 255] & 0x80) != 0;
}

void ShutdownInput(InputContext* input) { input->keyboardReady = false; }

void SetKeySource(KeySource, void*) {}

double KeyDown(double) { return 0.0; }
