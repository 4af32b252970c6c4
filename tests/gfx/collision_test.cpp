// Pixel-exact collision of placed sprites.
#include <gtest/gtest.h>

#include <cmath>

#include "aerox/aerox.h"
#include "gfx/engine_context.h"
#include "engine/engine_globals.h"
#include "testkit/gl_fixture.h"

using testkit::Picture;

namespace {

enum Slot { kOpaque16 = 1, kLeftKeyed, kTopHalf, kSmall, kAlpha200, kThin };

class Collision : public testkit::GlFixture {
protected:
    void SetUp() override {
        GlFixture::SetUp();
        LoadPicture(kOpaque16, Picture(16, 16, 0xFFFFFFFF));
        Picture leftKeyed(16, 16, 0xFFFFFFFF);
        Picture topHalf(16, 16, 0xFFFFFFFF);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 8; ++x) {
                leftKeyed.Set(x, y, 0xFF0080FF);
                topHalf.Set(y, x + 8, 0xFF0080FF);
            }
        LoadPicture(kLeftKeyed, leftKeyed);
        LoadPicture(kTopHalf, topHalf);
        LoadPicture(kSmall, Picture(4, 4, 0xFFFFFFFF));
        LoadPicture(kAlpha200, Picture(16, 16, 0xFFFFFFC8), true);
        LoadPicture(kThin, Picture(1, 16, 0xFFFFFFFF));
    }
};

}  // namespace

TEST_F(Collision, TouchingRectanglesDoNotCollide) {
    EXPECT_EQ(SpriteCollision(kOpaque16, 0, 0, kOpaque16, 16, 0), 0);
    EXPECT_EQ(SpriteCollision(kOpaque16, 0, 0, kOpaque16, 15, 0), 1);
    EXPECT_EQ(SpriteCollision(kOpaque16, 0, 0, kOpaque16, 0, 16), 0);
    EXPECT_EQ(SpriteCollision(kOpaque16, 0, 0, kOpaque16, 0, 15), 1);
    EXPECT_EQ(SpriteCollision(kOpaque16, 0, 0, kOpaque16, 15, 15), 1);
    EXPECT_EQ(SpriteCollision(kOpaque16, 100, 100, kSmall, 0, 0), 0);
    EXPECT_EQ(SpriteCollision(kThin, 15, 0, kOpaque16, 0, 0), 1);
}

TEST_F(Collision, TransparentPixelsNeverCollide) {
    EXPECT_EQ(SpriteCollision(kLeftKeyed, 0, 0, kSmall, -2, 5), 0);
    EXPECT_EQ(SpriteCollision(kLeftKeyed, 0, 0, kSmall, 4, 5), 0);
    EXPECT_EQ(SpriteCollision(kLeftKeyed, 0, 0, kSmall, 5, 5), 1);
    EXPECT_EQ(SpriteCollision(kSmall, 5, 5, kLeftKeyed, 0, 0), 1);
    EXPECT_EQ(SpriteCollision(kTopHalf, 0, 0, kSmall, 6, 10), 0) << "over the transparent bottom half";
    EXPECT_EQ(SpriteCollision(kTopHalf, 0, 0, kSmall, 6, 2), 1) << "over the opaque top half";
    EXPECT_EQ(SpriteCollision(kTopHalf, 0, 0, kSmall, 6, 5), 1) << "straddling: found on an odd row";
}

TEST_F(Collision, PartialAlphaCountsOnlyForTheFirstSprite) {
    EXPECT_EQ(SpriteCollision(kOpaque16, 0, 0, kAlpha200, 0, 0), 0);
    EXPECT_EQ(SpriteCollision(kAlpha200, 0, 0, kOpaque16, 0, 0), 1);
    EXPECT_EQ(SpriteCollision(kAlpha200, 0, 0, kAlpha200, 0, 0), 0);
}

TEST_F(Collision, PositionsAreTruncated) {
    EXPECT_EQ(SpriteCollision(kOpaque16, 0, 0, kOpaque16, 15.9, 0), 1);
    EXPECT_EQ(SpriteCollision(kOpaque16, 0.9, 0, kOpaque16, 16.9, 0), 0);
    EXPECT_EQ(SpriteCollision(kOpaque16, 10.9, 0, kOpaque16, 25, 0), 1) << "10.9 is 10";
    EXPECT_EQ(SpriteCollision(kOpaque16, 10.9, 0, kOpaque16, 26, 0), 0) << "10.9 is not 11";
    EXPECT_EQ(SpriteCollision(kOpaque16, -15.5, 0, kOpaque16, 0, 0), 1) << "-15.5 is -15, not -16";
    EXPECT_EQ(SpriteCollision(kOpaque16, -0.5, -0.5, kOpaque16, 16, 16), 0);
}

TEST_F(Collision, EmptyOrUnknownSlotsNeverCollide) {
    EXPECT_EQ(SpriteCollision(40, 0, 0, kOpaque16, 0, 0), 0);
    EXPECT_EQ(SpriteCollision(kOpaque16, 0, 0, 40, 0, 0), 0);
    EXPECT_EQ(SpriteCollision(-1, 0, 0, kOpaque16, 0, 0), 0);
    EXPECT_EQ(SpriteCollision(kOpaque16, 0, 0, 1e12, 0, 0), 0);
    EXPECT_EQ(SpriteCollision(kOpaque16, std::nan(""), 0, kOpaque16, 1e300, -1e300), 0);
}

TEST_F(Collision, MasksMissingAfterLoadAreReadBackFromTheTexture) {
    LoadFont("", 0);  // built in memory: its mask comes from the GL
    SpriteSlot& font = g_engine->sprites[kFontSlotBase];
    font.CollisionMask.clear();
    // "A" is cell 65: column 1, row 4, so its cell starts at (8, 32); the
    // glyph's top row has set pixels at (10..12, 33).
    EXPECT_EQ(SpriteCollision(kFontSlotBase, 0, 0, kThin, 10, 33 - 15), 1);
    EXPECT_EQ(font.CollisionMask.size(), 128u * 64u);
    EXPECT_EQ(SpriteCollision(kFontSlotBase, 0, 0, kThin, 8, 32 - 15), 0) << "the cell corner is transparent";
    EXPECT_EQ(SpriteCollision(kThin, 10, 33, kFontSlotBase, 0, 0), 1);
}
