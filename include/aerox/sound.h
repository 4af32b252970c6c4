/// @file
/// @brief Sound: loading sounds into slots and playing them.
#pragma once
#include "aerox/text.h"

/// @defgroup sound Sound
/// @brief Sounds in 128 slots, each played on up to four buffers at once.
///
/// Before RunGame has started the engine (or once the program end has
/// released it) every command here returns at once (PlaySound with -1,
/// SoundPlaying with 0) and writes one log line naming it, once per
/// command. Without a sound device, sounds load into nothing and never
/// play. Otherwise no command here writes a log line for a bad argument or
/// a file it cannot load. The volume of the whole mix is set with
/// SetMasterVolume.
/// @{

// --- sound
/// Loads a sound into a slot.
/// @param path a RIFF WAV file of PCM samples (8, 16, 24 or 32 bits, 1 to 8
///        channels, at most 64 MiB of samples). A relative path starts in
///        the program's folder. The slot is emptied first, so a file that
///        is missing or cannot be read leaves it empty.
/// @param slot the slot, 0..127; a fraction is cut off, and above 127 is
///        127. -1 or below (or NaN) loads nothing and leaves every slot as
///        it is.
/// @param buffers how many plays of the sound may sound at once, 1..4; a
///        fraction is cut off, below 1 (or NaN) is 1 and above 4 is 4.
void LoadSound(const RtString& path, double slot, double buffers);
// Pan -1 (left) .. 1 (right), volume 0 .. 1. Returns the play handle
// (slot * 256 + buffer), or -1 when nothing was played.
/// Plays the sound of a slot: on the buffer it used last when that one is
/// silent, else on the next buffer in turn, cutting off that buffer's play
/// if it still sounds. A sound of one buffer is not restarted while it
/// sounds.
/// @param slot the slot, 0..127 as LoadSound takes it.
/// @param pan -1 (left only) .. 0 (centre) .. 1 (right only): the far side
///        is turned down by |pan| * 100 dB. Clamped to -1..1; NaN is 0.
/// @param volume 0..1 on a decibel scale: 1 is full, each 0.01 below is
///        1 dB quieter, and below about 0.52 nothing is heard. Clamped to
///        0..1; NaN is 0.
/// @return the play's handle, slot * 256 + buffer (for SoundPlaying); -1
///         when nothing was played (an empty slot, a slot number -1 or
///         below, a one-buffer sound still sounding, no sound device).
double PlaySound(double slot, double pan, double volume);
/// Whether a play still sounds.
/// @param handle a handle PlaySound returned.
/// @return 1 while it sounds, else 0 (also for -1 and any number that is
///         no handle).
double SoundPlaying(double handle);
/// Stops every sound that is playing; the slots keep their sounds.
void StopSounds();

/// @}
