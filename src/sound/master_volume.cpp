// The whole mix's volume: the mixer scales every channel by it on top of
// each play's own volume, so sounds already playing follow at once.
#include <SDL_mixer.h>

#include <cmath>

#include "sound/sound.h"

namespace {
double g_masterVolume = 1.0;
}  // namespace

void SetMixVolume(double volume) {
    const double v = std::isnan(volume) ? 0.0 : volume < 0 ? 0.0 : volume > 1 ? 1.0 : volume;
    g_masterVolume = v;
    // The mixer keeps this apart from the device, so it holds before the
    // device opens and across reopening it.
    Mix_MasterVolume(static_cast<int>(std::lround(v * MIX_MAX_VOLUME)));
}

double MixVolume() { return g_masterVolume; }
