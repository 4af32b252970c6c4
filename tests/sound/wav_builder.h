// Builds WAV files byte by byte for the sound tests, including files that
// are wrong on purpose.
#pragma once
#include <cmath>
#include <cstdint>
#include <string>

namespace wavtest {

struct WavLayout {
    uint16_t channels = 1;
    uint32_t sampleRate = 22050;
    uint16_t bits = 16;
    int blockAlign = -1;              // -1: channels * bits / 8
    uint32_t formatSize = 16;         // 18 adds a 2-byte extension size; 40 is the extensible format
    uint16_t subFormat = 1;           // of the extensible format: 1 PCM, 3 floating point
    bool factChunk = false;           // a 4-byte "fact" chunk after the format
    const char* dataTag = "data";
    int64_t declaredDataSize = -1;    // -1: the real size
};

inline void Put16(std::string& s, uint32_t v) {
    s += static_cast<char>(v & 255);
    s += static_cast<char>((v >> 8) & 255);
}
inline void Put24(std::string& s, int32_t v) {
    Put16(s, static_cast<uint32_t>(v) & 0xFFFF);
    s += static_cast<char>((static_cast<uint32_t>(v) >> 16) & 255);
}
inline void Put32(std::string& s, uint32_t v) {
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}

inline std::string BuildWav(const WavLayout& w, const std::string& samples) {
    const uint32_t align = w.blockAlign >= 0 ? static_cast<uint32_t>(w.blockAlign) : w.channels * (w.bits / 8u);
    std::string body = "WAVE";
    body += "fmt ";
    Put32(body, w.formatSize);
    Put16(body, w.formatSize == 40 ? 0xFFFE : 1);
    Put16(body, w.channels);
    Put32(body, w.sampleRate);
    Put32(body, w.sampleRate * align);
    Put16(body, align);
    Put16(body, w.bits);
    if (w.formatSize == 40) {
        Put16(body, 22);
        Put16(body, w.bits);
        Put32(body, w.channels == 2 ? 3 : 4);
        // The sub-format's GUID: its first two bytes, then the rest of it.
        static const char kGuidRest[] = "\0\0\0\0\x10\0\x80\0\0\xaa\0\x38\x9b\x71";
        static_assert(sizeof kGuidRest - 1 == 14);
        Put16(body, w.subFormat);
        body.append(kGuidRest, sizeof kGuidRest - 1);
    } else if (w.formatSize > 16) {
        body.append(w.formatSize - 16, '\0');
    }
    if (w.factChunk) {
        body += "fact";
        Put32(body, 4);
        Put32(body, align ? static_cast<uint32_t>(samples.size() / align) : 0);
    }
    body += std::string(w.dataTag, 4);
    Put32(body, w.declaredDataSize >= 0 ? static_cast<uint32_t>(w.declaredDataSize)
                                        : static_cast<uint32_t>(samples.size()));
    body += samples;
    std::string file = "RIFF";
    Put32(file, static_cast<uint32_t>(body.size()));
    return file + body;
}

// A sine of the given length as signed 16-bit samples, the same in every
// channel.
inline std::string Sine16(int frames, int channels, double hz, int rate, double amplitude = 12000.0) {
    std::string s;
    for (int i = 0; i < frames; ++i) {
        const auto v = static_cast<int16_t>(std::lround(amplitude * std::sin(2.0 * M_PI * hz * i / rate)));
        for (int c = 0; c < channels; ++c) Put16(s, static_cast<uint16_t>(v));
    }
    return s;
}

// Signed 24-bit samples, three bytes each.
inline std::string Sine24(int frames, int channels, double hz, int rate, double amplitude = 3000000.0) {
    std::string s;
    for (int i = 0; i < frames; ++i) {
        const auto v = static_cast<int32_t>(std::lround(amplitude * std::sin(2.0 * M_PI * hz * i / rate)));
        for (int c = 0; c < channels; ++c) Put24(s, v);
    }
    return s;
}

// Unsigned 8-bit samples.
inline std::string Sine8(int frames, int channels, double hz, int rate) {
    std::string s;
    for (int i = 0; i < frames; ++i) {
        const auto v = static_cast<uint8_t>(128 + std::lround(100.0 * std::sin(2.0 * M_PI * hz * i / rate)));
        for (int c = 0; c < channels; ++c) s += static_cast<char>(v);
    }
    return s;
}

// A mono 16-bit sound of the given seconds at 22050 Hz.
inline std::string ToneWav(double seconds, double hz = 440.0) {
    const int frames = static_cast<int>(seconds * 22050);
    return BuildWav(WavLayout{}, Sine16(frames, 1, hz, 22050));
}

}  // namespace wavtest
