// Sound: one mixer device and 256 slots of up to four buffers that share one
// copy of a sound's samples. The commands (LoadSound, PlaySound,
// SoundPlaying, StopSounds in commands.h) reach slots 0 to 127.
#pragma once

constexpr int kSoundSlotCount = 256;

struct SoundDevice;
struct SoundSlot;

// Created by EngineInit, released by EndProgram through ReleaseSound.
extern SoundDevice* g_soundDevice;
extern SoundSlot* g_soundSlots;

// Creates the device object and the 256 empty slots (no audio opened yet).
void CreateSound();
// Opens the mixer at 22050 Hz, stereo, 16-bit: 1 on success, 0 when no
// device opens. Without a device every load leaves its slot empty and every
// play returns -1, silently.
int InitSound(SoundDevice* device);
// The volume of the whole mix, 0 .. 1 (clamped; NaN is 0), over every
// play's own volume. The game's command that sets it (SetMasterVolume) also
// keeps it in the saved settings.
void SetMixVolume(double volume);
double MixVolume();
// Empties every slot from 255 down to 0, then closes the device.
void ReleaseSound();
