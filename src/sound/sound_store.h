// The sound device and the slot records, shared by the files of the sound
// subsystem (and its tests). Each slot's buffers are mixer channels that
// play the slot's one shared chunk of samples.
#pragma once
#include <cstdint>
#include <vector>

#include "sound/sample_convert.h"
#include "sound/sound.h"

struct Mix_Chunk;

constexpr int kBuffersPerSlot = 4;
// The commands reach slots 0 to 127; a larger number means 127.
constexpr int kLastReachableSlot = 127;
// Every reachable slot's buffers get their own mixer channels.
constexpr int kMixerChannels = (kLastReachableSlot + 1) * kBuffersPerSlot;

struct SoundDevice {
    bool open = false;          // the mixer is open
    bool startedAudio = false;  // we started SDL's audio subsystem for it
    MixFormat mix;              // what the mixer actually plays
    int channelCount = 0;       // mixer channels allocated
};

struct SoundSlot {
    int bufferCount = 0;    // 0 = empty; 1 to 4 when a sound is loaded
    int currentBuffer = 0;  // the buffer the latest play used
    SoundDevice* device = nullptr;
    Mix_Chunk* chunk = nullptr;                       // the shared samples, played by every buffer
    std::vector<uint8_t> samples;                     // what chunk points at, in the mix format
    int channel[kBuffersPerSlot] = {-1, -1, -1, -1};  // -1: no such buffer
};

// Stops the slot's buffers and frees its sound; the slot is empty after.
void EmptySoundSlot(SoundSlot& slot);

// The slot a command means: false for NaN and numbers of -1 or less; above
// 127 gives 127.
bool SlotFromCommand(double number, int& slot);
// The buffer count of a load: 0 or less gives 1, more than 4 gives 4.
int BufferCountFromCommand(double number);
