#include "sound/sound_levels.h"

#include <cmath>

namespace {

// 10^(attenuation / 2000), for attenuations of 0 or less.
double LinearGain(int attenuation) {
    if (attenuation >= 0) return 1.0;
    return std::pow(10.0, static_cast<double>(attenuation) / 2000.0);
}

}  // namespace

int PanFromCommand(double pan) {
    if (std::isnan(pan)) return 0;
    if (pan < -1.0) pan = -1.0;
    if (pan > 1.0) pan = 1.0;
    return static_cast<int>(pan * 10000.0);
}

int PercentFromCommand(double volume) {
    if (std::isnan(volume)) return 0;
    double percent = volume * 100.0;
    if (percent < 0.0) percent = 0.0;
    if (percent > 100.0) percent = 100.0;
    return static_cast<int>(percent);
}

int AttenuationFromPercent(int percent) { return percent * 100 - 10000; }

int MixerVolumeFromAttenuation(int attenuation) {
    return static_cast<int>(std::lround(128.0 * LinearGain(attenuation)));
}

PanGains PanGainsFromPan(int pan) {
    const auto side = [](int attenuation) {
        return static_cast<uint8_t>(std::lround(255.0 * LinearGain(attenuation)));
    };
    if (pan < 0) return {255, side(pan)};
    return {side(-pan), 255};
}
