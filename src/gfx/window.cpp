#include "gfx/window.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "runtime/clock.h"
#include "gfx/draw.h"
#include "gfx/engine_context.h"
#include "gfx/gl_profile.h"
#include "gfx/held_frame.h"
#include "gfx/offscreen_frame.h"
#include "gfx/warning_box.h"
#include "runtime/errors.h"
#include "runtime/startup_steps.h"

bool g_softwareWarningShown = false;
OpenGLZodadodu* g_engine = nullptr;

double FramePeriodFor(int framesPerSecond) {
    return framesPerSecond > 0 ? 1000.0 / static_cast<double>(framesPerSecond) : 2.0;
}

OpenGLZodadodu::OpenGLZodadodu() {
    // The time source is the monotonic clock in nanoseconds (frame/clock.h).
    counterAvailable = 1;
    counterFrequency = 1.0e9;
    frameStartTime = NowMs();
}

OpenGLZodadodu::~OpenGLZodadodu() {
    ReleaseGraphics(*this);
    if (glContext != nullptr) SDL_GL_DeleteContext(static_cast<SDL_GLContext>(glContext));
    glContext = nullptr;
}

bool RendererIsSoftware(const char* renderer) {
    if (renderer == nullptr) return false;
    return std::strstr(renderer, "llvmpipe") != nullptr || std::strstr(renderer, "softpipe") != nullptr ||
           std::strstr(renderer, "Software Rasterizer") != nullptr;
}

const char* SoftwareEmulationText() {
    // The text as the engine has always shown it (a Windows-1252 original),
    // here in UTF-8: "ü" is C3 BC.
    return "Please update your GFX adapter's driver\n"
           "so it can render OpenGL by HARDWARE\n"
           "\n"
           "\n"
           "Bitte aktualisieren Sie Ihren\n"
           "Grafkkartentreiber, damit er OpenGL\n"
           "per HARDWARE unterst\xC3\xBCtzt!";
}

namespace {

void SetSurfaceAttributes(int samples) {
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    // No alpha: the screen's pixels have none (blending only ever uses the
    // source's), and the frame and the window read back alike.
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
    // 24 bits of depth and 8 of stencil: the 3D layer's shadow volumes
    // reach to infinity and count in the stencil buffer.
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    AskForFixedPipelineGl();
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, samples > 0 ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, samples > 0 ? samples : 0);
}

SDL_Window* OpenWindow(int width, int height) {
    // Resizable: the presenter fits the screen to whatever size the window
    // is given.
    return SDL_CreateWindow("Vantoro", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                            SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
}

// Makes the kept GL context current on the window, or a new one when there
// is none or the kept one does not fit the window.
bool AttachContext(OpenGLZodadodu& context, SDL_Window* window) {
    if (context.glContext != nullptr && SDL_GL_MakeCurrent(window, static_cast<SDL_GLContext>(context.glContext)) == 0)
        return true;
    if (context.glContext != nullptr) SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context.glContext));
    context.glContext = SDL_GL_CreateContext(window);
    return context.glContext != nullptr &&
           SDL_GL_MakeCurrent(window, static_cast<SDL_GLContext>(context.glContext)) == 0;
}

// The software-renderer warning. Automated runs set AEROX_NO_MESSAGE_BOX
// (to anything non-empty) so that the modal box is not shown; the log line
// is written all the same.
void ReportRenderer() {
    if (g_softwareWarningShown) return;
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    if (RendererIsSoftware(renderer)) {
        g_softwareWarningShown = true;
        const char* skip = std::getenv("AEROX_NO_MESSAGE_BOX");
        if (skip == nullptr || skip[0] == '\0')
            ShowWarningBox("!!OpenGL Software Emulation!!", SoftwareEmulationText());
        AppendLogLine("OpenGL Software Emulation");
    } else {
        AppendLogLine("OpenGL Hardware Support");
    }
}

int DesktopBitsPerPixel() {
    SDL_DisplayMode mode{};
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return 32;
    return static_cast<int>(SDL_BITSPERPIXEL(mode.format));
}

}  // namespace

