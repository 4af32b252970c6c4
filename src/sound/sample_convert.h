// Turning a WAV sound's samples into the mixer's own format, once, at load.
#pragma once
#include <cstdint>
#include <vector>

#include "sound/wav_reader.h"

struct MixFormat {
    int frequency = 22050;
    uint16_t format = 0;  // an SDL audio format (AUDIO_S16SYS for the mix)
    int channels = 2;
};

// The largest converted sound (and conversion work area) we allow.
constexpr size_t kMaxConvertedBytes = size_t{256} * 1024 * 1024;

// Fills out with the sound's samples in the mix format. Files with more than
// two channels play the first two samples of each frame as left and right; a
// trailing part frame is dropped. False when SDL cannot convert the format
// or the result would be larger than kMaxConvertedBytes.
bool ConvertToMixFormat(const WavSound& sound, const MixFormat& mix, std::vector<uint8_t>& out);
