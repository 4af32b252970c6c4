// PNG decoder over libpng: every picture is expanded to 8-bit samples and
// accepted as grey, RGB or RGB with alpha.
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "gfx/image.h"
#include "runtime/sys_files.h"

namespace {

struct PngSource {
    const uint8_t* data = nullptr;  // in-memory stream, or
    size_t size = 0;                // its size, or the file's (0: not known)
    size_t position = 0;
    std::FILE* file = nullptr;  // a file stream
};

void ReadFromSource(png_structp png, png_bytep out, size_t count) {
    auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
    if (source->file != nullptr) {
        if (std::fread(out, 1, count, source->file) != count) png_error(png, "read past the end");
        return;
    }
    if (count > source->size - source->position) png_error(png, "read past the end");
    std::memcpy(out, source->data + source->position, count);
    source->position += count;
}

// libpng prints nothing: an error leaves through the jump, warnings are dropped.
[[noreturn]] void OnPngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnPngWarning(png_structp, png_const_charp) {}

enum class PngStatus { Ok, Failed, BadDepth, BadColourType };

// The decoded rows before conversion; pixels is malloc'ed.
struct PngRows {
    int width = 0;
    int height = 0;
    int channels = 0;
    int bitDepth = 0;
    uint8_t* pixels = nullptr;
};

// Holds the setjmp, so nothing in here may need a destructor.
PngStatus DecodePng(PngSource* source, PngRows* out) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
    if (png == nullptr) return PngStatus::Failed;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return PngStatus::Failed;
    }
    uint8_t* volatile pixels = nullptr;
    png_bytep* volatile rows = nullptr;
    if (setjmp(png_jmpbuf(png)) != 0) {
        std::free(rows);
        std::free(pixels);
        png_destroy_read_struct(&png, &info, nullptr);
        return PngStatus::Failed;
    }
    png_set_read_fn(png, source, ReadFromSource);
    png_set_user_limits(png, static_cast<png_uint_32>(kMaxImageSide), static_cast<png_uint_32>(kMaxImageSide));
    png_read_info(png, info);

    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    const int colourType = png_get_color_type(png, info);
    const int depth = png_get_bit_depth(png, info);
    if (!ImageSizeAcceptable(width, height)) png_error(png, "size");

    if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colourType == PNG_COLOR_TYPE_GRAY && depth < 8) png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS) != 0) png_set_tRNS_to_alpha(png);
    if (depth == 16) png_set_strip_16(png);
    if (depth < 8) png_set_packing(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);

    const int channels = png_get_channels(png, info);
    if (channels != 1 && channels != 3 && channels != 4) png_error(png, "channels");
    out->width = static_cast<int>(width);
    out->height = static_cast<int>(height);
    out->channels = channels;
    out->bitDepth = png_get_bit_depth(png, info);
    if (out->bitDepth != 8) {
        png_destroy_read_struct(&png, &info, nullptr);
        return PngStatus::BadDepth;
    }
    const int finalType = png_get_color_type(png, info);
    if (finalType != PNG_COLOR_TYPE_GRAY && finalType != PNG_COLOR_TYPE_RGB && finalType != PNG_COLOR_TYPE_RGB_ALPHA) {
        png_destroy_read_struct(&png, &info, nullptr);
        return PngStatus::BadColourType;
    }
    const size_t rowBytes = png_get_rowbytes(png, info);
    if (rowBytes != static_cast<size_t>(width) * channels) png_error(png, "row size");
    // Deflate packs at most about 1032 bytes into one: a picture larger
    // than its data could ever hold is refused before its buffer is made,
    // so a few bytes cannot ask for hundreds of megabytes.
    constexpr uint64_t kMostDeflateRatio = 1040;
    if (source->size > 0 && (uint64_t{rowBytes} + 1) * height > kMostDeflateRatio * source->size)
        png_error(png, "larger than its data");

    pixels = static_cast<uint8_t*>(std::malloc(rowBytes * height));
    rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * height));
    if (pixels == nullptr || rows == nullptr) png_error(png, "memory");
    for (png_uint_32 y = 0; y < height; ++y) rows[y] = pixels + rowBytes * y;
    png_read_image(png, rows);
    png_read_end(png, nullptr);

    std::free(rows);
    png_destroy_read_struct(&png, &info, nullptr);
    out->pixels = pixels;
    return PngStatus::Ok;
}

bool ConvertRows(const PngRows& rows, uint32_t colourKey, RgbaImage& image) {
    std::vector<uint8_t> pixels(static_cast<size_t>(rows.width) * rows.height * 4);
    const size_t count = static_cast<size_t>(rows.width) * rows.height;
    const uint8_t* src = rows.pixels;
    uint8_t* dst = pixels.data();
    for (size_t i = 0; i < count; ++i, src += rows.channels, dst += 4) {
        if (rows.channels == 4) {
            std::memcpy(dst, src, 4);  // own alpha; the key does not apply
        } else if (rows.channels == 3) {
            const uint32_t colour = src[0] | uint32_t{src[1]} << 8 | uint32_t{src[2]} << 16;
            if (colourKey != kNoColourKey && colour == colourKey) continue;  // stays (0, 0, 0, 0)
            dst[0] = src[0];
            dst[1] = src[1];
            dst[2] = src[2];
            dst[3] = 255;
        } else {
            dst[0] = dst[1] = dst[2] = src[0];
            dst[3] = 255;
        }
    }
    image.width = rows.width;
    image.height = rows.height;
    image.pixels = std::move(pixels);
    return true;
}

bool ReadPngSource(RgbaImage& image, PngSource& source, const char* name, uint32_t colourKey) {
    PngRows rows;
    switch (DecodePng(&source, &rows)) {
        case PngStatus::Ok: break;
        case PngStatus::BadDepth:
            std::printf("File %s has bit depth %d.\n", name, rows.bitDepth);
            std::puts("Only bit depth of 8 is supported.");
            return false;
        case PngStatus::BadColourType:
            std::printf("File %s has unsupported color type.\n", name);
            std::puts("Types GRAY, RGB and RGB_ALPHA are supported.");
            return false;
        case PngStatus::Failed: return false;
    }
    ConvertRows(rows, colourKey, image);
    std::free(rows.pixels);
    return true;
}

}  // namespace

bool ReadPngMemory(RgbaImage& image, const uint8_t* data, size_t size, uint32_t colourKey) {
    if (data == nullptr) return false;
    PngSource source;
    source.data = data;
    source.size = size;
    return ReadPngSource(image, source, "(memory)", colourKey);
}

bool ReadPng(RgbaImage& image, const std::string& path, uint32_t colourKey) {
    PngSource source;
    source.file = OpenFile(path, "rb");
    if (source.file == nullptr) return false;
    if (int64_t size = 0; OpenFileSize(source.file, size) && size > 0) source.size = static_cast<size_t>(size);
    const bool ok = ReadPngSource(image, source, path.c_str(), colourKey);
    std::fclose(source.file);
    return ok;
}
