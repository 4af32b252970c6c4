// The game-facing commands whose choices the engine keeps between runs, in
// settings.ini in the per-user folder (gathered in commands.h).
#pragma once

// --- settings kept between runs
// The volume of the whole mix, 0 (silent) .. 1 (full, the default), over
// every play's own volume; values outside are clamped, NaN is 0. Kept in
// steps of a tenth.
void SetMasterVolume(double volume);
double GetMasterVolume();
