// Aircraft seen from above. The hulls are drawn as left halves (the last
// column is the centre line) and mirrored; lighting is from straight above,
// so the mirrored shading stays consistent.

#include <cmath>
#include <stdexcept>

#include "aerox/assets/art.hpp"
#include "aerox/assets/palette.hpp"

namespace aerox::assets {
namespace {

// Player jet, nose up. k outline, w/G/g/K silver hull from ridge to shadow,
// n/B/c/C canopy, R red wingtips and roundels, s nozzle.
// clang-format off
const Grid kPlayerHalf = {
    "...................k",
    "..................kw",
    "..................kw",
    ".................kgw",
    ".................kGw",
    ".................kGw",
    "................kgGw",
    "................kgGw",
    "................kgnn",
    "................kncC",
    "................knBc",
    "................knBc",
    "................knBB",
    "................kgnB",
    "................kgnn",
    "................kgGw",
    "...............ksgGw",
    "..............ksKgGw",
    ".............kwkKgGw",
    "............kwGgKgGw",
    "...........kwGGgKgGw",
    "..........kwGGGgKgGw",
    ".........kwGGGGgKgGw",
    "........kwGGGGGgKgGw",
    ".......kwGGGGGGgKgGw",
    "......kwGGGRRGGgKgGw",
    ".....kwGGGRwwRGgKgGw",
    "....kwGGGGRwwRGgKgGw",
    "...kwGGGGGGRRGGgKgGw",
    "..kRGGGGGGGGGGGgKgGw",
    ".kRgggggggggggggKgGw",
    ".kkKKKKKKKKKKKKKKgGw",
    "..kkkkkkkkkkkkkkKgGw",
    "...............kKgGw",
    "...............kKgGw",
    "..............kgKgGw",
    ".............kwgKgGw",
    "............kwGgKgGw",
    "...........kwGGgKgGw",
    "..........kRGGGgKgGw",
    "..........kkKKKKKKgG",
    "...........kkkkkkKKg",
    "................ksKs",
    "................kkkk",
};

// Exhaust flame under the nozzle, one per animation frame.
const Grid kFlames[kPlayerFrames] = {
    {".aAa.",
     ".AWA.",
     ".aWa.",
     "..A..",
     "..a..",
     "....."},
    {".aAa.",
     "aAWAa",
     ".AWA.",
     ".aWa.",
     "..A..",
     "..a.."},
    {".aAa.",
     ".AWA.",
     ".AWA.",
     "..A..",
     "..a..",
     "..r.."},
};

// Enemy fighter, drawn nose up and flipped. v/V olive hull, W cream
// highlight, R roundels, n/c/C canopy. The propeller is drawn per frame.
const Grid kEnemyHalf = {
    "...............",
    "...............",
    "..............k",
    ".............kR",
    "............kvV",
    "...........kvVW",
    "...........kvVV",
    "...........kvVV",
    "...kkkkkkkkkvVV",
    "..kVVVVVVVVVvVW",
    ".kVVVVRRVVVVvVW",
    ".kVVVRWWRVVVvnc",
    ".kvvvRWWRvvvvnC",
    ".kvvvvRRvvvvvnc",
    "..kKKKKKKKKKvVn",
    "...kkkkkkkkkvVV",
    "...........kvVV",
    "...........kvVV",
    "............kvV",
    "............kvV",
    "............kvV",
    "......kkkkkkkvV",
    ".....kVVVVVVVvV",
    ".....kvvvvvvvvV",
    "......kkkkkkkkv",
    ".............kv",
    "..............k",
};

// Heavy twin-engine enemy, nose up and flipped: broad wings, a wide
// fuselage with a glazed nose (n/c/C), violet hull (m/M/l), red/gold
// markings, and grey propeller discs in front of the engines.
const Grid kHeavyHalf = {
    "..............kk",
    ".............kcC",
    "............kncC",
    "............kMnc",
    "............kMMl",
    "...GgGgGgG..kMMl",
    ".....kkk....kmMl",
    "....kmRlk...kmMl",
    "....kmMlk...kmMl",
    "kkkkkmMlkkkkkmMl",
    "klllllllllllmmMl",
    "kMMMMMMMMMMMmmMl",
    "kMMMRRRMMMMMmmMl",
    "kMMRAAARMMMMmmMl",
    "kMMMRRRMMMMMmmMl",
    "kmmmmmmmmmmmmmMl",
    "kKKKKmMlKKKKkmMl",
    ".kkkkmMlkkkk.kmM",
    "....kmmlk....kmM",
    ".....kkk.....kmM",
    ".............kmM",
    ".............kmM",
    "..kkkkkkkkkkkkmM",
    ".kGlllllllllllmM",
    ".kMMMMMMMMMMMMmM",
    ".kmmmmmmmmmmmmmM",
    "..kkkkkkkkkkkkkk",
};
// clang-format on

Image hullImage(const Grid& half, int size, int top) {
    const auto rows = mirrorHalf(half, true);
    const Image hull = imageFromGrid(gridView(rows));
    Image img(size, size);
    stampImage(img, hull, (size - hull.width()) / 2, top);
    return img;
}

constexpr int kPlayerSize = 64;
constexpr int kPlayerTop = 6;
constexpr int kEnemySize = 32;
constexpr int kEnemyTop = 2;

}  // namespace

Image makePlayerBody() { return imageFromGrid(gridView(mirrorHalf(kPlayerHalf, true))); }

Image makePlayer(int frame) {
    if (frame < 0 || frame >= kPlayerFrames) throw std::out_of_range("player frame");
    Image img = hullImage(kPlayerHalf, kPlayerSize, kPlayerTop);
    const int centre = kPlayerSize / 2 - 1;  // middle column of the 39-wide hull
    const auto& flame = kFlames[frame];
    stampGrid(img, flame, centre - 2, kPlayerTop + static_cast<int>(kPlayerHalf.size()));
    return img;
}

Image makeEnemy(int frame) {
    if (frame < 0 || frame >= kEnemyFrames) throw std::out_of_range("enemy frame");
    Image img = hullImage(kEnemyHalf, kEnemySize, kEnemyTop);
    // The propeller disc is seen edge-on from above: a bar in front of the
    // spinner whose visible length follows the blade angle, plus a faint
    // blur of the whole disc on alternate frames.
    const int hubX = (kEnemySize - 29) / 2 + 14;
    const int barY = kEnemyTop + 1;
    constexpr int kBlade = 7;
    const double angle = frame * 3.14159265358979 / kEnemyFrames;
    const int reach = static_cast<int>(std::lround(kBlade * std::fabs(std::cos(angle))));
    if (frame % 2 == 1)
        for (int dx = -kBlade; dx <= kBlade; dx += 2) img.plot(hubX + dx, barY, pc('g'));
    for (int dx = -reach; dx <= reach; ++dx) img.plot(hubX + dx, barY, std::abs(dx) <= 1 ? pc('K') : pc('s'));
    return flipVertical(img);
}

Image makeHeavyEnemy() { return flipVertical(hullImage(kHeavyHalf, kEnemySize, 2)); }

}  // namespace aerox::assets
