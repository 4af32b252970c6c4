// Sprites, blending, primitives and backgrounds, read back from the back
// buffer of a real window.
#include <SDL_opengl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "aerox/aerox.h"
#include "gfx/data_resolver.h"
#include "gfx/draw.h"
#include "gfx/gl_entry_points.h"
#include "gfx/engine_context.h"
#include "engine/engine_globals.h"
#include "runtime/errors.h"
#include "testkit/gl_fixture.h"
#include "testkit/testkit.h"

using testkit::Picture;
using testkit::Screen;

namespace {

class Drawing : public testkit::GlFixture {
protected:
    // Columns red, green, blue, white; 3 rows.
    Picture Columns() {
        Picture p(4, 3, 0xFFFFFFFF);
        for (int y = 0; y < 3; ++y) {
            p.Set(0, y, 0xFF0000FF);
            p.Set(1, y, 0x00FF00FF);
            p.Set(2, y, 0x0000FFFF);
        }
        return p;
    }
    void ExpectNear(const testkit::Rgba& c, int r, int g, int b, int tolerance = 1) {
        EXPECT_NEAR(c.r, r, tolerance);
        EXPECT_NEAR(c.g, g, tolerance);
        EXPECT_NEAR(c.b, b, tolerance);
    }
    // A grey screen, then the 2 x 2 sprite of colour (200, 100, 40) at (10, 10).
    testkit::Rgba BlendOverGrey(double alphaMode) {
        AlphaMode(0);
        DrawRect(0, 0, 319, 239, 0x404040);
        AlphaMode(alphaMode);
        DrawSprite(1, 10, 10);
        return Screen().At(10, 10);
    }
};

}  // namespace

TEST_F(Drawing, SpritePositionsAreRoundedUp) {
    LoadPicture(0, Columns());
    DrawSprite(0, 10.2, 5.0);
    DrawSprite(0, -3.7, 20);
    Screen s;
    EXPECT_TRUE(s.Is(11, 5, 255, 0, 0)) << s.At(11, 5);
    EXPECT_TRUE(s.Is(10, 5, 0, 0, 0));
    EXPECT_TRUE(s.Is(12, 7, 0, 255, 0));
    EXPECT_TRUE(s.Is(14, 7, 255, 255, 255));
    EXPECT_TRUE(s.Is(15, 7, 0, 0, 0));
    EXPECT_TRUE(s.Is(11, 8, 0, 0, 0));
    // At -3.7 the left edge is -3: only the white column shows, at x 0.
    EXPECT_TRUE(s.Is(0, 20, 255, 255, 255)) << s.At(0, 20);
    EXPECT_TRUE(s.Is(1, 20, 0, 0, 0));
    EXPECT_EQ(s.LitPixels(), 12 + 3);
}

TEST_F(Drawing, KeyedPixelsStayInvisible) {
    Picture p(3, 1, 0xFFFFFFFF);
    p.Set(1, 0, 0xFF0080FF);  // the key
    p.Set(2, 0, 0xFF007FFF);  // not the key
    LoadPicture(0, p);
    DrawRect(0, 0, 319, 239, 0x404040);
    DrawSprite(0, 50, 50);
    Screen s;
    EXPECT_TRUE(s.Is(50, 50, 255, 255, 255));
    EXPECT_TRUE(s.Is(51, 50, 64, 64, 64)) << s.At(51, 50);
    EXPECT_TRUE(s.Is(52, 50, 255, 0, 127));
}

TEST_F(Drawing, EveryAlphaModeBlendsAsDescribed) {
    LoadPicture(1, Picture(2, 2, 0xC86428FF));
    ExpectNear(BlendOverGrey(0), 200, 100, 40, 0);
    ExpectNear(BlendOverGrey(0.75), 64 + 150, 64 + 75, 64 + 30);
    ExpectNear(BlendOverGrey(2), 255, 64 + 100, 64 + 40);  // as 1, additive
    ExpectNear(BlendOverGrey(-0.5), 50 + 32, 25 + 32, 10 + 32, 2);
    ExpectNear(BlendOverGrey(-2), 200, 100, 40);  // transparency with alpha 1
    ExpectNear(BlendOverGrey(-0.1), 64, 64, 64, 0);  // below the alpha test: nothing
    EXPECT_FLOAT_EQ(g_engine->currentAlpha, 0.1f);
}

