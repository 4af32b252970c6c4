// Sea tiles and islands.

#include <cmath>
#include <stdexcept>

#include "aerox/assets/art.hpp"
#include "aerox/assets/palette.hpp"

namespace aerox::assets {
namespace {

constexpr double kTau = 6.28318530717959;
constexpr int kTile = 32;

// Palm crown from above, with its shadow falling to the bottom-right.
// clang-format off
const Grid kPalm = {
    ".kk...kk..",
    "kEEk.kEEk.",
    ".keEkEek..",
    "..keOekd..",
    ".kEeOeEkd.",
    "kEek.keEkd",
    ".kkd..kkd.",
    "..dd...dd.",
};

// Hut with a red tiled roof (lit ridge), shadow to the bottom-right.
const Grid kHut = {
    "kkkkkkkkkk.",
    "kRRRRRRRRkd",
    "kRRRRRRRRkd",
    "kaaaaaaaakd",
    "krrrrrrrrkd",
    "krrrrrrrrkd",
    "kkkkkkkkkkd",
    ".dddddddddd",
};

// Bush for rocky ground.
const Grid kBush = {
    ".kkk.",
    "kEEek",
    "kEeek",
    ".kkkd",
    "..dd.",
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
    // All terms repeat every 32 pixels in both directions: the noise lattices
    // wrap, and the wave terms use whole numbers of periods per tile.
    const double shift = frame * kTau / 16.0;  // crests move about one pixel
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) {
            const double base = 0.6 * valueNoise(x / 8.0, y / 8.0, 41, 4) + 0.4 * valueNoise(x / 4.0, y / 4.0, 42, 8);
            const double bend = 0.9 * std::sin(kTau * x / kTile) + 0.5 * std::sin(kTau * 2 * (x + y) / kTile);
            const double swell = std::sin(kTau * 2 * y / kTile + bend);
            const double crest = std::sin(kTau * 2 * y / kTile + bend + shift);
            const double tone = base + 0.18 * swell;
            char code = tone < 0.28 ? 'n' : tone < 0.78 ? 'b' : 'B';
            if (crest > 0.9 && base > 0.45) code = (crest > 0.985 && base > 0.6) ? 'C' : 'c';
            img.set(x, y, pc(code));
        }
    return img;
}

Image makeIsland(int which) {
    switch (which) {
        case 0: {  // round palm island
            Image img = islandBase({0x1A11u, 21.0, 1.0, 0.95, 0.15});
            stampGrid(img, kPalm, 20, 18);
            stampGrid(img, kPalm, 33, 24);
            stampGrid(img, kPalm, 23, 33);
            return img;
        }
        case 1: {  // long island with a hut
            Image img = islandBase({0x2B22u, 19.0, 1.35, 0.8, 0.1});
            stampGrid(img, kHut, 26, 24);
            stampGrid(img, kPalm, 14, 27);
            stampGrid(img, kPalm, 41, 30);
            return img;
        }
        case 2: {  // rocky island
            Image img = islandBase({0x3C33u, 22.0, 0.95, 1.1, 0.55});
            stampGrid(img, kBush, 22, 38);
            stampGrid(img, kBush, 38, 20);
            stampGrid(img, kBush, 30, 42);
            return img;
        }
        default:
            throw std::out_of_range("island index");
    }
}

}  // namespace aerox::assets
