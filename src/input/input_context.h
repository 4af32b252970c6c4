// The keyboard: a 256-entry held/not-held state indexed by PC set-1 scan
// codes (extended keys at 0x80 plus the code), refreshed from SDL.
#pragma once
#include <cstdint>

struct SDL_Window;

struct InputContext {
    SDL_Window* window = nullptr;
    bool keyboardReady = false;         // the keyboard source is set up
    uint8_t keyState[256] = {};         // bit 7 set: held
    bool mouseRefreshPending = true;    // set every frame by the presenter
};

// Sets up the keyboard source for the window; 1 when everything was set up.
int InitInput(InputContext* input, SDL_Window* window, bool captureMouse);
// Refreshes the key state. Every key reads released while the window has
// no focus.
void PollKeyboard(InputContext* input);
// The presenter's rule for a key: held in the last poll.
bool KeyHeld(const InputContext* input, int scanCode);
void ShutdownInput(InputContext* input);

// Where key states come from. The program reads the keyboard; tests
// install a source that scripts the keys (nullptr goes back to the keyboard).
using KeySource = void (*)(uint8_t keys[256], void* user);
void SetKeySource(KeySource source, void* user);
