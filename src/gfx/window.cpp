#include "gfx/window.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <algorithm>

#include "frame/clock.h"
#include "gfx/draw.h"
#include "runtime/engine_context.h"

double FramePeriodFor(int framesPerSecond) {
    return framesPerSecond > 0 ? 1000.0 / static_cast<double>(framesPerSecond) : 2.0;
}

OpenGLZodadodu::OpenGLZodadodu() {
    counterAvailable = 1;
    counterFrequency = 1.0e9;
    frameStartTime = NowMs();
}

OpenGLZodadodu::~OpenGLZodadodu() {
    ReleaseGraphics(*this);
    if (glContext != nullptr) SDL_GL_DeleteContext(static_cast<SDL_GLContext>(glContext));
    glContext = nullptr;
}

bool CreateGameWindow(OpenGLZodadodu& context, int width, int height, int bitsPerPixel, int framesPerSecond,
                      int samples) {
    context.framePeriod = FramePeriodFor(framesPerSecond);
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0 && SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_Window* window = SDL_CreateWindow("Aerox", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                                          SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (window == nullptr) return false;
    context.window = window;
    context.screenWidth = width;
    context.screenHeight = height;
    context.bitsPerPixel = bitsPerPixel != 0 ? bitsPerPixel : 32;
    context.multisampleSamples = samples > 0 ? 0 : 0;
    context.fullScreen = false;
    if (context.glContext == nullptr) context.glContext = SDL_GL_CreateContext(window);
    if (context.glContext == nullptr || SDL_GL_MakeCurrent(window, static_cast<SDL_GLContext>(context.glContext)) != 0) {
        SDL_DestroyWindow(window);
        context.window = nullptr;
        return false;
    }
    SDL_GL_SetSwapInterval(0);  // may fail (no vsync under Xvfb): never fatal
    context.frameStartTime = NowMs();
    SDL_ShowWindow(window);
    SetViewport(context, 0, 0, 0, 0);
    context.GlReady = true;
    return true;
}

bool EnterFullscreen(OpenGLZodadodu& context) { return EnterWindowed(context) && false; }

bool EnterWindowed(OpenGLZodadodu& context) {
    if (context.window != nullptr) SDL_SetWindowFullscreen(context.window, 0);
    context.fullScreen = false;
    SetViewport(context, 0, 0, 0, 0);
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
    glViewport(x, context.screenHeight - height - y, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, -height, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CCW);
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.15f);
    glColor4f(1, 1, 1, 1);
    glClearColor(0, 0, 0, 1);
    glShadeModel(GL_FLAT);
    for (GLenum cap : {GL_DITHER, GL_FOG, GL_LINE_SMOOTH, GL_POINT_SMOOTH, GL_POLYGON_SMOOTH, GL_STENCIL_TEST,
                       GL_POLYGON_OFFSET_POINT, GL_COLOR_MATERIAL, GL_AUTO_NORMAL, GL_NORMALIZE, GL_LIGHTING})
        glDisable(cap);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_FASTEST);
    glHint(GL_POLYGON_SMOOTH_HINT, GL_FASTEST);
}

void ReleaseGraphics(OpenGLZodadodu& context) {
    for (auto& slot : context.sprites) {
        if (context.GlReady) {
            glDeleteTextures(1, &slot.SpriteTexture);
            glDeleteTextures(1, &slot.MipTexture);
        }
        slot = SpriteSlot{};
    }
    for (auto& background : context.backgrounds) {
        if (context.GlReady)
            for (auto& tile : background.tiles) glDeleteTextures(1, &tile.texture);
        background = BackgroundImage{};
    }
    if (context.window != nullptr) {
        EnterWindowed(context);
        SDL_GL_MakeCurrent(context.window, nullptr);
        SDL_DestroyWindow(context.window);
    }
    context.window = nullptr;
    context.screenWidth = 0;
    context.screenHeight = 0;
}

void SetWindowCaption(OpenGLZodadodu& context, const char* caption) {
    if (context.window != nullptr) SDL_SetWindowTitle(context.window, caption);
}

std::vector<uint8_t> ReadBackBuffer(const OpenGLZodadodu& context) {
    const int w = context.screenWidth, h = context.screenHeight;
    std::vector<uint8_t> bottomUp(static_cast<size_t>(w) * h * 4);
    std::vector<uint8_t> pixels(bottomUp.size());
    if (w <= 0 || h <= 0) return pixels;
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    const size_t row = static_cast<size_t>(w) * 4;
    for (int y = 0; y < h; ++y)
        std::copy_n(bottomUp.data() + (h - 1 - y) * row, row, pixels.data() + y * row);
    return pixels;
}
