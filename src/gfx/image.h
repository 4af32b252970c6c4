// Decoded pictures and the two decoders behind the sprite store.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// width x height pixels, rows top to bottom, each pixel R, G, B, A.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;
};

// A colour key is 0x00BBGGRR; this value makes no colour transparent.
constexpr uint32_t kNoColourKey = 0xFFFFFFFFu;
// The key of sprites loaded by LoadSprite: red 255, green 0, blue 128.
constexpr uint32_t kSpriteColourKey = 0x8000FFu;

// Pictures larger than this are refused before anything is allocated.
constexpr int64_t kMaxImageSide = 16384;
constexpr int64_t kMaxImagePixels = int64_t{64} << 20;

// True for 1..kMaxImageSide on each side and at most kMaxImagePixels.
inline bool ImageSizeAcceptable(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
           width * height <= kMaxImagePixels;
}

// Windows bitmaps of 8 (paletted), 24 and 32 bits per pixel. Pixels equal
// to the key become (0, 0, 0, 0). False (image untouched) for anything else.
bool ReadBmp(RgbaImage& image, const std::string& path, uint32_t colourKey);
bool ReadBmpMemory(RgbaImage& image, const uint8_t* data, size_t size, uint32_t colourKey);

// PNG through libpng: grey, RGB and RGB with alpha after expansion to 8-bit
// samples; the key applies to RGB pictures only. A damaged stream fails.
bool ReadPng(RgbaImage& image, const std::string& path, uint32_t colourKey);
bool ReadPngMemory(RgbaImage& image, const uint8_t* data, size_t size, uint32_t colourKey);

// ReadBmp, then ReadPng: the content decides, not the name.
bool ReadImage(RgbaImage& image, const std::string& path, uint32_t colourKey);
