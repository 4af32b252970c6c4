// The one table from SDL's key positions to set-1 scan codes.
#include <SDL.h>
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

#include "input/scan_codes.h"

TEST(ScanCodes, KeysMapToTheirSet1Codes) {
    const std::map<SDL_Scancode, int> expected = {
        {SDL_SCANCODE_ESCAPE, 1},       {SDL_SCANCODE_1, 2},           {SDL_SCANCODE_0, 11},
        {SDL_SCANCODE_MINUS, 12},       {SDL_SCANCODE_BACKSPACE, 14},  {SDL_SCANCODE_TAB, 15},
        {SDL_SCANCODE_Q, 16},           {SDL_SCANCODE_Y, 21},          {SDL_SCANCODE_P, 25},
        {SDL_SCANCODE_RETURN, 28},      {SDL_SCANCODE_LCTRL, 29},      {SDL_SCANCODE_A, 30},
        {SDL_SCANCODE_L, 38},           {SDL_SCANCODE_GRAVE, 41},      {SDL_SCANCODE_LSHIFT, 42},
        {SDL_SCANCODE_BACKSLASH, 43},   {SDL_SCANCODE_Z, 44},          {SDL_SCANCODE_M, 50},
        {SDL_SCANCODE_SLASH, 53},       {SDL_SCANCODE_RSHIFT, 54},     {SDL_SCANCODE_KP_MULTIPLY, 55},
        {SDL_SCANCODE_LALT, 56},        {SDL_SCANCODE_SPACE, 57},      {SDL_SCANCODE_CAPSLOCK, 58},
        {SDL_SCANCODE_F1, 59},          {SDL_SCANCODE_F4, 62},         {SDL_SCANCODE_F10, 68},
        {SDL_SCANCODE_NUMLOCKCLEAR, 69}, {SDL_SCANCODE_SCROLLLOCK, 70}, {SDL_SCANCODE_KP_7, 71},
        {SDL_SCANCODE_KP_MINUS, 74},    {SDL_SCANCODE_KP_5, 76},       {SDL_SCANCODE_KP_PLUS, 78},
        {SDL_SCANCODE_KP_1, 79},        {SDL_SCANCODE_KP_0, 82},       {SDL_SCANCODE_KP_PERIOD, 83},
        {SDL_SCANCODE_NONUSBACKSLASH, 86}, {SDL_SCANCODE_F11, 87},     {SDL_SCANCODE_F12, 88},
        {SDL_SCANCODE_KP_ENTER, 156},   {SDL_SCANCODE_RCTRL, 157},     {SDL_SCANCODE_KP_DIVIDE, 181},
        {SDL_SCANCODE_PRINTSCREEN, 183}, {SDL_SCANCODE_RALT, 184},     {SDL_SCANCODE_PAUSE, 197},
        {SDL_SCANCODE_HOME, 199},       {SDL_SCANCODE_UP, 200},        {SDL_SCANCODE_PAGEUP, 201},
        {SDL_SCANCODE_LEFT, 203},       {SDL_SCANCODE_RIGHT, 205},     {SDL_SCANCODE_END, 207},
        {SDL_SCANCODE_DOWN, 208},       {SDL_SCANCODE_PAGEDOWN, 209},  {SDL_SCANCODE_INSERT, 210},
        {SDL_SCANCODE_DELETE, 211},     {SDL_SCANCODE_LGUI, 219},      {SDL_SCANCODE_RGUI, 220},
        {SDL_SCANCODE_APPLICATION, 221},
    };
    for (const auto& [sdl, code] : expected) EXPECT_EQ(ScanCodeFromSdl(sdl), code) << SDL_GetScancodeName(sdl);
    EXPECT_EQ(ScanCodeFromSdl(SDL_SCANCODE_UNKNOWN), 0);
    EXPECT_EQ(ScanCodeFromSdl(SDL_SCANCODE_MODE), 0);
    EXPECT_EQ(ScanCodeFromSdl(static_cast<SDL_Scancode>(-5)), 0);
    EXPECT_EQ(ScanCodeFromSdl(static_cast<SDL_Scancode>(SDL_NUM_SCANCODES + 3)), 0);
}

TEST(ScanCodes, TheTableIsCompleteAndUnambiguous) {
    // Every code of the main block, the function keys and the keypad (1 to
    // 83, 86 to 88) and every listed extended key is reachable.
    std::set<int> codes;
    std::set<int> positions;
    for (int i = 0; i < kScanCodeTableSize; ++i) {
        const ScanCodePair& p = kScanCodeTable[i];
        EXPECT_NE(p.scanCode, 0);
        EXPECT_TRUE(positions.insert(p.sdl).second) << "position listed twice: " << SDL_GetScancodeName(p.sdl);
        // Only the ISO key beside Return shares a code (with backslash).
        if (p.sdl != SDL_SCANCODE_NONUSHASH) {
            EXPECT_TRUE(codes.insert(p.scanCode).second) << "code given twice: " << int(p.scanCode);
        }
    }
    for (int code = 1; code <= 83; ++code) EXPECT_TRUE(codes.count(code)) << code;
    for (int code : {86, 87, 88, 156, 157, 181, 183, 184, 197, 199, 200, 201, 203, 205, 207, 208, 209, 210, 211,
                     219, 220, 221})
        EXPECT_TRUE(codes.count(code)) << code;
    // Every letter, digit and function key of SDL has a code.
    for (int k = SDL_SCANCODE_A; k <= SDL_SCANCODE_Z; ++k) EXPECT_NE(ScanCodeFromSdl(SDL_Scancode(k)), 0) << k;
    for (int k = SDL_SCANCODE_1; k <= SDL_SCANCODE_0; ++k) EXPECT_NE(ScanCodeFromSdl(SDL_Scancode(k)), 0) << k;
    for (int k = SDL_SCANCODE_F1; k <= SDL_SCANCODE_F12; ++k) EXPECT_NE(ScanCodeFromSdl(SDL_Scancode(k)), 0) << k;
    for (int k = SDL_SCANCODE_KP_DIVIDE; k <= SDL_SCANCODE_KP_PERIOD; ++k)
        EXPECT_NE(ScanCodeFromSdl(SDL_Scancode(k)), 0) << k;
}

TEST(ScanCodes, SdlKeyboardStateBecomesTheKeyState) {
    std::vector<uint8_t> sdl(SDL_NUM_SCANCODES, 0);
    sdl[SDL_SCANCODE_UP] = 1;
    sdl[SDL_SCANCODE_LCTRL] = 1;
    sdl[SDL_SCANCODE_RCTRL] = 1;
    sdl[SDL_SCANCODE_MODE] = 1;  // no code: ignored
    uint8_t keys[256];
    std::fill(std::begin(keys), std::end(keys), 0x55);
    KeyStateFromSdl(sdl.data(), SDL_NUM_SCANCODES, keys);
    for (int k = 0; k < 256; ++k) EXPECT_EQ(keys[k], (k == 200 || k == 29 || k == 157) ? 0x80 : 0) << k;

    // A shorter state array is not read past its end.
    KeyStateFromSdl(sdl.data(), SDL_SCANCODE_UP, keys);
    EXPECT_EQ(keys[200], 0);
    EXPECT_EQ(keys[29], 0);
    KeyStateFromSdl(nullptr, 0, keys);
    EXPECT_EQ(keys[157], 0);
}
