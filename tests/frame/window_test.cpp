// The window, its GL surface, the fixed 2D state of SetViewport, the
// renderer line and the full-screen switch, drawn and read back for real.
#include <cstdlib>
#include <cstring>

#include "frame/frame_fixture.h"
#include "frame/presenter.h"
#include "gfx/gl_entry_points.h"
#include "testkit/e2e_process.h"

using namespace frametest;

// The frame drawn into is the screen's size, RGB without alpha (as the
// screen's pixels have none), with depth and stencil; the window is
// double-buffered RGB too.
TEST_F(WindowTest, SurfaceIsTheScreenSizeDoubleBufferedRgbaWithDepthAndStencil) {
    int w = 0, h = 0;
    SDL_GetWindowSize(context->window, &w, &h);
    EXPECT_EQ(320, w);
    EXPECT_EQ(240, h);
    SDL_GL_GetDrawableSize(context->window, &w, &h);
    EXPECT_EQ(320, w);
    EXPECT_EQ(240, h);
    GLint bits[6] = {};
    glGetIntegerv(GL_RED_BITS, &bits[0]);
    glGetIntegerv(GL_GREEN_BITS, &bits[1]);
    glGetIntegerv(GL_BLUE_BITS, &bits[2]);
    glGetIntegerv(GL_ALPHA_BITS, &bits[3]);
    glGetIntegerv(GL_DEPTH_BITS, &bits[4]);
    glGetIntegerv(GL_STENCIL_BITS, &bits[5]);
    EXPECT_EQ(8, bits[0]);
    EXPECT_EQ(8, bits[1]);
    EXPECT_EQ(8, bits[2]);
    EXPECT_EQ(0, bits[3]);
    EXPECT_GE(bits[4], 16);
    EXPECT_EQ(8, bits[5]);
    // The window's own buffers.
    constexpr GLenum kFramebuffer = 0x8D40;
    Framebuffers().glBindFramebuffer(kFramebuffer, 0);
    GLboolean doubleBuffered = GL_FALSE;
    glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffered);
    EXPECT_TRUE(doubleBuffered);
    GLint windowAlpha = 0;
    glGetIntegerv(GL_ALPHA_BITS, &windowAlpha);
    EXPECT_EQ(0, windowAlpha);
    Framebuffers().glBindFramebuffer(kFramebuffer, context->frame.drawsDirect ? 0 : context->frame.framebuffer);
    EXPECT_TRUE(context->GlReady);
    EXPECT_FALSE(context->fullScreen);
    EXPECT_GT(context->bitsPerPixel, 0) << "0 asks for the desktop's depth";
    EXPECT_EQ(0, context->multisampleSamples);
    EXPECT_DOUBLE_EQ(1000.0 / 60.0, context->framePeriod);
}

TEST_F(WindowTest, FramePeriodFollowsTheFrameRate) {
    EXPECT_DOUBLE_EQ(1000.0 / 60.0, FramePeriodFor(60));
    EXPECT_DOUBLE_EQ(20.0, FramePeriodFor(50));
    EXPECT_DOUBLE_EQ(2.0, FramePeriodFor(0));
    EXPECT_DOUBLE_EQ(2.0, FramePeriodFor(-30));
    context.reset();
    ASSERT_TRUE(Open(0));
    EXPECT_DOUBLE_EQ(2.0, context->framePeriod);
}

TEST_F(WindowTest, WholeScreenViewportPutsScreenPixelsWhereTheyAre) {
    SetViewport(*context, 0, 0, 0, 0);
    EXPECT_EQ(320, context->viewportWidth);
    EXPECT_EQ(240, context->viewportHeight);
    FillRect(0, 0, 1, 1, 1, 0, 0);
    FillRect(319, 239, 1, 1, 0, 1, 0);
    FillRect(100, 50, 3, 2, 1, 0, 0);
    const auto frame = ReadBackBuffer(*context);
    ASSERT_EQ(320u * 240u * 4u, frame.size());
    EXPECT_EQ(kRed, PixelAt(frame, 0, 0));
    EXPECT_EQ(kBlack, PixelAt(frame, 1, 0));
    EXPECT_EQ(kBlack, PixelAt(frame, 0, 1));
    EXPECT_EQ(kGreen, PixelAt(frame, 319, 239));
    EXPECT_EQ(kRed, PixelAt(frame, 100, 50));
    EXPECT_EQ(kRed, PixelAt(frame, 102, 51));
    EXPECT_EQ(kBlack, PixelAt(frame, 103, 51));
    EXPECT_EQ(kBlack, PixelAt(frame, 102, 52));
}

