// Shots and explosions.

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

#include "aerox/assets/art.hpp"
#include "aerox/assets/palette.hpp"

namespace aerox::assets {
namespace {

// A 4x8 bullet (cream body, white core) inside a one-pixel orange glow.
// clang-format off
const Grid kBullet = {
    "..aa..",
    ".aAAa.",
    "aAWWAa",
    "aAWWAa",
    "aWwwWa",
    "aWwwWa",
    "aAWWAa",
    "aAWWAa",
    ".aAAa.",
    "..aa..",
};
// clang-format on

// One frame of an explosion, in units of the picture's half-size so the big
// and small explosions share the look.
struct Stage {
    double fire;     // fireball radius
    double heat;     // 0 = burnt out, >1 = white hot in the middle
    double smoke;    // smoke cloud radius (0 = none yet)
    double density;  // share of the smoke cloud that is drawn
    double debris;   // how far the flying sparks have got
    bool rays;       // first-frame flash spikes
};

// clang-format off
constexpr std::array<Stage, kBigExplosionFrames> kBigStages{{
    {0.24, 1.6, 0.00, 0.00, 0.00, true},
    {0.48, 1.4, 0.00, 0.00, 0.30, false},
    {0.68, 1.1, 0.74, 0.35, 0.50, false},
    {0.80, 0.8, 0.86, 0.65, 0.65, false},
    {0.72, 0.5, 0.92, 0.75, 0.80, false},
    {0.46, 0.3, 0.96, 0.45, 0.90, false},
    {0.00, 0.0, 0.98, 0.18, 1.00, false},
}};
constexpr std::array<Stage, kSmallExplosionFrames> kSmallStages{{
    {0.28, 1.6, 0.00, 0.00, 0.00, true},
    {0.55, 1.3, 0.00, 0.00, 0.35, false},
    {0.72, 1.0, 0.78, 0.35, 0.60, false},
    {0.76, 0.6, 0.88, 0.60, 0.75, false},
    {0.50, 0.3, 0.94, 0.45, 0.90, false},
    {0.00, 0.0, 0.98, 0.16, 1.00, false},
}};
// clang-format on

// 4x4 ordered dither, so thinning smoke looks deliberate rather than noisy.
double bayer(int x, int y) {
    static constexpr int kM[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return (kM[y & 3][x & 3] + 0.5) / 16.0;
}

char fireCode(double h) {
    if (h > 0.92) return 'w';
    if (h > 0.76) return 'W';
    if (h > 0.58) return 'A';
    if (h > 0.40) return 'a';
    if (h > 0.24) return 'R';
    return 'r';
}

Image explosion(int size, const Stage& st, std::uint32_t seed, int sparks) {
    Image img(size, size);
    const double half = size / 2.0;
    const double cx = half - 0.5, cy = half - 0.5;
    // Noise scale follows the picture size so both explosions have the
    // same number of lumps.
    const double grain = size / 8.0;

    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const double dx = (x - cx) / half, dy = (y - cy) / half;
            const double d = std::sqrt(dx * dx + dy * dy);
            const double lump = valueNoise(x / grain, y / grain, seed) - 0.5;
            const double fine = valueNoise(x / (grain / 2), y / (grain / 2), seed + 1) - 0.5;

            if (st.smoke > 0) {
                const double ds = d / st.smoke + lump * 0.45 + fine * 0.2;
                if (ds < 1.0) {
                    const double puff = valueNoise(x / (grain / 1.5), y / (grain / 1.5), seed + 2);
                    if (puff * 0.6 + 0.4 * (1 - ds) > 1.0 - st.density + (bayer(x, y) - 0.5) * 0.3) {
                        // Lit from the top-left.
                        const double light = puff - (dx + dy) * 0.35;
                        img.set(x, y, pc(light > 0.85 ? 'G' : light > 0.6 ? 'g' : light > 0.35 ? 's' : 'K'));
                    }
                }
            }
            if (st.fire > 0) {
                const double df = d / st.fire + lump * 0.5 + fine * 0.25;
                if (df < 1.0) {
                    const double h = (1.0 - df) * st.heat + fine * 0.35 + lump * 0.25;
                    // Cooling fire breaks up into glowing patches and soot.
                    if (h > 0.14) img.set(x, y, pc(fireCode(h)));
                    else if (h > 0.02 && st.smoke > 0) img.set(x, y, pc(lump > 0 ? 'K' : 'r'));
                }
            }
        }

    if (st.rays) {
        // Star-shaped flash: four long spikes and four short ones.
        const int c = size / 2 - 1;
        const int longRay = size * 7 / 16, shortRay = size / 4;
        for (int i = 0; i <= longRay; ++i) {
            const Rgb col = pc(i < longRay / 2 ? 'w' : i < longRay * 3 / 4 ? 'W' : 'A');
            img.plot(c - i, c, col), img.plot(c + 1 + i, c, col);
            img.plot(c, c - i, col), img.plot(c, c + 1 + i, col);
            img.plot(c - i, c + 1, col), img.plot(c + 1 + i, c + 1, col);
            img.plot(c + 1, c - i, col), img.plot(c + 1, c + 1 + i, col);
        }
        for (int i = 0; i <= shortRay; ++i) {
            const Rgb col = pc(i < shortRay / 2 ? 'W' : 'A');
            img.plot(c - i, c - i, col), img.plot(c + 1 + i, c + 1 + i, col);
            img.plot(c + 1 + i, c - i, col), img.plot(c - i, c + 1 + i, col);
        }
    }

    if (st.debris > 0) {
        // Sparks fly out along fixed directions; hot and bright early, dark
        // cinders by the end. Each leaves a one-pixel trail towards the centre.
        Rng rng(seed ^ 0xA5A5u);
        for (int i = 0; i < sparks; ++i) {
            const double a = (i + rng.unit() * 0.8) * 2 * 3.14159265358979 / sparks;
            const double speed = 0.7 + 0.35 * rng.unit();
            const double r = st.debris * speed * (half - 1.5);
            const int px = static_cast<int>(std::lround(cx + std::cos(a) * r));
            const int py = static_cast<int>(std::lround(cy + std::sin(a) * r));
            const int tx = static_cast<int>(std::lround(cx + std::cos(a) * (r - 1.5)));
            const int ty = static_cast<int>(std::lround(cy + std::sin(a) * (r - 1.5)));
            const char head = st.debris < 0.55 ? 'W' : st.debris < 0.85 ? 'A' : 'a';
            const char tail = st.debris < 0.55 ? 'A' : st.debris < 0.85 ? 'a' : 'r';
            img.plot(tx, ty, pc(tail));
            img.plot(px, py, pc(head));
        }
    }
    return img;
}

}  // namespace

Image makeShot() {
    Image img(32, 32);
    stampGrid(img, kBullet, 13, 11);
    return img;
}

Image makeBigExplosion(int frame) {
    if (frame < 0 || frame >= kBigExplosionFrames) throw std::out_of_range("big explosion frame");
    return explosion(64, kBigStages[static_cast<std::size_t>(frame)], 0x0B1C5EEDu, 16);
}

Image makeSmallExplosion(int frame) {
    if (frame < 0 || frame >= kSmallExplosionFrames) throw std::out_of_range("small explosion frame");
    return explosion(32, kSmallStages[static_cast<std::size_t>(frame)], 0x5EED1234u, 9);
}

}  // namespace aerox::assets
