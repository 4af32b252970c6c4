#include "sound/wav_reader.h"

#include <cstdio>
#include <cstring>
#include <system_error>

#include "runtime/sys_files.h"

namespace {

uint32_t Le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}
uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

class MemorySource final : public WavSource {
public:
    MemorySource(const uint8_t* bytes, size_t size) : bytes_(bytes), size_(size) {}
    size_t Read(void* into, size_t count) override {
        const size_t n = count < size_ - pos_ ? count : size_ - pos_;
        if (n > 0) std::memcpy(into, bytes_ + pos_, n);
        pos_ += n;
        return n;
    }
    bool Skip(uint64_t count) override {
        if (count > size_ - pos_) return false;
        pos_ += static_cast<size_t>(count);
        return true;
    }
    uint64_t Remaining() const override { return size_ - pos_; }

private:
    const uint8_t* bytes_;
    size_t size_;
    size_t pos_ = 0;
};

class FileSource final : public WavSource {
public:
    explicit FileSource(std::FILE* file) : file_(file) {
        int64_t size = 0;
        if (OpenFileSize(file_, size) && size > 0) size_ = static_cast<uint64_t>(size);
    }
    size_t Read(void* into, size_t count) override {
        const size_t n = std::fread(into, 1, count, file_);
        pos_ += n;
        return n;
    }
    bool Skip(uint64_t count) override {
        if (count > Remaining()) return false;
        if (!SeekTo(file_, static_cast<int64_t>(pos_ + count))) return false;
        pos_ += count;
        return true;
    }
    uint64_t Remaining() const override { return pos_ < size_ ? size_ - pos_ : 0; }

private:
    std::FILE* file_;
    uint64_t size_ = 0;
    uint64_t pos_ = 0;
};

constexpr uint32_t kExtensibleFormatSize = 40;
constexpr uint16_t kExtensibleTag = 0xFFFE;
constexpr uint16_t kPcmTag = 1;  // the first two bytes of the extensible format's sub-format

bool ReadChunkHeader(WavSource& source, char tag[4], uint32_t& size) {
    uint8_t header[8];
    if (source.Read(header, 8) != 8) return false;
    std::memcpy(tag, header, 4);
    size = Le32(header + 4);
    return true;
}

// The header values a sound must have to be played at all. A file may hold
// more than two channels: it is played as stereo from the first two samples
// of each frame, the frame stride being the file's own block alignment.
bool FormatIsPlayable(uint32_t channels, uint32_t sampleRate, uint32_t blockAlign, uint32_t bits) {
    if (channels < 1 || channels > 8) return false;
    if (bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
    if (sampleRate < 100 || sampleRate > 200000) return false;
    return blockAlign == channels * (bits / 8);
}

}  // namespace

bool ReadWav(WavSource& source, WavSound& out) {
    uint8_t head[36];
    if (source.Read(head, sizeof head) != sizeof head) return false;
    const uint32_t formatSize = Le32(head + 16);
    const uint16_t channels = Le16(head + 22);
    const uint32_t sampleRate = Le32(head + 24);
    const uint16_t blockAlign = Le16(head + 32);
    const uint16_t bits = Le16(head + 34);
    if (!FormatIsPlayable(channels, sampleRate, blockAlign, bits)) return false;

    if (formatSize == kExtensibleFormatSize) {
        // The extensible format, as most tools write 24-bit files: its
        // extension is passed over, and only integer samples are taken.
        uint8_t extension[kExtensibleFormatSize - 16];
        if (source.Read(extension, sizeof extension) != sizeof extension) return false;
        if (Le16(head + 20) != kExtensibleTag || Le16(extension + 8) != kPcmTag) return false;
    } else if (formatSize != 16 && !source.Skip(14)) {
        return false;
    }
    char tag[4];
    uint32_t size = 0;
    if (!ReadChunkHeader(source, tag, size)) return false;
    if (std::memcmp(tag, "fact", 4) == 0) {
        if (!source.Skip(size)) return false;
        if (!ReadChunkHeader(source, tag, size)) return false;
    }
    if (std::memcmp(tag, "data", 4) != 0) return false;
    // A data chunk shorter than it says fails the load, and so does one
    // too big to keep or one without a single whole frame.
    if (size < blockAlign || size > kMaxWavDataBytes || size > source.Remaining()) return false;

    std::vector<uint8_t> data(size);
    if (source.Read(data.data(), size) != size) return false;
    out.channels = channels;
    out.sampleRate = static_cast<int>(sampleRate);
    out.bitsPerSample = bits;
    out.blockAlign = blockAlign;
    out.data = std::move(data);
    return true;
}

bool ReadWavMemory(const uint8_t* bytes, size_t size, WavSound& out) {
    if (bytes == nullptr) return false;
    MemorySource source(bytes, size);
    return ReadWav(source, out);
}

bool ReadWavFile(const std::string& path, WavSound& out) {
    if (path.empty()) return false;
    // Only plain files: opening a pipe or a device could block or never end.
    if (!IsReadableFile(path)) return false;
    std::FILE* file = OpenFile(path, "rb");
    if (file == nullptr) return false;
    FileSource source(file);
    const bool ok = ReadWav(source, out);
    std::fclose(file);
    return ok;
}
