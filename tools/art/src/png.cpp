#include <png.h>

#include <csetjmp>
#include <stdexcept>

#include "aerox/assets/formats.hpp"

namespace aerox::assets {
namespace {

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void flushNothing(png_structp) {}

// RGBA rows; the colour key becomes fully transparent black so that scaled
// or blended icons show no key-coloured fringe.
std::vector<png_byte> rgbaPixels(const Image& img) {
    std::vector<png_byte> rgba;
    rgba.reserve(static_cast<std::size_t>(img.width()) * static_cast<std::size_t>(img.height()) * 4);
    for (const Rgb c : img.pixels()) {
        const bool clear = c == kColourKey;
        rgba.push_back(clear ? 0 : c.r);
        rgba.push_back(clear ? 0 : c.g);
        rgba.push_back(clear ? 0 : c.b);
        rgba.push_back(clear ? 0 : 255);
    }
    return rgba;
}

}  // namespace

std::vector<std::uint8_t> encodePng(const Image& img) {
    const std::vector<png_byte> rgba = rgbaPixels(img);
    std::vector<png_bytep> rows(static_cast<std::size_t>(img.height()));
    for (std::size_t y = 0; y < rows.size(); ++y)
        rows[y] = const_cast<png_bytep>(rgba.data() + y * static_cast<std::size_t>(img.width()) * 4);

    std::vector<std::uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        throw std::runtime_error("cannot set up the PNG writer");
    }
    // libpng reports errors by jumping back here; nothing with a destructor
    // is created between here and the end of the writing.
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("cannot encode PNG");
    }
    png_set_write_fn(png, &out, appendBytes, flushNothing);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, static_cast<png_uint_32>(img.width()), static_cast<png_uint_32>(img.height()), 8,
                 PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

}  // namespace aerox::assets