TEST_F(Drawing, FaintTexelsFailTheAlphaTestInEveryMode) {
    Picture p(2, 1, 0xFFFFFFFF);
    p.Set(1, 0, 0xFFFFFF28);  // alpha 40: 0.157, times 0.75 is below 0.15
    LoadPicture(2, p, true);
    AlphaMode(0.75);
    DrawSprite(2, 30, 30);
    Screen s;
    EXPECT_TRUE(s.Is(30, 30, 191, 191, 191)) << s.At(30, 30);
    EXPECT_TRUE(s.Is(31, 30, 0, 0, 0)) << s.At(31, 30);
}

TEST_F(Drawing, PrimitivesCoverExactlyTheirPixels) {
    DrawRect(5, 5, 2, 2, 255);
    {
        Screen s;
        for (int y = 2; y <= 5; ++y)
            for (int x = 2; x <= 5; ++x) EXPECT_TRUE(s.Is(x, y, 255, 0, 0)) << x << "," << y;
        EXPECT_EQ(s.LitPixels(), 16);
    }
    EXPECT_EQ(GetPixel(3, 3), 255);
    EXPECT_EQ(GetPixel(6, 3), 0);
    EXPECT_EQ(GetPixel(-1, 3), 0);
    EXPECT_EQ(GetPixel(3, 240), 0);
    glClear(GL_COLOR_BUFFER_BIT);

    DrawPixel(7, 9, 0x00FF00);
    DrawLine(10, 20, 20, 20, 0xFF0000);
    DrawLine(30, 40, 30, 30, 0xFFFFFF);
    Screen s;
    EXPECT_TRUE(s.Is(7, 9, 0, 255, 0));
    for (int x = 10; x <= 20; ++x) EXPECT_TRUE(s.Is(x, 20, 0, 0, 255)) << x;
    for (int y = 30; y <= 40; ++y) EXPECT_TRUE(s.Is(30, y, 255, 255, 255)) << y;
    EXPECT_EQ(s.LitPixels(), 1 + 11 + 11);
    EXPECT_EQ(GetPixel(7, 9), 0x00FF00);
}

TEST_F(Drawing, PrimitivesFollowTheCurrentAlphaAndRestoreTheState) {
    LoadPicture(0, Picture(2, 2, 0xFFFFFFFF));
    AlphaMode(0.5);
    DrawRect(0, 0, 3, 3, 0x0000C8);
    AlphaMode(-1);
    DrawRect(10, 10, 13, 13, 0x8000FF);  // the key colour has alpha 0: invisible while blending
    AlphaMode(0);
    DrawSprite(0, 20, 20);  // texturing and the alpha test are back
    Screen s;
    EXPECT_NEAR(s.At(1, 1).r, 100, 1);
    EXPECT_TRUE(s.Is(11, 11, 0, 0, 0));
    EXPECT_TRUE(s.Is(20, 20, 255, 255, 255));
    EXPECT_TRUE(glIsEnabled(GL_ALPHA_TEST));
}

TEST_F(Drawing, SpritesDrawWithAndWithoutMultitexture) {
    LoadPicture(0, Columns());
    Multitexture();
    EXPECT_NE(g_multitexture.glMultiTexCoord2fARB, nullptr) << "Mesa offers GL_ARB_multitexture";
    DrawSprite(0, 0, 0);
    const MultitextureEntryPoints saved = g_multitexture;
    g_multitexture.glActiveTextureARB = nullptr;
    g_multitexture.glMultiTexCoord2fARB = nullptr;
    DrawSprite(0, 10, 0);
    DrawRect(20, 0, 21, 1, 0xFFFFFF);
    DrawSprite(0, 30, 0);
    g_multitexture = saved;
    Screen s;
    for (int x : {0, 10, 30}) {
        EXPECT_TRUE(s.Is(x, 0, 255, 0, 0)) << x;
        EXPECT_TRUE(s.Is(x + 3, 2, 255, 255, 255)) << x;
    }
}

