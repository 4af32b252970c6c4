// Builders of picture and archive files for the graphics tests and the
// fuzz seeds: small BMP and PNG writers and an "sbX" archive packer.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace testkit {

// An RGBA picture, rows top first.
struct Picture {
    Picture(int w, int h, uint32_t rgba = 0x000000FF);  // 0xRRGGBBAA
    void Set(int x, int y, uint32_t rgba);
    uint32_t Get(int x, int y) const;
    int width, height;
    std::vector<uint8_t> pixels;
};

// A Windows bitmap of 8 (palette of the picture's colours, at most 256),
// 24 or 32 bits per pixel; rows bottom-up unless topDown.
std::string BmpBytes(const Picture& picture, int bitsPerPixel, bool topDown = false);
// A bitmap header claiming any size and depth, followed by dataBytes zero bytes.
std::string BmpHeader(int32_t width, int32_t height, int bitsPerPixel, uint32_t dataOffset = 54,
                      size_t dataBytes = 0);

enum class PngKind { Grey, GreyAlpha, Rgb, Rgba, PaletteWithTransparency, Grey1Bit, Rgb16Bit };
std::string PngBytes(const Picture& picture, PngKind kind);

struct ArchiveFile {
    std::string name;
    std::string content;
    // Damage for tests: a declared unpacked size other than the real one.
    int64_t declaredSizeDelta = 0;
};
// Packs the files with LZO1X-1; the directory follows the data, and its
// position is stored counted back from the end when negativePosition.
std::string ArchiveBytes(const std::vector<ArchiveFile>& files, bool negativePosition = false);

}  // namespace testkit
