#include "testkit/gfx_files.h"

#include <lzo/lzo1x.h>
#include <png.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <stdexcept>

namespace testkit {

namespace {

void Put16(std::string& out, uint32_t v) {
    out += static_cast<char>(v & 255);
    out += static_cast<char>((v >> 8) & 255);
}
void Put32(std::string& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

}  // namespace

Picture::Picture(int w, int h, uint32_t rgba) : width(w), height(h), pixels(static_cast<size_t>(w) * h * 4) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) Set(x, y, rgba);
}

void Picture::Set(int x, int y, uint32_t rgba) {
    uint8_t* p = pixels.data() + (static_cast<size_t>(y) * width + x) * 4;
    p[0] = static_cast<uint8_t>(rgba >> 24);
    p[1] = static_cast<uint8_t>(rgba >> 16);
    p[2] = static_cast<uint8_t>(rgba >> 8);
    p[3] = static_cast<uint8_t>(rgba);
}

uint32_t Picture::Get(int x, int y) const {
    const uint8_t* p = pixels.data() + (static_cast<size_t>(y) * width + x) * 4;
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

std::string BmpHeader(int32_t width, int32_t height, int bitsPerPixel, uint32_t dataOffset, size_t dataBytes) {
    std::string out = "BM";
    Put32(out, static_cast<uint32_t>(dataOffset + dataBytes));
    Put32(out, 0);
    Put32(out, dataOffset);
    Put32(out, 40);
    Put32(out, static_cast<uint32_t>(width));
    Put32(out, static_cast<uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<uint32_t>(bitsPerPixel));
    for (int i = 0; i < 6; ++i) Put32(out, 0);
    if (out.size() < dataOffset) out.resize(dataOffset, '\0');
    out.append(dataBytes, '\0');
    return out;
}

std::string BmpBytes(const Picture& picture, int bitsPerPixel, bool topDown) {
    const int bytes = bitsPerPixel / 8;
    const size_t stride = (static_cast<size_t>(picture.width) * bytes + 3) & ~size_t{3};
    std::map<uint32_t, int> palette;
    if (bitsPerPixel == 8) {
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x) palette.emplace(picture.Get(x, y) | 0xFF, 0);
        if (palette.size() > 256) throw std::runtime_error("too many colours for 8 bits");
        int index = 0;
        for (auto& entry : palette) entry.second = index++;
    }
    const uint32_t offset = 54 + static_cast<uint32_t>(palette.size()) * 4;
    std::string out = BmpHeader(picture.width, topDown ? -picture.height : picture.height, bitsPerPixel, offset);
    out.resize(54);
    for (const auto& entry : palette) {
        out += static_cast<char>((entry.first >> 8) & 255);   // blue
        out += static_cast<char>((entry.first >> 16) & 255);  // green
        out += static_cast<char>(entry.first >> 24);          // red
        out += '\0';
    }
    for (int row = 0; row < picture.height; ++row) {
        const int y = topDown ? row : picture.height - 1 - row;
        std::string line;
        for (int x = 0; x < picture.width; ++x) {
            const uint32_t c = picture.Get(x, y);
            if (bitsPerPixel == 8) {
                line += static_cast<char>(palette.at(c | 0xFF));
                continue;
            }
            line += static_cast<char>((c >> 8) & 255);
            line += static_cast<char>((c >> 16) & 255);
            line += static_cast<char>(c >> 24);
            if (bytes == 4) line += static_cast<char>(c & 255);
        }
        line.resize(stride, '\0');
        out += line;
    }
    return out;
}

namespace {

void AppendToString(png_structp png, png_bytep data, size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}
void NoFlush(png_structp) {}

}  // namespace

