// Fuzzes the WAV reader and the conversion of what it reads to the mix
// format (16-bit stereo at 22050 Hz).
#include <SDL.h>

#include <cstddef>
#include <cstdint>

#include "sound/sample_convert.h"
#include "sound/wav_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WavSound sound;
    if (!ReadWavMemory(data, size, sound)) return 0;
    MixFormat mix;
    mix.frequency = 22050;
    mix.format = AUDIO_S16SYS;
    mix.channels = 2;
    std::vector<uint8_t> out;
    if (ConvertToMixFormat(sound, mix, out) && out.empty()) __builtin_trap();
    return 0;
}