TEST_F(WindowTest, SubViewportMovesTheOriginAndClipsToItsRectangle) {
    SetViewport(*context, 10, 20, 100, 50);
    EXPECT_EQ(10, context->viewportX);
    EXPECT_EQ(20, context->viewportY);
    EXPECT_EQ(100, context->viewportWidth);
    EXPECT_EQ(50, context->viewportHeight);
    FillRect(-500, -500, 2000, 2000, 0, 1, 0);  // floods the viewport only
    FillRect(0, 0, 1, 1, 1, 0, 0);               // the point (0, 0)
    FillRect(99, 49, 1, 1, 1, 0, 0);             // the last pixel inside
    const auto frame = ReadBackBuffer(*context);
    EXPECT_EQ(kRed, PixelAt(frame, 10, 20));
    EXPECT_EQ(kRed, PixelAt(frame, 109, 69));
    EXPECT_EQ(kGreen, PixelAt(frame, 11, 20));
    EXPECT_EQ(kGreen, PixelAt(frame, 108, 69));
    EXPECT_EQ(kBlack, PixelAt(frame, 9, 20));
    EXPECT_EQ(kBlack, PixelAt(frame, 10, 19));
    EXPECT_EQ(kBlack, PixelAt(frame, 110, 69));
    EXPECT_EQ(kBlack, PixelAt(frame, 109, 70));

    SetViewport(*context, 10, 20, 0, 50);  // a size of 0 selects the whole screen
    EXPECT_EQ(10, context->viewportX);
    EXPECT_EQ(320, context->viewportWidth);
    EXPECT_EQ(240, context->viewportHeight);
}

TEST_F(WindowTest, FixedStateDropsFaintPixelsAndClockwiseFaces) {
    SetViewport(*context, 0, 0, 0, 0);
    FillRect(0, 0, 10, 10, 1, 0, 0, 0.10f);  // alpha at or below 0.15: discarded
    FillRect(20, 0, 10, 10, 1, 0, 0, 0.20f);
    // The same rectangle wound clockwise in GL coordinates faces away.
    glColor4f(0, 1, 0, 1);
    glBegin(GL_QUADS);
    glVertex2f(40, 0);
    glVertex2f(50, 0);
    glVertex2f(50, -10);
    glVertex2f(40, -10);
    glEnd();
    const auto frame = ReadBackBuffer(*context);
    EXPECT_EQ(kBlack, PixelAt(frame, 5, 5));
    EXPECT_EQ(0xFF000000u, PixelAt(frame, 25, 5) & 0xFFFFFF00u) << "drawn, without blending";
    EXPECT_EQ(kBlack, PixelAt(frame, 45, 5));

    SetViewport(*context, 0, 0, 0, 0);  // the drawing above switched texturing off
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    for (GLenum off : {GL_DITHER, GL_FOG, GL_LINE_SMOOTH, GL_POINT_SMOOTH, GL_POLYGON_SMOOTH, GL_STENCIL_TEST,
                       GL_POLYGON_OFFSET_POINT, GL_COLOR_MATERIAL, GL_AUTO_NORMAL, GL_NORMALIZE, GL_LIGHTING})
        EXPECT_FALSE(glIsEnabled(off)) << std::hex << off;
    GLint shade = 0, hint = 0;
    glGetIntegerv(GL_SHADE_MODEL, &shade);
    EXPECT_EQ(GL_FLAT, shade);
    glGetIntegerv(GL_PERSPECTIVE_CORRECTION_HINT, &hint);
    EXPECT_EQ(GL_FASTEST, hint);
}