TEST_F(Drawing, StretchZoomAndRotateScaleTheQuad) {
    LoadPicture(0, Picture(4, 4, 0xFFFFFFFF));
    LoadPicture(1, Picture(4, 2, 0xFFFFFFFF));
    StretchSprite(0, 10, 10, 8, 6);
    EXPECT_EQ(Screen().LitPixels(), 48);
    glClear(GL_COLOR_BUFFER_BIT);

    ZoomSprite(0, 100, 100, -2, 2);  // 8 x 8 about the centre, not mirrored
    Screen zoomed;
    EXPECT_EQ(zoomed.LitPixels(), 64);
    EXPECT_TRUE(zoomed.Is(98, 98, 255, 255, 255));
    EXPECT_TRUE(zoomed.Is(105, 105, 255, 255, 255));
    glClear(GL_COLOR_BUFFER_BIT);

    RotoSprite(1, 20, 20, 90);  // 4 x 2 turned about (22, 21): 2 x 4
    Screen turned;
    EXPECT_EQ(turned.LitPixels(), 8);
    EXPECT_TRUE(turned.Is(21, 19, 255, 255, 255));
    EXPECT_TRUE(turned.Is(22, 22, 255, 255, 255));
    glClear(GL_COLOR_BUFFER_BIT);

    RotoZoomSprite(1, 20, 20, 0, 2);  // 8 x 4 about (22, 21)
    Screen scaled;
    EXPECT_EQ(scaled.LitPixels(), 32);
    EXPECT_TRUE(scaled.Is(18, 19, 255, 255, 255));
    EXPECT_TRUE(scaled.Is(25, 22, 255, 255, 255));
}

namespace {
// The lit pixels of the back buffer as "left,top-right,bottom count".
std::string LitBox() {
    Screen s;
    int left = s.width(), top = s.height(), right = -1, bottom = -1;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            if (s.At(x, y).r != 0) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return std::to_string(left) + "," + std::to_string(top) + "-" + std::to_string(right) + "," +
           std::to_string(bottom) + " " + std::to_string(s.LitPixels());
}
}  // namespace

// Odd sides and fractional positions: RotoSprite rounds the corner up and
// turns about the true centre; RotoZoomSprite keeps the position as given and
// adds integer halves.
TEST_F(Drawing, TurnedSpritesOfOddSizeLandOnTheirPixels) {
    LoadPicture(0, Picture(3, 5, 0xFFFFFFFF));
    const struct {
        bool zoom;
        double angle, scale;
        const char* box;
    } cases[] = {
        {false, 0, 1, "11,21-13,25 15"},  // where DrawSprite puts it
        {false, 90, 1, "10,22-14,24 15"},  // about (12.5, 23.5)
        {false, 45, 1, "10,21-14,25 17"},  // pixel centres inside the turned 3 x 5
        {true, 0, 1, "10,20-12,24 15"},   // about (11.2, 22.2)
        {true, 0, 2, "8,17-13,26 60"},
        {true, 90, 1, "9,21-13,23 15"},
    };
    for (const auto& c : cases) {
        glClear(GL_COLOR_BUFFER_BIT);
        if (c.zoom)
            RotoZoomSprite(0, 10.2, 20.2, c.angle, c.scale);
        else
            RotoSprite(0, 10.2, 20.2, c.angle);
        EXPECT_EQ(LitBox(), c.box) << (c.zoom ? "RotoZoomSprite " : "RotoSprite ") << c.angle << " " << c.scale;
    }
}

TEST_F(Drawing, EmptyAndOutOfRangeSlotsDrawNothing) {
    DrawSprite(5, 10, 10);
    DrawSprite(-1, 10, 10);
    DrawSprite(70000, 10, 10);
    StretchSprite(5, 0, 0, 50, 50);
    RotoZoomSprite(5, 0, 0, 10, 3);
    DrawSprite(std::nan(""), 0, 0);
    EXPECT_EQ(Screen().LitPixels(), 0);
    double w = -1, h = -1;
    GetSpriteSize(70000, w, h);
    EXPECT_EQ(w, 0);
    GetScreenSize(w, h);
    EXPECT_EQ(w, 320);
    EXPECT_EQ(h, 240);
}

