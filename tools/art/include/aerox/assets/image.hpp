// Pixel buffers and the text grids the art is written in.
//
// A grid is a list of equal-length strings, one character per pixel, each
// character a palette code (see palette.hpp). '.' is the colour key.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace aerox::assets {

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

// Transparent pixels in sprite bitmaps.
inline constexpr Rgb kColourKey{255, 0, 128};
// Transparent pixels in the font bitmap.
inline constexpr Rgb kFontBlack{0, 0, 0};

using Grid = std::vector<std::string_view>;

class Image {
public:
    Image() = default;
    Image(int width, int height, Rgb fill = kColourKey);

    int width() const { return width_; }
    int height() const { return height_; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    Rgb at(int x, int y) const { return pixels_[index(x, y)]; }
    void set(int x, int y, Rgb c) { pixels_[index(x, y)] = c; }
    // Writes only when (x, y) lies inside the picture.
    void plot(int x, int y, Rgb c) {
        if (contains(x, y)) set(x, y, c);
    }
    bool keyed(int x, int y) const { return at(x, y) == kColourKey; }

    const std::vector<Rgb>& pixels() const { return pixels_; }

private:
    std::size_t index(int x, int y) const;

    int width_ = 0;
    int height_ = 0;
    std::vector<Rgb> pixels_;
};

// Checks that all rows have the same length and every code is in the palette;
// throws std::invalid_argument otherwise.
void validateGrid(const Grid& rows);

// Converts a grid to a picture of the same size.
Image imageFromGrid(const Grid& rows);

// Draws a grid onto `dst` with its top-left corner at (x, y). Key pixels
// in the grid are skipped so the grid acts as a stamp.
void stampGrid(Image& dst, const Grid& rows, int x, int y);

// Builds a left-right symmetric grid from its left half. With a shared centre
// the last column of the half is the middle column (odd total width);
// otherwise the half is mirrored in full (even total width).
std::vector<std::string> mirrorHalf(const Grid& half, bool sharedCentre);

// Views over owned rows, for passing built grids to the functions above.
Grid gridView(const std::vector<std::string>& rows);

// Copies `src` onto `dst` at (x, y), skipping keyed pixels.
void stampImage(Image& dst, const Image& src, int x, int y);

Image flipVertical(const Image& src);

// Adds a one-pixel outline in `colour` around every opaque pixel, on keyed
// neighbours (4-connected).
void outline(Image& img, Rgb colour);

// Small deterministic generator (xorshift32); the same seed gives the same art
// on every machine.
class Rng {
public:
    explicit Rng(std::uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
    std::uint32_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    // Uniform in [0, 1).
    double unit() { return (next() >> 8) * (1.0 / 16777216.0); }
    // Uniform in [lo, hi].
    int range(int lo, int hi) { return lo + static_cast<int>(next() % static_cast<std::uint32_t>(hi - lo + 1)); }

private:
    std::uint32_t state_;
};

// Integer hash for lattice noise.
std::uint32_t hash2(int x, int y, std::uint32_t seed);

// Smooth value noise in [0, 1]. With period > 0 the lattice wraps every
// `period` cells, so the noise tiles.
double valueNoise(double x, double y, std::uint32_t seed, int period = 0);

}  // namespace aerox::assets
