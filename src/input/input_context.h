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

// The one input context, created by EngineInit and deleted by EndProgram.
extern InputContext* g_input;

// InitInput's results.
constexpr uint32_t kInputReady = 1;
constexpr uint32_t kInputNoSystem = 0x8000000A;    // SDL's events are not running
constexpr uint32_t kInputNoKeyboard = 0x8000000B;  // no window to take keys from

// Sets up the keyboard source for the window; kInputReady when everything
// was set up. A failure is written to the engine log and the program goes on
// with every key released. Joysticks and mouse capture are not offered.
uint32_t InitInput(InputContext* input, SDL_Window* window, bool captureMouse);
// Refreshes the key state. Every key reads released while the window has
// no focus.
void PollKeyboard(InputContext* input);
// The presenter's rule for a key: held in the last poll.
bool KeyHeld(const InputContext* input, int scanCode);
void ShutdownInput(InputContext* input);

// The scan code KeyDown reads for a number: truncated toward zero to 16 bits
// (outside -32768..32767, and NaN, give -32768), then the low byte.
int ScanCodeFromCommand(double number);

// True while window has the keyboard focus.
bool WindowHasKeyboardFocus(SDL_Window* window);

// Where key states come from. The program reads the keyboard; tests
// install a source that scripts the keys (nullptr goes back to the keyboard).
using KeySource = void (*)(uint8_t keys[256], void* user);
void SetKeySource(KeySource source, void* user);
