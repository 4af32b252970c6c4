// The game-facing keyboard commands (gathered in commands.h).
#pragma once

// --- keyboard
// 1 while the key with this scan code (PC set 1; extended keys at 0x80 plus
// the code) is held, else 0. A key pressed and released again since the key
// was last read reads 1 once, so a tap shorter than a frame is not lost.
double KeyDown(double scanCode);
// How many times the key went down since the last call for that key (a
// key held meanwhile counts once). Screens that read keys now and then use
// it so that no tap falls between two readings.
double KeyPressed(double scanCode);
