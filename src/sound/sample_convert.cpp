#include "sound/sample_convert.h"

#include <SDL.h>

#include <cstring>

namespace {

SDL_AudioFormat SourceFormat(int bitsPerSample) {
    switch (bitsPerSample) {
        case 8: return AUDIO_U8;
        case 16: return AUDIO_S16LSB;
        default: return AUDIO_S32LSB;
    }
}

}  // namespace

bool ConvertToMixFormat(const WavSound& sound, const MixFormat& mix, std::vector<uint8_t>& out) {
    out.clear();
    if (sound.channels < 1 || sound.bitsPerSample % 8 != 0 || sound.bitsPerSample == 0 || sound.blockAlign <= 0 ||
        sound.sampleRate <= 0)
        return false;
    const size_t sampleBytes = static_cast<size_t>(sound.bitsPerSample / 8);
    if (static_cast<size_t>(sound.blockAlign) != sampleBytes * static_cast<size_t>(sound.channels)) return false;
    const size_t frames = sound.data.size() / static_cast<size_t>(sound.blockAlign);
    if (frames == 0) return false;

    const int channels = sound.channels < 2 ? 1 : 2;
    const size_t frameBytes = sampleBytes * static_cast<size_t>(channels);
    const size_t sourceBytes = frames * frameBytes;
    if (sourceBytes > static_cast<size_t>(INT32_MAX)) return false;

    SDL_AudioCVT cvt;
    const int built = SDL_BuildAudioCVT(&cvt, SourceFormat(sound.bitsPerSample), static_cast<Uint8>(channels),
                                        sound.sampleRate, mix.format, static_cast<Uint8>(mix.channels), mix.frequency);
    if (built < 0) return false;
    const size_t multiple = built == 0 ? 1 : static_cast<size_t>(cvt.len_mult > 0 ? cvt.len_mult : 1);
    if (sourceBytes > kMaxConvertedBytes / multiple) return false;

    std::vector<uint8_t> work(sourceBytes * multiple);
    if (channels == sound.channels) {
        std::memcpy(work.data(), sound.data.data(), sourceBytes);
    } else {
        // Keep the first two samples of every frame.
        for (size_t f = 0; f < frames; ++f)
            std::memcpy(work.data() + f * frameBytes, sound.data.data() + f * static_cast<size_t>(sound.blockAlign),
                        frameBytes);
    }
    if (built == 0) {
        work.resize(sourceBytes);
        out = std::move(work);
        return true;
    }
    cvt.buf = work.data();
    cvt.len = static_cast<int>(sourceBytes);
    if (SDL_ConvertAudio(&cvt) != 0 || cvt.len_cvt <= 0 || static_cast<size_t>(cvt.len_cvt) > work.size()) return false;
    work.resize(static_cast<size_t>(cvt.len_cvt));
    out = std::move(work);
    return true;
}
