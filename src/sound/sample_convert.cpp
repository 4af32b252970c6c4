#include "sound/sample_convert.h"

#include <SDL.h>

#include <cstring>

namespace {

SDL_AudioFormat SourceFormat(int bitsPerSample) {
    switch (bitsPerSample) {
        case 8: return AUDIO_U8;
        case 16: return AUDIO_S16LSB;
        default: return AUDIO_S32LSB;  // 24-bit samples are widened to 32 first
    }
}

// SDL has no 24-bit format: such samples go in as 32-bit ones, the three
// bytes in the top of the word, so the value keeps its scale.
size_t FedSampleBytes(int bitsPerSample) { return bitsPerSample == 24 ? 4 : static_cast<size_t>(bitsPerSample / 8); }

// Copies the first `channels` samples of each frame into work, widened as
// FedSampleBytes says.
void CopyFrames(const WavSound& sound, size_t frames, int channels, uint8_t* work) {
    const size_t sampleBytes = static_cast<size_t>(sound.bitsPerSample / 8);
    const size_t fedBytes = FedSampleBytes(sound.bitsPerSample);
    const uint8_t* from = sound.data.data();
    for (size_t f = 0; f < frames; ++f) {
        const uint8_t* frame = from + f * static_cast<size_t>(sound.blockAlign);
        for (int c = 0; c < channels; ++c) {
            const uint8_t* sample = frame + static_cast<size_t>(c) * sampleBytes;
            if (fedBytes == sampleBytes) {
                std::memcpy(work, sample, sampleBytes);
            } else {
                work[0] = 0;
                std::memcpy(work + 1, sample, sampleBytes);
            }
            work += fedBytes;
        }
    }
}

}  // namespace

bool ConvertToMixFormat(const WavSound& sound, const MixFormat& mix, std::vector<uint8_t>& out) {
    out.clear();
    const int bits = sound.bitsPerSample;
    if (sound.channels < 1 || (bits != 8 && bits != 16 && bits != 24 && bits != 32) || sound.blockAlign <= 0 ||
        sound.sampleRate <= 0)
        return false;
    const size_t sampleBytes = static_cast<size_t>(sound.bitsPerSample / 8);
    if (static_cast<size_t>(sound.blockAlign) != sampleBytes * static_cast<size_t>(sound.channels)) return false;
    const size_t frames = sound.data.size() / static_cast<size_t>(sound.blockAlign);
    if (frames == 0) return false;

    const int channels = sound.channels < 2 ? 1 : 2;
    const size_t frameBytes = FedSampleBytes(sound.bitsPerSample) * static_cast<size_t>(channels);
    const size_t sourceBytes = frames * frameBytes;
    if (sourceBytes > static_cast<size_t>(INT32_MAX)) return false;

    SDL_AudioCVT cvt;
    const int built = SDL_BuildAudioCVT(&cvt, SourceFormat(sound.bitsPerSample), static_cast<Uint8>(channels),
                                        sound.sampleRate, mix.format, static_cast<Uint8>(mix.channels), mix.frequency);
    if (built < 0) return false;
    const size_t multiple = built == 0 ? 1 : static_cast<size_t>(cvt.len_mult > 0 ? cvt.len_mult : 1);
    if (sourceBytes > kMaxConvertedBytes / multiple) return false;

    std::vector<uint8_t> work(sourceBytes * multiple);
    if (channels == sound.channels && frameBytes == static_cast<size_t>(sound.blockAlign)) {
        std::memcpy(work.data(), sound.data.data(), sourceBytes);
    } else {
        CopyFrames(sound, frames, channels, work.data());
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
