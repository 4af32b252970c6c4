// Sea tiles and islands.

#include <cmath>
#include <stdexcept>

#include "aerox/assets/art.hpp"
#include "aerox/assets/palette.hpp"

namespace aerox::assets {
namespace {

constexpr double kTau = 6.28318530717959;
constexpr int kTile = 32;

// Palm crown from above: six fronds around the coconuts (o).
const Grid kPalm = {
    "....kkk....",
    ".kk.kEk.kk.",
    "kEEkkEkkEEk",
    ".kEEeEeEEk.",
    "..kkeoekk..",
    ".kEeeoeeEk.",
    "kEekkekkeEk",
    ".kk.kek.kk.",
    "....kek....",
    ".....k.....",
};

// Hut with a red tiled roof (lit ridge), shadow to the bottom-right.
const Grid kHut = {
    "kkkkkkkkkk",
    "kRRRRRRRRk",
    "kRRRRRRRRk",
    "kaaaaaaaak",
    "krrrrrrrrk",
    "krrrrrrrrk",
    "kkkkkkkkkk",
};

// Bush for rocky ground.
const Grid kBush = {
    ".kkk.",
    "kEEek",
    "kEeek",
    ".kkk.",
};
// clang-format on

struct IslandStyle {
    std::uint32_t seed;
    double radius;   // in pixels
    double stretchX; // >1 widens the island
    double stretchY;
    double rockiness;  // 0..1: share of high ground that is bare rock
};

// Height field: > 0 is land, rising towards the middle.
double islandHeight(const IslandStyle& s, double x, double y) {
    const double dx = (x - 31.5) / (s.radius * s.stretchX);
    const double dy = (y - 31.5) / (s.radius * s.stretchY);
    const double d = std::sqrt(dx * dx + dy * dy);
    return 1.0 - d + (valueNoise(x / 11.0, y / 11.0, s.seed) - 0.5) * 0.7 +
           (valueNoise(x / 5.0, y / 5.0, s.seed + 7) - 0.5) * 0.22;
}

// Stamps a grid after casting its shadow two pixels down-right onto land
// (anything opaque that is not water).
void stampWithShadow(Image& img, const Grid& rows, int x, int y) {
    const Rgb shadow = pc('d');
    const Rgb water[] = {pc('t'), pc('c')};
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c) {
            if (rows[r][c] == '.') continue;
            const int sx = x + static_cast<int>(c) + 2, sy = y + static_cast<int>(r) + 2;
            if (!img.contains(sx, sy) || img.keyed(sx, sy)) continue;
            const Rgb under = img.at(sx, sy);
            if (under != water[0] && under != water[1]) img.set(sx, sy, shadow);
        }
    stampGrid(img, rows, x, y);
}

Image islandBase(const IslandStyle& s) {
    Image img(64, 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const double h = islandHeight(s, x, y);
            // Keep a keyed margin so the island never touches the frame.
            const bool nearEdge = x < 2 || y < 2 || x > 61 || y > 61;
            if (nearEdge || h < -0.13) continue;
            if (h < -0.05) {
                // Shallows: dithered at their outer rim.
                if (h > -0.09 || ((x + y) & 1) == 0) img.set(x, y, pc('t'));
                continue;
            }
            if (h < 0.0) {
                img.set(x, y, pc('c'));  // surf line
                continue;
            }
            // Slope towards the top-left light.
            const double slope = islandHeight(s, x - 1, y - 1) - islandHeight(s, x + 1, y + 1);
            const double speck = valueNoise(x / 2.0, y / 2.0, s.seed + 3);
            char code;
            if (h < 0.13) {
                code = slope < -0.06 ? 'y' : 'Y';
            } else if (h < 0.19) {
                code = speck > 0.5 ? 'y' : 'V';  // grass thinning into the beach
            } else {
                const double rock = valueNoise(x / 7.0, y / 7.0, s.seed + 11);
                if (rock > 1.0 - s.rockiness && h > 0.3) {
                    code = slope > 0.05 ? 'G' : slope < -0.05 ? 's' : 'g';
                } else {
                    code = slope > 0.06 ? 'E' : slope < -0.05 ? 'd' : (speck > 0.7 ? 'E' : 'e');
                }
            }
            img.set(x, y, pc(code));
        }
    return img;
}

}  // namespace

Image makeWater(int frame) {
    if (frame < 0 || frame > 1) throw std::out_of_range("water frame");
    Image img(kTile, kTile);
    // Ripples are wavy bands; every term has a whole number of periods per
    // tile and the noise lattice wraps, so the tile repeats seamlessly. The
    // noise breaks the bands into short wave crests. Only the brightest
    // glints move between the two frames (about one pixel), the rest stays.
    auto ripple = [](int x, int y, double shift) {
        const double bend = 0.7 * std::sin(kTau * 2 * x / kTile) + 0.5 * std::sin(kTau * (x + y) / kTile);
        return std::sin(kTau * 4 * y / kTile + bend + shift);
    };
    const double shift = frame * kTau / 8.0;
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) {
            const double mask = valueNoise(x / 4.0, y / 4.0, 41, 8);
            const double r = ripple(x, y, 0.0);
            char code = 'b';
            if (r < -0.9 && mask < 0.35) code = 'n';
            if (r > 0.75 && mask > 0.5) code = 'B';
            const double glint = ripple(x, y, shift);
            if (glint > 0.9 && r > 0.5 && mask > 0.66) code = mask > 0.78 ? 'C' : 'c';
            img.set(x, y, pc(code));
        }
    return img;
}

Image makeIsland(int which) {
    switch (which) {
        case 0: {  // round palm island
            Image img = islandBase({0x1A11u, 21.0, 1.0, 0.95, 0.15});
            stampWithShadow(img, kPalm, 20, 18);
            stampWithShadow(img, kPalm, 33, 24);
            stampWithShadow(img, kPalm, 23, 33);
            return img;
        }
        case 1: {  // long island with a hut
            Image img = islandBase({0x2B22u, 19.0, 1.35, 0.8, 0.1});
            stampWithShadow(img, kHut, 26, 24);
            stampWithShadow(img, kPalm, 14, 27);
            stampWithShadow(img, kPalm, 41, 30);
            return img;
        }
        case 2: {  // rocky island
            Image img = islandBase({0x3C33u, 22.0, 0.95, 1.1, 0.55});
            stampWithShadow(img, kBush, 22, 38);
            stampWithShadow(img, kBush, 38, 20);
            stampWithShadow(img, kBush, 30, 42);
            return img;
        }
        default:
            throw std::out_of_range("island index");
    }
}

}  // namespace aerox::assets
