// The game-facing sound commands (gathered in commands.h).
#pragma once
#include "aerox/text.h"

// --- sound
void LoadSound(const RtString& path, double slot, double buffers);
// Pan -1 (left) .. 1 (right), volume 0 .. 1. Returns the play handle
// (slot * 256 + buffer), or -1 when nothing was played.
double PlaySound(double slot, double pan, double volume);
double SoundPlaying(double handle);
void StopSounds();