TEST_F(WindowTest, PresentShowsTheFrameAndStartsTheNextOneBlack) {
    struct Seen {
        uint32_t pixel = 0;
        int frames = 0;
    } seen;
    SetFrameObserver(
        [](OpenGLZodadodu& observed, void* user) {
            auto* s = static_cast<Seen*>(user);
            s->pixel = PixelAt(ReadBackBuffer(observed), 5, 5);
            ++s->frames;
        },
        &seen);
    testkit::VirtualClock clock(context->frameStartTime);
    SetViewport(*context, 0, 0, 0, 0);
    glClearColor(0, 0, 1, 1);  // the next present must clear to black anyway
    SetViewport(*context, 0, 0, 0, 0);
    FillRect(0, 0, 320, 240, 1, 0, 0);
    FramePresent(*context);
    SetFrameObserver(nullptr, nullptr);
    EXPECT_EQ(1, seen.frames);
    EXPECT_EQ(kRed, seen.pixel);
    const auto next = ReadBackBuffer(*context);
    for (int y = 0; y < 240; y += 7)
        for (int x = 0; x < 320; x += 7) ASSERT_EQ(kBlack, PixelAt(next, x, y)) << x << "," << y;
}

TEST(RendererTest, SoftwareRasterizersAreKnownByName) {
    EXPECT_TRUE(RendererIsSoftware("llvmpipe (LLVM 15.0.6, 256 bits)"));
    EXPECT_TRUE(RendererIsSoftware("softpipe"));
    EXPECT_TRUE(RendererIsSoftware("Mesa X11 Software Rasterizer"));
    EXPECT_FALSE(RendererIsSoftware("Mesa Intel(R) UHD Graphics 620 (KBL GT2)"));
    EXPECT_FALSE(RendererIsSoftware("AMD Radeon RX 6600 (radeonsi, navi23, LLVM 15.0.6)"));
    EXPECT_FALSE(RendererIsSoftware(nullptr));
    EXPECT_NE(nullptr, std::strstr(SoftwareEmulationText(), "HARDWARE\n\n\nBitte"));
    EXPECT_NE(nullptr, std::strstr(SoftwareEmulationText(), "unterst\xC3\xBCtzt!"));
}

TEST_F(WindowTest, RendererLineIsWrittenOnceForSoftwareAndAtEveryWindowForHardware) {
    const bool software = RendererIsSoftware(reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    // Two windows from the start of a program, whatever tests ran before
    // this one in the same process.
    context.reset();
    g_softwareWarningShown = false;
    testkit::WriteFile(LogFilePath(), "");
    ASSERT_TRUE(Open(60));
    context.reset();
    ASSERT_TRUE(Open(60));
    if (software)
        EXPECT_EQ("OpenGL Software Emulation\r\n", temp.LogText()) << "no second warning in one process";
    else
        EXPECT_EQ("OpenGL Hardware Support\r\nOpenGL Hardware Support\r\n", temp.LogText());
}

TEST_F(WindowTest, ReleaseDestroysTheWindowAndCanBeRepeated) {
    const Uint32 id = SDL_GetWindowID(context->window);
    ReleaseGraphics(*context);
    EXPECT_EQ(nullptr, context->window);
    EXPECT_EQ(nullptr, SDL_GetWindowFromID(id));
    EXPECT_EQ(0, context->screenWidth);
    EXPECT_FALSE(context->GlReady);
    ReleaseGraphics(*context);
    EXPECT_TRUE(ReadBackBuffer(*context).empty());
}

// On the usual 640x480 virtual screen there is no 320x240 mode: the switch
// is refused, logged, and the game stays windowed. Where the display has
// such a mode (FullscreenOnSmallScreen below) the switch succeeds. Either
// way the frame rate is kept exactly.
TEST_F(WindowTest, FullscreenWithoutAModeOfTheScreenSizeStaysWindowed) {
    const bool expected = HasModeOfSize(320, 240);
    const bool entered = EnterFullscreen(*context);
    EXPECT_EQ(expected, entered);
    EXPECT_EQ(expected, context->fullScreen);
    EXPECT_DOUBLE_EQ(1000.0 / 60.0, context->framePeriod);
    if (!expected) {
        EXPECT_NE(std::string::npos, temp.LogText().find("No Fullscreen Mode available\r\n"));
        int w = 0, h = 0;
        SDL_GetWindowSize(context->window, &w, &h);
        EXPECT_EQ(320, w);
        EXPECT_EQ(240, h);
    }
    EXPECT_TRUE(EnterWindowed(*context));
    EXPECT_FALSE(context->fullScreen);
    EXPECT_DOUBLE_EQ(1000.0 / 60.0, context->framePeriod);
}
