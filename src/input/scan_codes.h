// From SDL's key positions to PC keyboard scan codes (set 1), the numbers
// the engine's key state is indexed by: 1 to 88 for the main block, the
// function keys and the keypad, 0x80 plus the code for the extended keys
// (156 keypad Enter, 157 right Ctrl, 200 Up, 203 Left, 205 Right, 208 Down).
// Both name physical positions, so the table does not depend on the layout.
#pragma once
#include <SDL_scancode.h>

#include <cstdint>

struct ScanCodePair {
    SDL_Scancode sdl;
    uint8_t scanCode;
};

// Every SDL key position that has a set-1 scan code.
extern const ScanCodePair kScanCodeTable[];
extern const int kScanCodeTableSize;

// The set-1 scan code of an SDL key position; 0 when it has none.
uint8_t ScanCodeFromSdl(SDL_Scancode key);

// Fills keys (256 entries, bit 7 = held) from SDL's keyboard state array
// of count entries, as SDL_GetKeyboardState returns it.
void KeyStateFromSdl(const uint8_t* sdlState, int count, uint8_t keys[256]);
