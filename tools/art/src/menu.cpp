// Title picture, menu labels and the menu cursor.

#include <algorithm>
#include <string_view>

#include "aerox/assets/art.hpp"
#include "aerox/assets/palette.hpp"

namespace aerox::assets {

const std::vector<std::string> kMenuLabels = {"START GAME", "OPTIONS", "CREDITS", "HI-SCORES", "QUIT"};

namespace {

// clang-format off
const Grid kArrow = {
    "................",
    "................",
    ".......kk.......",
    ".......kWk......",
    ".......kAWk.....",
    "kkkkkkkkAAWk....",
    "kWWWWWWWAAAWk...",
    "kAAAAAAAAAAAWk..",
    "kaAAAAAAAAAAak..",
    "kaaaaaaaAAAak...",
    "kkkkkkkkaAak....",
    ".......kaak.....",
    ".......kak......",
    ".......kk.......",
    "................",
    "................",
};
// clang-format on

bool inkAt(const Grid& rows, int gx, int gy) {
    return !rows.empty() && gx >= 0 && gy >= 0 && gx < kGlyphWidth && gy < kGlyphHeight && rows[gy][gx] == '#';
}

// Draws `text` with font pixels blown up to scale x scale. `shade` picks a
// palette code from the pixel's row within the scaled glyph, and whether it
// sits on the glyph's top edge (lit) or bottom edge (shadowed).
template <typename Shade>
void drawBigText(Image& img, std::string_view text, int x0, int y0, int scale, int advance, Shade shade) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const Grid rows = glyphRows(static_cast<unsigned char>(text[i]));
        const int gx0 = x0 + static_cast<int>(i) * advance;
        for (int gy = 0; gy < kGlyphHeight; ++gy)
            for (int gx = 0; gx < kGlyphWidth; ++gx) {
                if (!inkAt(rows, gx, gy)) continue;
                const bool topEdge = !inkAt(rows, gx, gy - 1);
                const bool bottomEdge = !inkAt(rows, gx, gy + 1);
                for (int sy = 0; sy < scale; ++sy)
                    for (int sx = 0; sx < scale; ++sx) {
                        const int row = gy * scale + sy;
                        const bool lit = topEdge && sy == 0;
                        const bool dim = bottomEdge && sy == scale - 1;
                        img.plot(gx0 + gx * scale + sx, y0 + row, pc(shade(row, lit, dim)));
                    }
            }
    }
}

// One-pixel outline on all eight sides of opaque pixels.
void outline8(Image& img, Rgb colour) {
    const Image before = img;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            if (!before.keyed(x, y)) continue;
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy)
                for (int dx = -1; dx <= 1 && !near; ++dx)
                    near = before.contains(x + dx, y + dy) && !before.keyed(x + dx, y + dy);
            if (near) img.set(x, y, colour);
        }
}

Image scale2(const Image& src) {
    Image out(src.width() * 2, src.height() * 2);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) out.set(x, y, src.at(x / 2, y / 2));
    return out;
}

}  // namespace

Image makeArrow() { return imageFromGrid(kArrow); }

Image makeMenuText() {
    constexpr int kScale = 2;
    constexpr int kAdvance = kGlyphWidth * kScale + 1;
    Image img(130, 90);
    for (std::size_t i = 0; i < kMenuLabels.size(); ++i) {
        const int y = static_cast<int>(i) * kMenuLineSpacing + 2;
        drawBigText(img, kMenuLabels[i], kMenuTextX, y, kScale, kAdvance, [](int row, bool lit, bool dim) {
            if (lit) return 'w';
            if (dim) return 'B';
            return row < 5 ? 'w' : row < 9 ? 'C' : 'c';
        });
    }
    outline8(img, pc('k'));
    return img;
}

Image makeTitle() {
    // Drawn additively over black at 75%: dark pixels all but vanish, so the
    // letters use bright warm shades, with a violet extrusion for depth and
    // the outline only as separation.
    Image img(200, 140);
    constexpr int kScale = 5;
    constexpr int kAdvance = kGlyphWidth * kScale + 5;
    constexpr std::string_view kName = "AEROX";
    const int textWidth = static_cast<int>(kName.size()) * kAdvance - 5;
    const int x0 = (img.width() - textWidth - 3) / 2;
    constexpr int y0 = 6;

    for (int depth = 3; depth >= 1; --depth)
        drawBigText(img, kName, x0 + depth, y0 + depth, kScale, kAdvance,
                    [depth](int, bool, bool) { return depth == 1 ? 'M' : 'm'; });
    drawBigText(img, kName, x0, y0, kScale, kAdvance, [](int row, bool lit, bool dim) {
        if (lit) return 'w';
        if (dim) return 'r';
        return row < 8 ? 'W' : row < 17 ? 'A' : row < 27 ? 'a' : 'R';
    });

    // Jet climbing out below the name, with contrails from the wingtips.
    const Image jet = scale2(makePlayerBody());
    const int jx = (img.width() - jet.width()) / 2;
    const int jy = img.height() - jet.height() - 2;
    for (int y = jy + 62; y < img.height(); ++y) {
        const int fade = y - (jy + 62);
        const char c = fade < 8 ? 'C' : fade < 16 ? 'c' : 'B';
        if (fade < 16 || (y & 1) == 0) {
            img.plot(jx + 3, y, pc(c));
            img.plot(jx + jet.width() - 4, y, pc(c));
        }
    }
    // Speed streaks either side.
    const int streaks[][3] = {{22, 70, 26}, {34, 96, 18}, {16, 112, 14}, {170, 78, 22}, {160, 104, 16}, {180, 120, 12}};
    for (const auto& s : streaks)
        for (int i = 0; i < s[2]; ++i) img.plot(s[0], s[1] + i, pc(i < s[2] / 3 ? 'c' : 'B'));
    outline8(img, pc('k'));
    stampImage(img, jet, jx, jy);
    return img;
}

}  // namespace aerox::assets