TEST_F(Drawing, TextureSizesAndEdgeBleeding) {
    const struct {
        int w, h, tw, th;
    } sizes[] = {{20, 10, 32, 16}, {1, 1, 2, 2}, {64, 64, 64, 64}, {3, 3, 4, 4}};
    for (const auto& size : sizes) {
        LoadPicture(3, Picture(size.w, size.h, 0x808080FF));
        const SpriteSlot& slot = g_engine->sprites[3];
        EXPECT_EQ(slot.textureWidth, size.tw);
        EXPECT_EQ(slot.textureHeight, size.th);
        EXPECT_NE(slot.MipTexture, 0u);
        double w = 0, h = 0;
        GetSpriteSize(3, w, h);
        EXPECT_EQ(w, size.w);
        EXPECT_EQ(h, size.h);
    }
    // 3 x 3, keyed except a red pixel at (1, 1) and a blue one at (2, 1).
    Picture p(3, 3, 0xFF0080FF);
    p.Set(1, 1, 0xFF0000FF);
    p.Set(2, 1, 0x0000FFFF);
    LoadPicture(3, p);
    std::vector<uint8_t> texels(4 * 4 * 4);
    glBindTexture(GL_TEXTURE_2D, g_engine->sprites[3].SpriteTexture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    // Image pixel (1, 2) is texel (1, 0): beside red and blue, transparent.
    const uint8_t* t = texels.data() + (0 * 4 + 1) * 4;
    EXPECT_EQ(t[0], 127);
    EXPECT_EQ(t[1], 0);
    EXPECT_EQ(t[2], 127);
    EXPECT_EQ(t[3], 0);
}

TEST_F(Drawing, FailedLoadsLeaveTheSlotEmpty) {
    LoadPicture(4, Picture(8, 8, 0xFFFFFFFF));
    ASSERT_EQ(g_engine->sprites[4].imageWidth, 8);
    testkit::WriteFile(folder_.File("deep.bmp"), testkit::BmpHeader(2, 2, 16, 54, 8));
    LoadSprite(folder_.File("deep.bmp").c_str(), 4);
    EXPECT_EQ(g_engine->sprites[4].imageWidth, 0);
    EXPECT_EQ(g_engine->sprites[4].textureWidth, -1);
    EXPECT_EQ(g_engine->sprites[4].SpriteTexture, 0u);
    EXPECT_TRUE(g_engine->sprites[4].CollisionMask.empty());

    LoadPicture(4, Picture(8, 8, 0xFFFFFFFF));
    LoadSprite(folder_.File("missing.bmp").c_str(), 4);
    EXPECT_EQ(g_engine->sprites[4].imageWidth, 0);
    // Each failed load is one line in the log, naming the file.
    const std::string log = testkit::ReadFile(LogFilePath());
    for (const char* file : {"deep.bmp", "missing.bmp"})
        EXPECT_NE(log.find("LoadSprite: '" + folder_.File(file) + "' was not loaded"), std::string::npos) << log;
    LoadSprite("whatever.bmp", 70000);  // outside the store: ignored
    LoadSprite("whatever.bmp", -5);
}

TEST_F(Drawing, SpritesLoadFromTheDataArchive) {
    const std::string archive = folder_.File("game.dat");
    testkit::WriteFile(archive, testkit::ArchiveBytes({{"shot.bmp", testkit::BmpBytes(Picture(3, 2, 0x00FF00FF), 24)}}));
    CreateDataResolvers(archive);
    LoadSprite("data/SHOT.BMP", 7);
    const std::string temp = g_dataResolvers[0]->tempFile;
    ReleaseDataResolvers();
    EXPECT_FALSE(temp.empty());
    EXPECT_EQ(g_engine->sprites[7].imageWidth, 3);
    DrawSprite(7, 0, 0);
    EXPECT_TRUE(Screen().Is(2, 1, 0, 255, 0));
}

TEST_F(Drawing, BackgroundsAreLoadedGrabbedAndCleared) {
    const std::string path = folder_.File("back.bmp");
    Picture back(20, 10, 0x102030FF);
    back.Set(0, 0, 0xFF0080FF);  // no key for backgrounds
    testkit::WriteFile(path, testkit::BmpBytes(back, 24));
    LoadBackground(path.c_str());
    EXPECT_EQ(g_engine->backgrounds[0].tiles.size(), 1u);
    {
        Screen s;
        EXPECT_TRUE(s.Is(0, 0, 255, 0, 128));
        EXPECT_TRUE(s.Is(19, 9, 16, 32, 48));
        EXPECT_EQ(s.LitPixels(), 200);
    }
    glClear(GL_COLOR_BUFFER_BIT);
    DrawBackgroundImage(*g_engine, 0);  // as the presenter does each frame
    EXPECT_EQ(Screen().LitPixels(), 200);

    ClearScreen();
    EXPECT_TRUE(g_engine->backgrounds[0].tiles.empty());
    DrawBackgroundImage(*g_engine, 0);
    EXPECT_EQ(Screen().LitPixels(), 0);

    DrawRect(300, 200, 319, 239, 0xFFFFFF);
    ScreenToBackground();
    EXPECT_EQ(g_engine->backgrounds[0].columns, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    DrawBackgroundImage(*g_engine, 0);
    EXPECT_TRUE(Screen().Is(319, 239, 255, 255, 255));
    EXPECT_EQ(Screen().LitPixels(), 20 * 40);

    GrabSprite(9, 310, 230, 20, 20);  // partly off the screen
    EXPECT_EQ(g_engine->sprites[9].textureWidth, 32);
    EXPECT_EQ(g_engine->sprites[9].imageWidth, 20);
    ClearScreen();
    DrawSprite(9, 0, 0);
    Screen grabbed;
    EXPECT_TRUE(grabbed.Is(0, 0, 255, 255, 255));
    EXPECT_TRUE(grabbed.Is(9, 9, 255, 255, 255));
    EXPECT_EQ(grabbed.LitPixels(), 100);

    LoadBackground(folder_.File("missing.bmp").c_str());
    EXPECT_TRUE(g_engine->backgrounds[0].tiles.empty());
    EXPECT_NE(testkit::ReadFile(LogFilePath()).find("LoadBackground: '" + folder_.File("missing.bmp") + "'"),
              std::string::npos);
    EXPECT_EQ(Screen().LitPixels(), 0);
}

// Selecting the texture that is already selected makes no GL call; every
// other way of touching textures must not leave a stale selection behind.
TEST_F(Drawing, ASpriteDrawnAgainAfterOtherTextureWorkShowsItsOwnPicture) {
    LoadPicture(0, Picture(2, 2, 0xFF0000FF));  // red
    DrawSprite(0, 0, 0);
    LoadPicture(1, Picture(2, 2, 0x00FF00FF));  // the upload binds the green texture
    DrawSprite(0, 10, 0);
    DrawRect(30, 0, 31, 1, 0xFF0000);  // primitives switch texturing off and back on
    DrawSprite(0, 20, 0);
    SpriteCollision(1, 0, 0, 0, 0, 0);
    DrawSprite(0, 40, 0);
    Viewport(0, 0, 0, 0);  // the fixed 2D state switches texturing on
    DrawSprite(0, 50, 0);
    LoadPicture(0, Picture(2, 2, 0x0000FFFF));  // blue now, in the same slot
    DrawSprite(0, 60, 0);
    Screen s;
    for (int x : {0, 10, 20, 40, 50}) EXPECT_TRUE(s.Is(x, 0, 255, 0, 0)) << x << ": " << s.At(x, 0);
    EXPECT_TRUE(s.Is(60, 0, 0, 0, 255)) << s.At(60, 0);
}

// Quads wholly outside the view are skipped; one that reaches in by a single
// pixel is still drawn, on every side.
TEST_F(Drawing, SpritesJustInsideTheEdgesAreStillDrawn) {
    LoadPicture(0, Picture(4, 4, 0xFF0000FF));
    DrawSprite(0, -3, 100);   // right column at x 0
    DrawSprite(0, 319, 100);  // left column at x 319
    DrawSprite(0, 100, -3);   // bottom row at y 0
    DrawSprite(0, 100, 239);  // top row at y 239
    DrawSprite(0, -4, 50);    // wholly outside: nothing
    DrawSprite(0, 320, 50);
    Screen s;
    EXPECT_TRUE(s.Is(0, 100, 255, 0, 0));
    EXPECT_TRUE(s.Is(319, 100, 255, 0, 0));
    EXPECT_TRUE(s.Is(100, 0, 255, 0, 0));
    EXPECT_TRUE(s.Is(100, 239, 255, 0, 0));
    EXPECT_EQ(s.LitPixels(), 16);
    // In a smaller view, the view's own edges count.
    Viewport(100, 100, 50, 50);
    DrawSprite(0, 49, 49);
    DrawSprite(0, 50, 0);
    Screen inView;
    EXPECT_TRUE(inView.Is(149, 149, 255, 0, 0));
    EXPECT_EQ(inView.LitPixels(), 17);
}

// The screen has no alpha: a grab makes the key colours (red 255, green 0,
// blue 127 to 132) transparent and keeps every other pixel opaque, and a
// screen copy shows every pixel as it was drawn, whatever alpha it was
// drawn with (the key colour itself is drawn with alpha 0).
// Grabs and screen copies read the offscreen frame too, which has no alpha
// either: the same rules through a window twice the screen's size.
class DrawingScaled : public Drawing {
protected:
    int WindowScale() const override { return 2; }
};

void GrabAndCopyChecks() {
    DrawRect(0, 0, 0, 0, 0x8200FF);  // blue 130: keyed
    DrawRect(1, 0, 1, 0, 0x8600FF);  // blue 134: outside the key range
    DrawRect(2, 0, 2, 0, 0x123456);
    DrawRect(3, 0, 3, 0, 0x8000FF);  // the key colour, drawn with alpha 0
    GrabSprite(5, 0, 0, 4, 1);
    DrawRect(0, 10, 319, 20, 0x00FF00);  // green under the grabbed picture
    DrawSprite(5, 10, 15);
    {
        Screen s;
        EXPECT_TRUE(s.Is(10, 15, 0, 255, 0)) << s.At(10, 15);
        EXPECT_TRUE(s.Is(11, 15, 255, 0, 134)) << s.At(11, 15);
        EXPECT_TRUE(s.Is(12, 15, 0x56, 0x34, 0x12)) << s.At(12, 15);
        EXPECT_TRUE(s.Is(13, 15, 0, 255, 0)) << s.At(13, 15);
    }

    ClearScreen();
    // A key-coloured pixel inside other colours, and one in a corner.
    DrawRect(100, 100, 102, 102, 0x204080);
    DrawRect(101, 101, 101, 101, 0x8000FF);
    DrawRect(0, 0, 0, 0, 0x8000FF);
    ScreenToBackground();
    glClear(GL_COLOR_BUFFER_BIT);
    DrawBackgroundImage(*g_engine, 0);
    Screen s;
    EXPECT_TRUE(s.Is(101, 101, 255, 0, 128)) << s.At(101, 101);
    EXPECT_TRUE(s.Is(0, 0, 255, 0, 128)) << s.At(0, 0);
    EXPECT_TRUE(s.Is(100, 100, 0x80, 0x40, 0x20)) << s.At(100, 100);
    EXPECT_EQ(s.LitPixels(), 10);
}

TEST_F(Drawing, GrabKeysItsColoursAndScreenCopyIsVerbatim) { GrabAndCopyChecks(); }
TEST_F(DrawingScaled, GrabKeysItsColoursAndScreenCopyIsVerbatim) { GrabAndCopyChecks(); }
