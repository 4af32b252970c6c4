#include "files/bmp_writer.h"

#include "gfx/image.h"

namespace {

void Put(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xff);
}

}  // namespace

bool EncodeBmpRgb(int width, int height, const uint8_t* rgba, std::string& bmp) {
    bmp.clear();
    if (!ImageSizeAcceptable(width, height) || rgba == nullptr) return false;
    // Rows are padded to whole 4-byte words.
    const uint32_t row = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;
    const uint32_t pixelBytes = row * static_cast<uint32_t>(height);
    constexpr uint32_t kHeaders = 14 + 40;
    bmp.reserve(kHeaders + pixelBytes);
    bmp += "BM";
    Put(bmp, kHeaders + pixelBytes, 4);
    Put(bmp, 0, 4);
    Put(bmp, kHeaders, 4);
    Put(bmp, 40, 4);
    Put(bmp, static_cast<uint32_t>(width), 4);
    Put(bmp, static_cast<uint32_t>(height), 4);
    Put(bmp, 1, 2);
    Put(bmp, 24, 2);
    Put(bmp, 0, 4);
    Put(bmp, pixelBytes, 4);
    Put(bmp, 2835, 4);  // 72 dots an inch
    Put(bmp, 2835, 4);
    Put(bmp, 0, 4);
    Put(bmp, 0, 4);
    for (int y = height - 1; y >= 0; --y) {
        const uint8_t* source = rgba + static_cast<size_t>(y) * static_cast<size_t>(width) * 4;
        for (int x = 0; x < width; ++x) {
            const uint8_t* pixel = source + static_cast<size_t>(x) * 4;
            bmp += static_cast<char>(pixel[2]);
            bmp += static_cast<char>(pixel[1]);
            bmp += static_cast<char>(pixel[0]);
        }
        for (uint32_t pad = static_cast<uint32_t>(width) * 3; pad < row; ++pad) bmp += '\0';
    }
    return true;
}
