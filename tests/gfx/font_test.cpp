// Text in the built-in font and in font pictures of both layouts.
#include <gtest/gtest.h>

#include <cmath>

#include "aerox/aerox.h"
#include "gfx/engine_context.h"
#include "engine/engine_globals.h"
#include "testkit/gl_fixture.h"

using testkit::Picture;
using testkit::Screen;

namespace {

class Fonts : public testkit::GlFixture {
protected:
    // Every cell filled with its own colour: red = cell number, green =
    // 255 - cell number, blue 77.
    std::string CellFont(int width, int height) {
        const int rows = width >= height ? 8 : 16;
        const int cw = width / 16, ch = height / rows;
        Picture p(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const uint32_t cell = static_cast<uint32_t>((y / ch) * 16 + x / cw);
                p.Set(x, y, cell << 24 | (255 - cell) << 16 | 77u << 8 | 0xFF);
            }
        const std::string path = folder_.File("font" + std::to_string(width) + "x" + std::to_string(height) + ".bmp");
        testkit::WriteFile(path, testkit::BmpBytes(p, 24));
        return path;
    }
    void ExpectFontSize(double width, double height) {
        double w = 0, h = 0;
        GetFontSize(w, h);
        EXPECT_EQ(w, width);
        EXPECT_EQ(h, height);
    }
};

constexpr uint8_t kOutline = 8;

}  // namespace

TEST_F(Fonts, BuiltinFontDrawsGlyphsWithADarkOutline) {
    LoadFont("", 0);
    ExpectFontSize(8, 8);
    EXPECT_EQ(g_engine->sprites[kFontSlotBase].MipTexture, 0u);
    PrintText("AB", 10.5, 20);
    Screen s;
    // "A" fills the cell (11, 20)-(18, 27); its top row .###. starts one
    // pixel in from the cell corner.
    for (int x = 13; x <= 15; ++x) EXPECT_TRUE(s.Is(x, 21, 255, 255, 255)) << x;
    EXPECT_TRUE(s.Is(12, 21, kOutline, kOutline, kOutline)) << s.At(12, 21);
    EXPECT_TRUE(s.Is(13, 20, kOutline, kOutline, kOutline));
    EXPECT_TRUE(s.Is(12, 20, 0, 0, 0)) << "diagonal neighbours stay transparent";
    EXPECT_TRUE(s.Is(11, 21, 0, 0, 0));
    // Second row .#.#.: the hole between is outline.
    EXPECT_TRUE(s.Is(13, 22, 255, 255, 255));
    EXPECT_TRUE(s.Is(14, 22, kOutline, kOutline, kOutline));
    EXPECT_TRUE(s.Is(15, 22, 255, 255, 255));
    // Bottom row of the glyph (row 5) is empty: outline above it only.
    EXPECT_TRUE(s.Is(13, 26, kOutline, kOutline, kOutline));
    EXPECT_TRUE(s.Is(13, 27, 0, 0, 0));
    // "B" starts at x 19.
    EXPECT_TRUE(s.Is(20, 21, kOutline, kOutline, kOutline)) << s.At(20, 21);
    EXPECT_TRUE(s.Is(21, 21, 255, 255, 255));
    for (int y = 19; y <= 28; ++y) EXPECT_TRUE(s.Is(10, y, 0, 0, 0)) << y;
}

TEST_F(Fonts, LoadingTextIsEightyPixelsWide) {
    LoadFont("", 0);
    PrintText("Loading...", 120, 116);
    Screen s;
    int left = 320, right = -1;
    for (int y = 116; y < 124; ++y)
        for (int x = 0; x < 320; ++x)
            if (s.At(x, y).r != 0) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    EXPECT_GE(left, 120);
    EXPECT_LT(right, 200);
    EXPECT_EQ(s.LitPixels(), Screen().LitPixels());
    PrintText("", 0, 0);
    EXPECT_EQ(Screen().LitPixels(), s.LitPixels()) << "an empty text draws nothing";
}

TEST_F(Fonts, ControlBytesAreDrawnAsTheirCells) {
    LoadFont("", 0);
    PrintText("A\nB", 0, 0);
    PrintText("A B", 0, 10);
    Screen s;
    for (int x = 0; x < 24; ++x)
        for (int y = 0; y < 8; ++y) EXPECT_EQ(s.At(x, y), s.At(x, y + 10)) << x << "," << y;
}

