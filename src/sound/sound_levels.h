// How PlaySound's pan and volume become the mixer's gains. The engine keeps
// the classic units: volume as an attenuation in hundredths of a decibel
// (-10000 silent .. 0 full), pan from -10000 (right silent) to 10000 (left
// silent), each side's attenuation again in hundredths of a decibel.
#pragma once
#include <cstdint>

// Pan -1..1 (clamped) times 10000, truncated toward zero. NaN is centre.
int PanFromCommand(double pan);
// Volume times 100, clamped to 0..100, truncated toward zero. NaN is 0.
int PercentFromCommand(double volume);
// The attenuation of a percentage: 100 -> 0, 50 -> -5000, 0 -> -10000.
int AttenuationFromPercent(int percent);
// Linear gain of an attenuation in hundredths of a decibel, on the mixer's
// volume scale 0..128 (10^(dB/20) * 128, rounded).
int MixerVolumeFromAttenuation(int attenuation);

// The two sides' gains on the mixer's panning scale 0..255: the side the
// pan points away from is attenuated by |pan| hundredths of a decibel.
struct PanGains {
    uint8_t left;
    uint8_t right;
};
PanGains PanGainsFromPan(int pan);
