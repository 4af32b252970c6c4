// The keyboard: a 256-entry held/not-held state indexed by PC set-1 scan
// codes (extended keys at 0x80 plus the code), refreshed from SDL, and the
// presses seen in between, so that a tap shorter than a poll is not lost.
// Gamepads hold keys of the same numbers in a state of their own; a key
// reads held when either holds it, and a pad's press counts as a press.
#pragma once
#include <cstdint>
#include <string>

struct SDL_Window;

// What the mouse and text entry gathered from SDL's events between two
// readings (pointer.cpp).
struct PointerEvents {
    // Bit b-1: button b (1..5) went down since MouseButton last read it, in
    // the frame pressFrame[b-1]; a click quicker than a frame is not lost.
    uint8_t pressed = 0;
    uint32_t pressFrame[5] = {};
    int wheelSteps = 0;  // away from the player positive, since MouseWheel last read it
    // Movements of the pointer over the window since MouseMoved last read
    // them. The motion SDL reports as the pointer enters or leaves the
    // window is no movement: a window opened, moved or resized under a
    // resting pointer makes it too.
    int motions = 0;
    bool enterMotionDue = false;  // the next motion is the entry's
    bool lastWasMotion = false;   // the last event watched was a counted motion
    bool typing = false;          // between StartTextInput and StopTextInput
    std::string typed;            // UTF-8 typed since TextInput last read it (bounded)
    bool typedOverflow = false;   // the bound was met: logged once until read
    std::string composition;      // what an input method is composing now
};

struct InputContext {
    SDL_Window* window = nullptr;
    bool keyboardReady = false;       // the keyboard source is set up
    uint8_t keyState[256] = {};       // bit 7 set: held at the last poll
    uint8_t padKeyState[256] = {};    // the same, for the keys the gamepads hold
    bool mouseRefreshPending = true;  // set every frame by the presenter
    // A tap (down and up again between two polls) reads as held until
    // KeyDown has read that key once, but no longer than the frame after
    // the one it came in: it reaches the next frame's reading without
    // haunting a screen that reads the key much later.
    bool latched[256] = {};
    uint32_t latchFrame[256] = {};
    uint32_t keyFrame = 0;         // advanced by the presenter once per frame
    uint8_t pressCount[256] = {};  // presses not yet taken by KeyPressed (at most 255)
    PointerEvents pointer;
};

// The one input context, created by EngineInit and deleted by EndProgram.
extern InputContext* g_input;

// InitInput's results.
constexpr uint32_t kInputReady = 1;
constexpr uint32_t kInputNoSystem = 0x8000000A;    // SDL's events are not running
constexpr uint32_t kInputNoKeyboard = 0x8000000B;  // no window to take keys from

// Sets up the keyboard source for the window; kInputReady when everything
// was set up. A failure is written to the engine log and the program goes on
// with every key released. Gamepads are set up too (see gamepad.h); without
// them the keyboard works alone. Mouse capture is not offered.
uint32_t InitInput(InputContext* input, SDL_Window* window, bool captureMouse);
// Refreshes the key state, the gamepads' included. Every key reads released
// while the window has no focus.
void PollKeyboard(InputContext* input);
// The presenter's rule for a key: held in the last poll, on the keyboard or
// on a gamepad, or pressed since (see latched above).
bool KeyHeld(const InputContext* input, int scanCode);
// Records a press of the key: it latches and counts once.
void NoteKeyPress(InputContext* input, int scanCode);
// The presenter calls this once per frame, after its poll: latches older
// than the previous frame lapse.
void NextKeyFrame(InputContext* input);
// The presses of the key recorded since the last call for that key.
int TakeKeyPresses(InputContext* input, int scanCode);
void ShutdownInput(InputContext* input);

// The scan code KeyDown reads for a number: truncated toward zero to 16 bits
// (outside -32768..32767, and NaN, give -32768), then the low byte.
int ScanCodeFromCommand(double number);

// True while window has the keyboard focus.
bool WindowHasKeyboardFocus(SDL_Window* window);

// Where key states come from. The program reads the keyboard; tests
// install a source that scripts the keys (nullptr goes back to the keyboard).
// A source sets bit 7 of a key held now and bit 0 of a key that went down
// since the last poll (a tap already released again); a key that reads
// held after reading released counts as a press as well.
using KeySource = void (*)(uint8_t keys[256], void* user);
void SetKeySource(KeySource source, void* user);
