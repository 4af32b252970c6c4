// The game-facing keyboard commands (gathered in commands.h).
#pragma once

// --- keyboard
// 1 while the key with this scan code (PC set 1; extended keys at 0x80 plus
// the code) is held, else 0.
double KeyDown(double scanCode);
