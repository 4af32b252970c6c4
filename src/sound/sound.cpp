#include "sound/sound.h"

#include "commands.h"
#include "runtime/command_trace.h"

// Placeholder until sound lands: every play is silent.

struct SoundDevice {
    bool open = false;
};
struct SoundSlot {
    int bufferCount = 0;
};

SoundDevice* g_soundDevice = nullptr;
SoundSlot* g_soundSlots = nullptr;

void CreateSound() {
    g_soundDevice = new SoundDevice;
    g_soundSlots = new SoundSlot[kSoundSlotCount];
}

int InitSound(SoundDevice*) { return 0; }

void ReleaseSound() {
    delete[] g_soundSlots;
    g_soundSlots = nullptr;
    delete g_soundDevice;
    g_soundDevice = nullptr;
}

void LoadSound(RtString path, double slot, double buffers) { TraceCommand("LoadSound", {slot, buffers}, path.Text()); }
double PlaySound(double slot, double pan, double volume) {
    TraceCommand("PlaySound", {slot, pan, volume});
    return -1;
}
double SoundPlaying(double) { return 0; }
void StopSounds() {}
