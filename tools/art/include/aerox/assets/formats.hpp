// Encoders for the file formats the engine loads.
#pragma once

#include <cstdint>
#include <vector>

#include "aerox/assets/image.hpp"

namespace aerox::assets {

// 24-bit uncompressed BMP: 14-byte file header, 40-byte info header, rows
// bottom-up in B,G,R order, each row padded to a multiple of four bytes.
std::vector<std::uint8_t> encodeBmp(const Image& img);

struct Sound {
    int sampleRate = 22050;
    std::vector<std::int16_t> samples;  // mono
};

// 8-bit RGBA PNG; key-coloured pixels are fully transparent. For icons, which
// desktops load, not the engine.
std::vector<std::uint8_t> encodePng(const Image& img);

// RIFF/WAVE with a 16-byte PCM "fmt " chunk followed directly by "data".
std::vector<std::uint8_t> encodeWav(const Sound& sound);

}  // namespace aerox::assets
