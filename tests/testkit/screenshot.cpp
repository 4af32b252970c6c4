#include "testkit/screenshot.h"

#include <png.h>

#include <cstdio>
#include <memory>

namespace testkit {

namespace {

uint32_t Card32(const std::string& bytes, size_t index) {
    const size_t at = index * 4;
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = (v << 8) | static_cast<uint8_t>(bytes[at + i]);
    return v;
}

int Shift(uint32_t mask) {
    int s = 0;
    while (mask != 0 && (mask & 1) == 0) mask >>= 1, ++s;
    return s;
}

}  // namespace

Shot DecodeXwd(const std::string& bytes) {
    Shot shot;
    if (bytes.size() < 100) return shot;
    const uint32_t headerSize = Card32(bytes, 0);
    const uint32_t format = Card32(bytes, 2);
    const uint32_t width = Card32(bytes, 4), height = Card32(bytes, 5);
    const uint32_t byteOrder = Card32(bytes, 7);
    const uint32_t bitsPerPixel = Card32(bytes, 11), bytesPerLine = Card32(bytes, 12);
    const uint32_t red = Card32(bytes, 14), green = Card32(bytes, 15), blue = Card32(bytes, 16);
    const uint32_t colours = Card32(bytes, 19);
    if (format != 2 || (bitsPerPixel != 32 && bitsPerPixel != 24) || width == 0 || height == 0 || width > 8192 ||
        height > 8192)
        return shot;
    const size_t pixelsAt = static_cast<size_t>(headerSize) + static_cast<size_t>(colours) * 12;
    if (pixelsAt + static_cast<size_t>(bytesPerLine) * height > bytes.size()) return shot;
    shot.width = static_cast<int>(width);
    shot.height = static_cast<int>(height);
    shot.rgb.resize(static_cast<size_t>(width) * height * 3);
    const int step = static_cast<int>(bitsPerPixel / 8);
    for (uint32_t y = 0; y < height; ++y) {
        const uint8_t* row = reinterpret_cast<const uint8_t*>(bytes.data()) + pixelsAt + static_cast<size_t>(y) * bytesPerLine;
        for (uint32_t x = 0; x < width; ++x) {
            uint32_t v = 0;
            for (int i = 0; i < step; ++i) {
                const uint32_t b = row[x * step + i];
                v |= byteOrder == 0 ? b << (8 * i) : b << (8 * (step - 1 - i));
            }
            uint8_t* out = shot.rgb.data() + (static_cast<size_t>(y) * width + x) * 3;
            out[0] = static_cast<uint8_t>((v & red) >> Shift(red));
            out[1] = static_cast<uint8_t>((v & green) >> Shift(green));
            out[2] = static_cast<uint8_t>((v & blue) >> Shift(blue));
        }
    }
    return shot;
}

bool WritePng(const Shot& shot, const std::string& path) {
    if (!shot.valid()) return false;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    bool ok = false;
    if (info != nullptr && setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file);
        png_set_IHDR(png, info, static_cast<png_uint_32>(shot.width), static_cast<png_uint_32>(shot.height), 8,
                     PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < shot.height; ++y)
            png_write_row(png, const_cast<png_bytep>(shot.rgb.data() + static_cast<size_t>(y) * shot.width * 3));
        png_write_end(png, nullptr);
        ok = true;
    }
    png_destroy_write_struct(&png, info != nullptr ? &info : nullptr);
    std::fclose(file);
    return ok;
}

}  // namespace testkit
