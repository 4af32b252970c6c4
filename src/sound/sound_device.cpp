// The mixer device: opened once at start-up, closed at program end.
#include <SDL.h>
#include <SDL_mixer.h>

#include "sound/sound_store.h"

SoundDevice* g_soundDevice = nullptr;
SoundSlot* g_soundSlots = nullptr;

void CreateSound() {
    if (g_soundDevice == nullptr) g_soundDevice = new SoundDevice;
    if (g_soundSlots == nullptr) g_soundSlots = new SoundSlot[kSoundSlotCount];
}

int InitSound(SoundDevice* device) {
    if (device == nullptr) return 0;
    if (device->open) return 1;
    bool started = false;
    if (SDL_WasInit(SDL_INIT_AUDIO) == 0) {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
        started = true;
    }
    // The fixed mix: 22050 Hz, 16-bit, stereo.
    if (Mix_OpenAudio(22050, AUDIO_S16SYS, 2, 1024) != 0) {
        if (started) SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    Mix_QuerySpec(&frequency, &format, &channels);
    device->mix.frequency = frequency;
    device->mix.format = format;
    device->mix.channels = channels;
    device->channelCount = Mix_AllocateChannels(kMixerChannels);
    device->startedAudio = started;
    device->open = true;
    return 1;
}

void ReleaseSound() {
    if (g_soundSlots != nullptr) {
        for (int s = kSoundSlotCount - 1; s >= 0; --s) EmptySoundSlot(g_soundSlots[s]);
        delete[] g_soundSlots;
        g_soundSlots = nullptr;
    }
    if (g_soundDevice != nullptr) {
        if (g_soundDevice->open) {
            Mix_CloseAudio();
            if (g_soundDevice->startedAudio) SDL_QuitSubSystem(SDL_INIT_AUDIO);
        }
        delete g_soundDevice;
        g_soundDevice = nullptr;
    }
}
