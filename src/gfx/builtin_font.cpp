#include <cstdint>

#include "gfx/font.h"

namespace {

// One 5 x 6 glyph per code 32..127: bit (row * 5 + column) set = pixel on.
// Kept by hand: eight glyphs a row.
// clang-format off
constexpr uint32_t kGlyphs[96] = {
    0x00000000, 0x08021080, 0x00002940, 0x15F57D40, 0x08E619C4, 0x14222140, 0x0ED114E0, 0x00001080,
    0x08210880, 0x04421040, 0x09575480, 0x08471080, 0x04400000, 0x00070000, 0x08000000, 0x04222100,
    0x00E5294E, 0x004210C4, 0x00E1390E, 0x00E4390E, 0x0084394A, 0x00E4384E, 0x00E5384E, 0x0042210E,
    0x00E5394E, 0x00E4394E, 0x00020080, 0x00220080, 0x00820888, 0x000701C0, 0x00222082, 0x0040310E,
    0x00E0B526, 0x00A5394E, 0x00E5194E, 0x00E5094E, 0x00E52946, 0x00E1384E, 0x0021384E, 0x00E5284E,
    0x00A5394A, 0x00E2108E, 0x00E5210C, 0x00A5194A, 0x00E10842, 0x015AD6BF, 0x00A5294E, 0x00E5294E,
    0x0021394E, 0x00F294A7, 0x00A5194E, 0x00E4384E, 0x0042108E, 0x00E5294A, 0x0045294A, 0x01FAD6B5,
    0x00A5114A, 0x0042394A, 0x00E1110E, 0x00610846, 0x01041041, 0x00621086, 0x00000144, 0x00E00000,
    0x00000082, 0x00E53000, 0x00E53842, 0x00E13800, 0x00E53908, 0x08273800, 0x00423888, 0x08873800,
    0x00A51842, 0x00421004, 0x04421004, 0x00A32842, 0x00421084, 0x015ABC00, 0x00A51800, 0x00E53800,
    0x04E51800, 0x10E53000, 0x00253800, 0x00E409C0, 0x00C23884, 0x00C52800, 0x00452800, 0x00EAD400,
    0x00A22800, 0x1C872800, 0x00E121C0, 0x00821888, 0x00421084, 0x00223082, 0x0002A800, 0x3F18C63F,
};
// clang-format on

constexpr int kCell = 8;
constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 6;

bool GlyphPixel(uint32_t glyph, int gx, int gy) {
    if (gx < 0 || gy < 0 || gx >= kGlyphWidth || gy >= kGlyphHeight) return false;
    return ((glyph >> (gy * kGlyphWidth + gx)) & 1u) != 0;
}

}  // namespace

RgbaImage BuildBuiltinFont() {
    RgbaImage font;
    font.width = 16 * kCell;
    font.height = 8 * kCell;
    font.pixels.assign(static_cast<size_t>(font.width) * font.height * 4, 0);
    for (int code = 32; code < 128; ++code) {
        const uint32_t glyph = kGlyphs[code - 32];
        const int cellX = (code % 16) * kCell, cellY = (code / 16) * kCell;
        for (int y = 0; y < kCell; ++y) {
            for (int x = 0; x < kCell; ++x) {
                // The glyph sits one pixel in from the cell's top-left corner.
                const int gx = x - 1, gy = y - 1;
                uint8_t value = 0;
                if (GlyphPixel(glyph, gx, gy)) {
                    value = 255;
                } else if (GlyphPixel(glyph, gx - 1, gy) || GlyphPixel(glyph, gx + 1, gy) ||
                           GlyphPixel(glyph, gx, gy - 1) || GlyphPixel(glyph, gx, gy + 1)) {
                    value = 8;  // the dark outline
                } else {
                    continue;
                }
                uint8_t* p = font.pixels.data() + (static_cast<size_t>(cellY + y) * font.width + cellX + x) * 4;
                p[0] = p[1] = p[2] = value;
                p[3] = 255;
            }
        }
    }
    return font;
}