TEST_F(Fonts, PrintNumberDrawsTheNumbersText) {
    LoadFont("", 0);
    PrintNumber(-42.5, 0, 0);
    PrintText("-42.5", 0, 10);
    Screen s;
    for (int x = 0; x < 48; ++x)
        for (int y = 0; y < 8; ++y) ASSERT_EQ(s.At(x, y), s.At(x, y + 10)) << x << "," << y;
    EXPECT_GT(s.LitPixels(), 40);
}

TEST_F(Fonts, WideAndTallPicturesHaveTheirOwnLayouts) {
    // 256 x 128: 8 rows, 128 characters of 16 x 16; byte 200 prints cell 72.
    LoadFont(CellFont(256, 128).c_str(), 1);
    EXPECT_EQ(g_engine->currentFont, 1);
    ExpectFontSize(16, 16);
    PrintText("\xC8", 0, 0);
    Screen wide;
    EXPECT_TRUE(wide.Is(0, 0, 72, 183, 77)) << wide.At(0, 0);
    EXPECT_TRUE(wide.Is(15, 15, 72, 183, 77));
    EXPECT_TRUE(wide.Is(16, 0, 0, 0, 0));
    EXPECT_TRUE(wide.Is(0, 16, 0, 0, 0));

    // 128 x 256: 16 rows, 256 characters of 8 x 16; byte 200 prints cell 200.
    LoadFont(CellFont(128, 256).c_str(), 2);
    ExpectFontSize(8, 16);
    PrintText("\xC8\x01", 50, 50);
    Screen tall;
    EXPECT_TRUE(tall.Is(50, 50, 200, 55, 77)) << tall.At(50, 50);
    EXPECT_TRUE(tall.Is(57, 65, 200, 55, 77));
    EXPECT_TRUE(tall.Is(58, 50, 1, 254, 77)) << tall.At(58, 50);
    EXPECT_TRUE(tall.Is(50, 66, 0, 0, 0));
}

TEST_F(Fonts, FontNumbersAreClampedAndMissingFilesGiveTheBuiltinFont) {
    SetFont(20);
    EXPECT_EQ(g_engine->currentFont, 15);
    SetFont(-3);
    EXPECT_EQ(g_engine->currentFont, 0);
    SetFont(std::nan(""));
    EXPECT_EQ(g_engine->currentFont, 0);
    SetFont(4.9);
    EXPECT_EQ(g_engine->currentFont, 4);

    LoadFont(CellFont(256, 128).c_str(), 3);
    LoadFont(folder_.File("missing.bmp").c_str(), 3);
    EXPECT_EQ(g_engine->currentFont, 3);
    const SpriteSlot& font = g_engine->sprites[kFontSlotBase + 3];
    EXPECT_EQ(font.imageWidth, 128);
    EXPECT_EQ(font.imageHeight, 64);
    EXPECT_EQ(font.textureWidth, 128);
    EXPECT_EQ(font.textureHeight, 64);
    ExpectFontSize(8, 8);

    SetFont(9);  // never loaded: nothing to draw, no size
    PrintText("AB", 0, 0);
    EXPECT_EQ(Screen().LitPixels(), 0);
    ExpectFontSize(0, 0);
}

TEST_F(Fonts, BlackInAFontPictureIsTransparent) {
    // 128 x 64, black but for one white and one near-black pixel in cell 65
    // ("A": column 1, row 4, so from (8, 32)).
    Picture p(128, 64, 0x000000FF);
    p.Set(8 + 2, 32 + 3, 0xFFFFFFFF);
    p.Set(8 + 4, 32 + 3, 0x010000FF);
    const std::string path = folder_.File("black.bmp");
    testkit::WriteFile(path, testkit::BmpBytes(p, 24));
    LoadFont(path.c_str(), 1);
    DrawRect(0, 0, 319, 239, 0x404040);
    PrintText("A", 100, 100);
    Screen s;
    EXPECT_TRUE(s.Is(102, 103, 255, 255, 255)) << s.At(102, 103);
    EXPECT_TRUE(s.Is(104, 103, 1, 0, 0)) << "only pure black is keyed: " << s.At(104, 103);
    for (int y = 100; y < 108; ++y)
        for (int x = 100; x < 108; ++x) {
            if (y == 103 && (x == 102 || x == 104)) continue;
            EXPECT_TRUE(s.Is(x, y, 64, 64, 64)) << x << "," << y << ": " << s.At(x, y);
        }
}
