#include "aerox/assets/formats.hpp"

#include <stdexcept>

namespace aerox::assets {
namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

void putTag(std::vector<std::uint8_t>& out, const char (&tag)[5]) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(tag[i]));
}

}  // namespace

std::vector<std::uint8_t> encodeBmp(const Image& img) {
    constexpr std::uint32_t kHeaderBytes = 14 + 40;
    const auto w = static_cast<std::uint32_t>(img.width());
    const auto h = static_cast<std::uint32_t>(img.height());
    const std::uint32_t stride = (w * 3 + 3) & ~3u;
    const std::uint32_t dataBytes = stride * h;

    std::vector<std::uint8_t> out;
    out.reserve(kHeaderBytes + dataBytes);
    out.push_back('B');
    out.push_back('M');
    put32(out, kHeaderBytes + dataBytes);
    put32(out, 0);  // reserved
    put32(out, kHeaderBytes);

    put32(out, 40);
    put32(out, w);
    put32(out, h);  // positive: rows stored bottom-up
    put16(out, 1);  // planes
    put16(out, 24);
    put32(out, 0);  // no compression
    put32(out, dataBytes);
    put32(out, 2835);  // 72 dpi
    put32(out, 2835);
    put32(out, 0);  // colours used
    put32(out, 0);  // important colours

    for (int y = img.height() - 1; y >= 0; --y) {
        for (int x = 0; x < img.width(); ++x) {
            const Rgb c = img.at(x, y);
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
        }
        for (std::uint32_t pad = w * 3; pad < stride; ++pad) out.push_back(0);
    }
    return out;
}

std::vector<std::uint8_t> encodeWav(const Sound& sound) {
    if (sound.sampleRate <= 0) throw std::invalid_argument("sample rate must be positive");
    constexpr std::uint32_t kChannels = 1;
    constexpr std::uint32_t kBits = 16;
    const auto rate = static_cast<std::uint32_t>(sound.sampleRate);
    const std::uint32_t blockAlign = kChannels * kBits / 8;
    const auto dataBytes = static_cast<std::uint32_t>(sound.samples.size() * blockAlign);

    std::vector<std::uint8_t> out;
    out.reserve(44 + dataBytes + 1);
    putTag(out, "RIFF");
    put32(out, 4 + (8 + 16) + (8 + dataBytes + (dataBytes & 1)));
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, kChannels);
    put32(out, rate);
    put32(out, rate * blockAlign);
    put16(out, blockAlign);
    put16(out, kBits);
    putTag(out, "data");
    put32(out, dataBytes);
    for (std::int16_t s : sound.samples) put16(out, static_cast<std::uint16_t>(s));
    if (dataBytes & 1) out.push_back(0);  // never with 16-bit mono, kept for RIFF correctness
    return out;
}

}  // namespace aerox::assets
