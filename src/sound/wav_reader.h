// Reading a RIFF WAV file with PCM samples. The reader takes what it needs
// from a fixed layout: the first 36 bytes (format chunk size, channels,
// sample rate, block alignment, bits per sample), a 14-byte skip after a
// format chunk that is not 16 bytes long, an optional "fact" chunk, then
// the "data" chunk.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The largest data chunk a sound may have.
constexpr uint32_t kMaxWavDataBytes = 64u * 1024u * 1024u;

struct WavSound {
    int channels = 0;           // as the file says: 1 to 8
    int sampleRate = 0;         // frames per second
    int bitsPerSample = 0;      // 8, 16, 24 or 32
    int blockAlign = 0;         // bytes per frame: channels * bitsPerSample / 8
    std::vector<uint8_t> data;  // the data chunk, as stored in the file
};

// Where the reader takes its bytes from.
class WavSource {
public:
    virtual ~WavSource() = default;
    // Copies up to count bytes; returns how many arrived.
    virtual size_t Read(void* into, size_t count) = 0;
    // Skips count bytes; false when fewer than that are left.
    virtual bool Skip(uint64_t count) = 0;
    // Bytes left to read.
    virtual uint64_t Remaining() const = 0;
};

// Reads a sound; false (with out unchanged in meaning) when the bytes do not
// form a sound this engine can play.
bool ReadWav(WavSource& source, WavSound& out);
// The same over a block of memory.
bool ReadWavMemory(const uint8_t* bytes, size_t size, WavSound& out);
// The same over a file; false when it cannot be opened.
bool ReadWavFile(const std::string& path, WavSound& out);