std::string PngBytes(const Picture& picture, PngKind kind) {
    std::string out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("png write failed");
    }
    png_set_write_fn(png, &out, AppendToString, NoFlush);
    int type = PNG_COLOR_TYPE_RGB, depth = 8, channels = 3;
    switch (kind) {
        case PngKind::Grey: type = PNG_COLOR_TYPE_GRAY; channels = 1; break;
        case PngKind::Grey1Bit: type = PNG_COLOR_TYPE_GRAY; channels = 1; depth = 1; break;
        case PngKind::GreyAlpha: type = PNG_COLOR_TYPE_GRAY_ALPHA; channels = 2; break;
        case PngKind::Rgb: break;
        case PngKind::Rgb16Bit: depth = 16; break;
        case PngKind::Rgba: type = PNG_COLOR_TYPE_RGB_ALPHA; channels = 4; break;
        case PngKind::PaletteWithTransparency: type = PNG_COLOR_TYPE_PALETTE; channels = 1; break;
    }
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width), static_cast<png_uint_32>(picture.height),
                 depth, type, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<uint32_t> colours;  // palette: the picture's RGBA values
    if (kind == PngKind::PaletteWithTransparency) {
        for (size_t i = 0; i < picture.pixels.size(); i += 4) {
            const uint32_t c = picture.Get(static_cast<int>(i / 4 % picture.width), static_cast<int>(i / 4 / picture.width));
            if (std::find(colours.begin(), colours.end(), c) == colours.end()) colours.push_back(c);
        }
        std::vector<png_color> entries;
        std::vector<png_byte> alphas;
        for (uint32_t c : colours) {
            entries.push_back({static_cast<png_byte>(c >> 24), static_cast<png_byte>(c >> 16), static_cast<png_byte>(c >> 8)});
            alphas.push_back(static_cast<png_byte>(c));
        }
        png_set_PLTE(png, info, entries.data(), static_cast<int>(entries.size()));
        png_set_tRNS(png, info, alphas.data(), static_cast<int>(alphas.size()), nullptr);
    }
    png_write_info(png, info);
    std::vector<png_byte> row(static_cast<size_t>(picture.width) * channels * 2 + 8);
    for (int y = 0; y < picture.height; ++y) {
        std::fill(row.begin(), row.end(), 0);
        for (int x = 0; x < picture.width; ++x) {
            const uint32_t c = picture.Get(x, y);
            const png_byte r = static_cast<png_byte>(c >> 24), g = static_cast<png_byte>(c >> 16),
                           b = static_cast<png_byte>(c >> 8), a = static_cast<png_byte>(c);
            switch (kind) {
                case PngKind::Grey: row[x] = r; break;
                case PngKind::Grey1Bit:
                    if (r >= 128) row[x / 8] |= static_cast<png_byte>(0x80 >> (x % 8));
                    break;
                case PngKind::GreyAlpha: row[x * 2] = r; row[x * 2 + 1] = a; break;
                case PngKind::Rgb: row[x * 3] = r; row[x * 3 + 1] = g; row[x * 3 + 2] = b; break;
                case PngKind::Rgb16Bit:
                    for (int k = 0; k < 3; ++k) {
                        const png_byte v = k == 0 ? r : k == 1 ? g : b;
                        row[x * 6 + k * 2] = v;
                        row[x * 6 + k * 2 + 1] = 0x7F;
                    }
                    break;
                case PngKind::Rgba:
                    row[x * 4] = r; row[x * 4 + 1] = g; row[x * 4 + 2] = b; row[x * 4 + 3] = a;
                    break;
                case PngKind::PaletteWithTransparency:
                    row[x] = static_cast<png_byte>(std::find(colours.begin(), colours.end(), c) - colours.begin());
                    break;
            }
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::string ArchiveBytes(const std::vector<ArchiveFile>& files, bool negativePosition) {
    if (lzo_init() != LZO_E_OK) throw std::runtime_error("lzo_init");
    std::vector<unsigned char> work(LZO1X_1_MEM_COMPRESS);
    std::string out = "AEROXDATA";  // some bytes before the first entry
    std::string directory;
    for (const ArchiveFile& file : files) {
        std::vector<unsigned char> packed(file.content.size() + file.content.size() / 16 + 64 + 3);
        lzo_uint packedSize = 0;
        lzo1x_1_compress(reinterpret_cast<const unsigned char*>(file.content.data()), file.content.size(),
                         packed.data(), &packedSize, work.data());
        const uint32_t position = static_cast<uint32_t>(out.size());
        Put32(out, static_cast<uint32_t>(static_cast<int64_t>(file.content.size()) + file.declaredSizeDelta));
        out.append(reinterpret_cast<const char*>(packed.data()), packedSize);
        directory += static_cast<char>(file.name.size());
        directory += file.name;
        Put32(directory, position);
        Put32(directory, static_cast<uint32_t>(packedSize + 4));
    }
    directory += '\0';
    const int64_t directoryPosition = static_cast<int64_t>(out.size());
    out += directory;
    out += "sbX";
    const int64_t stored = negativePosition ? directoryPosition - static_cast<int64_t>(out.size() + 4) : directoryPosition;
    Put32(out, static_cast<uint32_t>(static_cast<int32_t>(stored)));
    return out;
}

}  // namespace testkit