bool StartVideo() {
    // Mesa's software rasterizer can deadlock joining its worker threads
    // when the display is closed at the end (seen on a loaded machine: the
    // window gone, the process never exiting). A 320x240 screen needs no
    // workers, so it renders on this thread unless the user chose otherwise.
    SDL_setenv("LP_NUM_THREADS", "0", 0);
    // On Windows a display scaled above 100% would otherwise get the window
    // stretched by the system, smoothly, and the whole-factor frame blurred.
    // Aware of each monitor's DPI, the window's size and the display's are
    // in real pixels. Other platforms ignore the hint.
    SDL_SetHint(SDL_HINT_WINDOWS_DPI_AWARENESS, "permonitorv2");
    return SDL_WasInit(SDL_INIT_VIDEO) != 0 || SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

bool CreateGameWindow(OpenGLZodadodu& context, int width, int height, int bitsPerPixel, int framesPerSecond,
                      int samples, int windowScale) {
    context.framePeriod = FramePeriodFor(framesPerSecond);
    if (!StartVideo()) return false;
    if (width <= 0 || height <= 0) return false;
    const int scale = StartWindowScale(windowScale, width, height);

    // Multisampling: the count asked for, halved until a window and context
    // can be made with it; none at all stores 0.
    SDL_Window* const previous = context.window;
    SDL_Window* window = nullptr;
    int gotSamples = samples > 0 ? samples : 0;
    for (;;) {
        SetSurfaceAttributes(gotSamples);
        window = OpenWindow(width * scale, height * scale);
        if (window != nullptr && AttachContext(context, window)) break;
        if (window != nullptr) SDL_DestroyWindow(window);
        window = nullptr;
        if (gotSamples == 0) return false;
        gotSamples /= 2;
    }
    MarkStartupStep("window and GL context made");
    if (previous != nullptr) SDL_DestroyWindow(previous);
    context.window = window;
    context.multisampleSamples = gotSamples;
    context.fullScreen = false;
    context.bitsPerPixel = bitsPerPixel != 0 ? bitsPerPixel : DesktopBitsPerPixel();
    context.screenWidth = width;
    context.screenHeight = height;
    // The presenter does its own pacing; a driver without vsync control
    // (Xvfb) refuses this, which is fine.
    SDL_GL_SetSwapInterval(0);

    ReportRenderer();
    context.framesThroughSurface = RendererIsSoftware(reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    // Should the frame go through the window's surface, that surface is the
    // window system's own framebuffer, never one SDL would draw through GL.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");

    // The offscreen frame, unless the GL has no framebuffer objects or the
    // window is multisampled (a multisampled frame cannot be read back as
    // it is): then the engine draws into the window, which stays the
    // screen's size.
    context.windowScale = scale;
    if (gotSamples > 0 || !PrepareOffscreenFrame(context)) {
        ReleaseOffscreenFrame(context);
        context.windowScale = 1;
        SDL_SetWindowResizable(window, SDL_FALSE);
        SDL_SetWindowSize(window, width, height);
    }
    ChooseFrameTarget(context);

    context.frameStartTime = NowMs();
    SDL_ShowWindow(window);
    SetViewport(context, 0, 0, 0, 0);
    context.GlReady = true;
    return true;
}

bool EnterFullscreen(OpenGLZodadodu& context) {
    if (context.window == nullptr) return false;
    DrawHeldFrameNow();
    int display = SDL_GetWindowDisplayIndex(context.window);
    if (display < 0) display = 0;
    const int wantBits =
        context.bitsPerPixel != 0 && context.bitsPerPixel != DesktopBitsPerPixel() ? context.bitsPerPixel : 0;
    // A mode of exactly the screen size, with the stored depth when that
    // differs from the desktop's; failing that, of the size alone.
    SDL_DisplayMode chosen{};
    bool found = false;
    for (int pass = 0; pass < 2 && !found; ++pass) {
        if (pass == 0 && wantBits == 0) continue;
        const int modes = SDL_GetNumDisplayModes(display);
        for (int i = 0; i < modes && !found; ++i) {
            SDL_DisplayMode mode{};
            if (SDL_GetDisplayMode(display, i, &mode) != 0) continue;
            if (mode.w != context.screenWidth || mode.h != context.screenHeight) continue;
            if (pass == 0 && static_cast<int>(SDL_BITSPERPIXEL(mode.format)) != wantBits) continue;
            chosen = mode;
            found = true;
        }
    }
    if (!found || SDL_SetWindowDisplayMode(context.window, &chosen) != 0 ||
        SDL_SetWindowFullscreen(context.window, SDL_WINDOW_FULLSCREEN) != 0) {
        AppendLogLine("No Fullscreen Mode available");
        EnterWindowed(context);
        return false;
    }
    // The window is switched in place: the GL context, the textures and the
    // frame period all stay as they are.
    if (HasOffscreenFrame(context)) PrepareOffscreenFrame(context);
    SetViewport(context, 0, 0, 0, 0);
    SDL_ShowWindow(context.window);
    SDL_RaiseWindow(context.window);
    context.fullScreen = true;
    return true;
}

bool EnterWindowed(OpenGLZodadodu& context) {
    if (context.window == nullptr) {
        context.fullScreen = false;
        return true;
    }
    DrawHeldFrameNow();
    if (context.fullScreen || (SDL_GetWindowFlags(context.window) & SDL_WINDOW_FULLSCREEN) != 0)
        SDL_SetWindowFullscreen(context.window, 0);
    SDL_SetWindowBordered(context.window, SDL_TRUE);
    if (HasOffscreenFrame(context)) PrepareOffscreenFrame(context);
    SetWindowSizeForScale(context, context.windowScale);
    SDL_ShowWindow(context.window);
    SDL_RaiseWindow(context.window);
    SetViewport(context, 0, 0, 0, 0);
    context.fullScreen = false;
    return true;
}

void SetViewport(OpenGLZodadodu& context, int x, int y, int width, int height) {
    if (width <= 0 || height <= 0) {
        width = context.screenWidth;
        height = context.screenHeight;
    }
    ForgetTextureSelection(context);  // texturing is switched on below
    context.viewportX = x;
    context.viewportY = y;
    context.viewportWidth = width;
    context.viewportHeight = height;
    if (context.window == nullptr) return;  // no GL context to set
    held::Viewport(x, context.screenHeight - height - y, width, height);
    held::MatrixMode(GL_PROJECTION);
    held::LoadIdentity();
    held::OrthoScreen(width, height);
    held::MatrixMode(GL_MODELVIEW);
    held::LoadIdentity();
    held::Enable(GL_TEXTURE_2D);
    held::Disable(GL_DEPTH_TEST);
    held::Enable(GL_CULL_FACE);
    held::FrontFace(GL_CCW);
    held::Enable(GL_ALPHA_TEST);
    held::AlphaFunc(GL_GREATER, 0.15f);
    held::Color4f(1, 1, 1, 1);
    held::ClearColor(0, 0, 0, 1);
    for (GLenum cap : {GL_DITHER, GL_FOG, GL_LINE_SMOOTH, GL_POINT_SMOOTH, GL_POLYGON_SMOOTH, GL_STENCIL_TEST,
                       GL_POLYGON_OFFSET_POINT, GL_COLOR_MATERIAL, GL_AUTO_NORMAL, GL_NORMALIZE, GL_LIGHTING})
        held::Disable(cap);
    SetRenderingHints();
}

void ReleaseGraphics(OpenGLZodadodu& context) {
    // Whatever uses GL next (another window, a test's own drawing) draws at once.
    EnableHeldFrames(false);
    // Textures are deleted only while a context is current on the window.
    const bool deleteTextures = context.GlReady && context.window != nullptr;
    for (auto& slot : context.sprites) {
        if (deleteTextures) {
            if (slot.SpriteTexture != 0) glDeleteTextures(1, &slot.SpriteTexture);
            if (slot.MipTexture != 0) glDeleteTextures(1, &slot.MipTexture);
        }
        slot = SpriteSlot{};
    }
    for (auto& background : context.backgrounds) {
        if (deleteTextures)
            for (auto& tile : background.tiles)
                if (tile.texture != 0) glDeleteTextures(1, &tile.texture);
        background = BackgroundImage{};
    }
    if (context.window != nullptr) {
        EnterWindowed(context);
        ReleaseOffscreenFrame(context);
        SDL_GL_MakeCurrent(context.window, nullptr);
        SDL_DestroyWindow(context.window);
    }
    context.window = nullptr;
    context.GlReady = false;
    context.screenWidth = 0;
    context.screenHeight = 0;
}

void SetWindowCaption(OpenGLZodadodu& context, const char* caption) {
    if (context.window != nullptr) SDL_SetWindowTitle(context.window, caption);
}

std::vector<uint8_t> ReadBackBuffer(const OpenGLZodadodu& context) {
    const int w = context.screenWidth, h = context.screenHeight;
    if (w <= 0 || h <= 0 || context.window == nullptr) return {};
    DrawHeldFrameNow();
    std::vector<uint8_t> bottomUp(static_cast<size_t>(w) * h * 4);
    std::vector<uint8_t> pixels(bottomUp.size());
    // The read buffer is the frame's (or the window's back buffer without one).
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    const size_t row = static_cast<size_t>(w) * 4;
    for (int y = 0; y < h; ++y)
        std::copy_n(bottomUp.data() + static_cast<size_t>(h - 1 - y) * row, row, pixels.data() + y * row);
    return pixels;
}
