// The whole picture is encoded in memory first, so that a file is written
// in one go or not at all.
#include "gfx/png_writer.h"

#include <png.h>

#include <csetjmp>
#include <cstdlib>
#include <cstring>

#include "gfx/image.h"

namespace {

void AppendToString(png_structp png, png_bytep data, size_t count) {
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), count);
}
void NoFlush(png_structp) {}

// libpng prints nothing: an error leaves through the jump, warnings are dropped.
[[noreturn]] void OnPngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void OnPngWarning(png_structp, png_const_charp) {}

// Holds the setjmp, so nothing in here may need a destructor: the row
// buffer is malloc'ed and the output string belongs to the caller.
bool Encode(int width, int height, const uint8_t* rgba, std::string* out) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    uint8_t* volatile row = nullptr;
    if (setjmp(png_jmpbuf(png)) != 0) {
        std::free(row);
        png_destroy_write_struct(&png, &info);
        return false;
    }
    row = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(width) * 3));
    if (row == nullptr) png_error(png, "out of memory");
    png_set_write_fn(png, out, AppendToString, NoFlush);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) {
        const uint8_t* source = rgba + static_cast<size_t>(y) * width * 4;
        for (size_t x = 0; x < static_cast<size_t>(width); ++x) std::memcpy(row + x * 3, source + x * 4, 3);
        png_write_row(png, row);
    }
    png_write_end(png, nullptr);
    std::free(row);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool EncodePngRgb(int width, int height, const uint8_t* rgba, std::string& png) {
    png.clear();
    if (rgba == nullptr || !ImageSizeAcceptable(width, height)) return false;
    if (!Encode(width, height, rgba, &png)) {
        png.clear();
        return false;
    }
    return true;
}
