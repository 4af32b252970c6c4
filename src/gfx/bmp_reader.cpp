// Windows bitmap decoder: 8-bit paletted, 24 and 32 bits per pixel.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

#include "gfx/image.h"
#include "runtime/sys_files.h"

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;
constexpr size_t kHeadersSize = kFileHeaderSize + kInfoHeaderSize;
// The headers and the longest palette a byte can index.
constexpr size_t kLongestHead = kHeadersSize + size_t{256} * 4;

uint32_t Le32(const uint8_t* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}
uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

bool IsBitmapSignature(const uint8_t* p) { return p[0] == 'B' && p[1] == 'M'; }

struct BmpLayout {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bytesPerPixel = 0;
    size_t stride = 0;
    size_t dataSize = 0;
};

// head holds the file's first bytes up to the pixel-data offset: the file
// header, the information header and the palette.
bool ParseHeaders(const uint8_t* head, size_t headSize, BmpLayout& layout) {
    if (headSize < kHeadersSize || !IsBitmapSignature(head)) return false;
    const uint8_t* info = head + kFileHeaderSize;
    const int64_t width = static_cast<int32_t>(Le32(info + 4));
    int64_t height = static_cast<int32_t>(Le32(info + 8));
    const int bits = Le16(info + 14);
    if (bits != 8 && bits != 24 && bits != 32) return false;
    layout.topDown = height < 0;
    if (height < 0) height = -height;
    if (!ImageSizeAcceptable(width, height)) return false;
    layout.width = static_cast<int>(width);
    layout.height = static_cast<int>(height);
    layout.bytesPerPixel = bits / 8;
    layout.stride = (static_cast<size_t>(width) * layout.bytesPerPixel + 3) & ~size_t{3};
    layout.dataSize = layout.stride * static_cast<size_t>(height);
    return true;
}

void DecodeRows(const BmpLayout& layout, const uint8_t* head, size_t headSize, const uint8_t* data, uint32_t colourKey,
                RgbaImage& image) {
    const uint8_t* palette = head + kHeadersSize;
    const size_t paletteEntries = (headSize - kHeadersSize) / 4;
    std::vector<uint8_t> pixels(static_cast<size_t>(layout.width) * layout.height * 4);
    for (int y = 0; y < layout.height; ++y) {
        // Rows are stored bottom-up unless the height was negative.
        const int fileRow = layout.topDown ? y : layout.height - 1 - y;
        const uint8_t* src = data + static_cast<size_t>(fileRow) * layout.stride;
        uint8_t* dst = pixels.data() + static_cast<size_t>(y) * layout.width * 4;
        for (int x = 0; x < layout.width; ++x, dst += 4) {
            uint8_t r = 0, g = 0, b = 0;
            if (layout.bytesPerPixel == 1) {
                const size_t index = src[x];
                if (index < paletteEntries) {  // entries missing from the file stay black
                    b = palette[index * 4];
                    g = palette[index * 4 + 1];
                    r = palette[index * 4 + 2];
                }
            } else {
                const uint8_t* p = src + static_cast<size_t>(x) * layout.bytesPerPixel;
                b = p[0];
                g = p[1];
                r = p[2];
            }
            const uint32_t colour = r | uint32_t{g} << 8 | uint32_t{b} << 16;
            if (colourKey != kNoColourKey && colour == colourKey) continue;  // stays (0, 0, 0, 0)
            dst[0] = r;
            dst[1] = g;
            dst[2] = b;
            dst[3] = 255;
        }
    }
    image.width = layout.width;
    image.height = layout.height;
    image.pixels = std::move(pixels);
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

bool ReadWhole(std::FILE* f, uint8_t* buffer, size_t size) { return std::fread(buffer, 1, size, f) == size; }

}  // namespace

bool ReadBmpMemory(RgbaImage& image, const uint8_t* data, size_t size, uint32_t colourKey) {
    if (data == nullptr || size < kHeadersSize || !IsBitmapSignature(data)) return false;
    const size_t offset = Le32(data + 10);
    if (offset < kHeadersSize || offset > size) return false;
    BmpLayout layout;
    if (!ParseHeaders(data, offset, layout)) return false;
    if (layout.dataSize > size - offset) return false;
    DecodeRows(layout, data, offset, data + offset, colourKey, image);
    return true;
}

bool ReadBmp(RgbaImage& image, const std::string& path, uint32_t colourKey) {
    std::unique_ptr<std::FILE, FileCloser> file(OpenFile(path, "rb"));
    if (!file) return false;
    std::FILE* f = file.get();
    int64_t size = 0;
    if (!OpenFileSize(f, size) || size < 0) return false;
    const auto fileSize = static_cast<uint64_t>(size);

    uint8_t fileHeader[kFileHeaderSize];
    if (!ReadWhole(f, fileHeader, sizeof fileHeader) || !IsBitmapSignature(fileHeader)) return false;
    const uint64_t offset = Le32(fileHeader + 10);
    if (offset < kHeadersSize || offset > fileSize) return false;
    // Only the headers and a palette of at most 256 entries are read: an
    // offset far beyond them (a huge, perhaps sparse, file) is sought past,
    // never allocated.
    std::vector<uint8_t> head(static_cast<size_t>(std::min<uint64_t>(offset, kLongestHead)));
    std::memcpy(head.data(), fileHeader, kFileHeaderSize);
    if (!ReadWhole(f, head.data() + kFileHeaderSize, head.size() - kFileHeaderSize)) return false;
    if (offset > head.size() && !SeekTo(f, static_cast<int64_t>(offset))) return false;

    BmpLayout layout;
    if (!ParseHeaders(head.data(), head.size(), layout)) return false;
    if (layout.dataSize > fileSize - offset) return false;
    std::vector<uint8_t> data(layout.dataSize);
    if (!ReadWhole(f, data.data(), data.size())) return false;
    file.reset();
    DecodeRows(layout, head.data(), head.size(), data.data(), colourKey, image);
    return true;
}

bool ReadImage(RgbaImage& image, const std::string& path, uint32_t colourKey) {
    return ReadBmp(image, path, colourKey) || ReadPng(image, path, colourKey);
}
