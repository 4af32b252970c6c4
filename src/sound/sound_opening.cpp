#include "sound/sound_opening.h"

#include <SDL.h>

#include "sound/sound.h"

namespace {
SDL_Thread* g_opening = nullptr;

int OpenSound(void* device) {
    InitSound(static_cast<SoundDevice*>(device));
    return 0;
}
}  // namespace

void StartOpeningSound(SoundDevice* device) {
    FinishOpeningSound();
    g_opening = SDL_CreateThread(&OpenSound, "aerox sound", device);
    if (g_opening == nullptr) InitSound(device);
}

void FinishOpeningSound() {
    if (g_opening == nullptr) return;
    SDL_WaitThread(g_opening, nullptr);
    g_opening = nullptr;
}
