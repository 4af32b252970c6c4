#include "aerox/assets/image.hpp"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "aerox/assets/palette.hpp"

namespace aerox::assets {

Image::Image(int width, int height, Rgb fill) : width_(width), height_(height) {
    if (width <= 0 || height <= 0) throw std::invalid_argument("image size must be positive");
    pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
}

std::size_t Image::index(int x, int y) const {
    if (!contains(x, y)) throw std::out_of_range("pixel outside image");
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
}

void validateGrid(const Grid& rows) {
    if (rows.empty() || rows.front().empty()) throw std::invalid_argument("empty grid");
    const auto w = rows.front().size();
    for (std::size_t y = 0; y < rows.size(); ++y) {
        if (rows[y].size() != w)
            throw std::invalid_argument("grid row " + std::to_string(y) + " has length " +
                                        std::to_string(rows[y].size()) + ", expected " + std::to_string(w));
        for (char c : rows[y])
            if (!isPaletteCode(c))
                throw std::invalid_argument("grid row " + std::to_string(y) + ": unknown code '" + c + "'");
    }
}

Image imageFromGrid(const Grid& rows) {
    validateGrid(rows);
    Image img(static_cast<int>(rows.front().size()), static_cast<int>(rows.size()));
    stampGrid(img, rows, 0, 0);
    return img;
}

void stampGrid(Image& dst, const Grid& rows, int x, int y) {
    validateGrid(rows);
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            if (rows[r][c] != '.')
                dst.plot(x + static_cast<int>(c), y + static_cast<int>(r), colourOf(rows[r][c]));
}

std::vector<std::string> mirrorHalf(const Grid& half, bool sharedCentre) {
    std::vector<std::string> out;
    out.reserve(half.size());
    for (auto row : half) {
        std::string full(row);
        std::string right(row);
        if (sharedCentre && !right.empty()) right.pop_back();
        std::reverse(right.begin(), right.end());
        out.push_back(full + right);
    }
    return out;
}

Grid gridView(const std::vector<std::string>& rows) {
    return Grid(rows.begin(), rows.end());
}

void stampImage(Image& dst, const Image& src, int x, int y) {
    for (int sy = 0; sy < src.height(); ++sy)
        for (int sx = 0; sx < src.width(); ++sx)
            if (!src.keyed(sx, sy)) dst.plot(x + sx, y + sy, src.at(sx, sy));
}

Image flipVertical(const Image& src) {
    Image out(src.width(), src.height());
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x) out.set(x, src.height() - 1 - y, src.at(x, y));
    return out;
}

void outline(Image& img, Rgb colour) {
    const Image before = img;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            if (!before.keyed(x, y)) continue;
            const bool touches = (before.contains(x - 1, y) && !before.keyed(x - 1, y)) ||
                                 (before.contains(x + 1, y) && !before.keyed(x + 1, y)) ||
                                 (before.contains(x, y - 1) && !before.keyed(x, y - 1)) ||
                                 (before.contains(x, y + 1) && !before.keyed(x, y + 1));
            if (touches) img.set(x, y, colour);
        }
}

std::uint32_t hash2(int x, int y, std::uint32_t seed) {
    std::uint32_t h = seed * 0x9E3779B1u;
    h ^= static_cast<std::uint32_t>(x) * 0x85EBCA77u;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<std::uint32_t>(y) * 0xC2B2AE3Du;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

double valueNoise(double x, double y, std::uint32_t seed, int period) {
    const double fx = std::floor(x), fy = std::floor(y);
    int x0 = static_cast<int>(fx), y0 = static_cast<int>(fy);
    double tx = x - fx, ty = y - fy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    auto wrap = [period](int v) {
        if (period <= 0) return v;
        v %= period;
        return v < 0 ? v + period : v;
    };
    auto corner = [&](int cx, int cy) { return (hash2(wrap(cx), wrap(cy), seed) >> 8) * (1.0 / 16777215.0); };
    const double a = corner(x0, y0), b = corner(x0 + 1, y0);
    const double c = corner(x0, y0 + 1), d = corner(x0 + 1, y0 + 1);
    const double top = a + (b - a) * tx, bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

}  // namespace aerox::assets
