/// @file
/// @brief Input: the keyboard, and gamepads read as keys.
#pragma once

/// @defgroup input Input
/// @brief Keys by scan code; gamepads hold keys too.
///
/// Keys are named by their PC scan codes (set 1): Escape 0x01, Return 0x1C,
/// Space 0x39, Left Ctrl 0x1D, A 0x1E, F1 0x3B. Extended keys are 0x80 plus
/// their code: the arrows Up 0xC8, Left 0xCB, Right 0xCD, Down 0xD0. A
/// scan code is cut to a whole number and taken modulo 256; beyond
/// -32768..32767 (or NaN) it is 0, which no key has. A gamepad's D-pad and
/// left stick hold the arrow keys, its south button (A) Left Ctrl and
/// Return, and Start holds Return. Keys read released while the window is
/// in the background, and the keys that switch the full screen (Alt+Return,
/// F11) never reach the game. Before RunGame has started the engine (or
/// once the program end has released it) the commands read 0 and write one
/// log line naming them, once per command; otherwise they write none.
/// @{

// --- keyboard
/// Whether a key is held. A key pressed and released again since the key
/// was last read (within the last frame) reads 1 once, so a tap shorter
/// than a frame is not lost.
/// @param scanCode the key's scan code, 0x01..0xFF.
/// @return 1 while the key is held (or after such a tap), else 0.
double KeyDown(double scanCode);
/// How many times a key went down since the last call for that key; a key
/// held meanwhile counts once. Screens that read keys now and then use it
/// so that no tap falls between two readings.
/// @param scanCode the key's scan code, 0x01..0xFF.
/// @return the count, 0..255.
double KeyPressed(double scanCode);

/// @}
