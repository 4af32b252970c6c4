// The one engine context: the window and its GL context, the frame timing,
// the sprite store, the background images and the drawing state. Everything
// in it but the frame timing is graphics state, so it lives with gfx; the
// engine's assembly creates and deletes it.
#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "gfx/frame_scaling.h"

struct SDL_Window;

constexpr int kSpriteSlotCount = 65536;
constexpr int kFontSlotBase = 65520;  // fonts 0..15 are sprite slots 65520..65535
constexpr int kFontCount = 16;
constexpr int kBackgroundCount = 16;

// One numbered image of the sprite store. Empty while imageWidth is 0.
struct SpriteSlot {
    unsigned int SpriteTexture = 0;  // GL texture name, no mipmaps
    unsigned int MipTexture = 0;     // the same image with a mipmap chain (sprites only)
    int textureWidth = -1;           // power-of-two size of both textures
    int textureHeight = -1;
    int imageWidth = 0;
    int imageHeight = 0;
    // textureWidth x textureHeight alpha bytes, row 0 = the sprite's top row
    // on screen; made on first use by the collision test.
    std::vector<uint8_t> CollisionMask;
};

// One tile of a background image.
struct BackgroundTile {
    unsigned int texture = 0;
    int textureWidth = 0;
    int textureHeight = 0;
    int pictureWidth = 0;
    int pictureHeight = 0;
};

// A picture cut into square tiles, laid out from the top-left corner,
// column by column.
struct BackgroundImage {
    std::vector<BackgroundTile> tiles;  // columns * rows, column-major
    int columns = 0;
    int rows = 0;
};

class OpenGLZodadodu {
public:
    // Clears the tables, chooses the timer source and takes the first frame
    // start time.
    OpenGLZodadodu();
    // Releases the textures and the window, then deletes the GL context.
    virtual ~OpenGLZodadodu();

    OpenGLZodadodu(const OpenGLZodadodu&) = delete;
    OpenGLZodadodu& operator=(const OpenGLZodadodu&) = delete;

    // Window and GL context.
    SDL_Window* window = nullptr;
    void* glContext = nullptr;  // SDL_GLContext
    bool GlReady = false;
    bool fullScreen = false;
    int screenWidth = 0;
    int screenHeight = 0;
    int bitsPerPixel = 0;
    int multisampleSamples = 0;
    int viewportX = 0, viewportY = 0, viewportWidth = 0, viewportHeight = 0;
    // The whole factor the window shows the screen at while it is a window
    // (1 when the GL can draw nowhere but into the window itself).
    int windowScale = 1;

    // The offscreen frame every command draws into and reads from, the size
    // of the screen; the presenter scales it into the window. All 0 when the
    // GL has no framebuffer objects: drawing then goes to the window.
    struct OffscreenFrame {
        unsigned int framebuffer = 0;
        unsigned int colour = 0;        // renderbuffer, RGB: the screen has no alpha
        unsigned int depthStencil = 0;  // renderbuffer
        int width = 0;
        int height = 0;
        void* owner = nullptr;  // the GL context the names belong to
        // True while the window is exactly the screen's size: the engine
        // then draws straight into the window's back buffer, which saves
        // the software renderer a copy of every pixel at each frame.
        bool drawsDirect = false;
        // What showing the frame through the window's surface keeps from
        // one frame to the next (see frame_through_surface.h).
        struct SurfaceCopy {
            std::vector<uint32_t> readBack;  // this frame, rows from the bottom
            std::vector<uint32_t> shown;     // the frame the surface holds
            std::vector<int> columns, rows;  // the frame pixel each surface pixel shows
            // The size of the surface last written, and where the frame sat in it.
            int surfaceWidth = 0, surfaceHeight = 0;
            PixelRect placement;
        } surfaceCopy;
    } frame;
    // True on a software GL: a scaled frame reaches the window through the
    // window's own pixel surface instead of a GL blit.
    bool framesThroughSurface = false;

    // Frame timing, in milliseconds.
    double framePeriod = 1000.0 / 60.0;
    double frameStartTime = 0;  // the deadline of the next frame
    int counterAvailable = 0;
    double counterFrequency = 0;

    // Drawing state.
    float currentAlpha = 0.0f;
    int boundSlot = -1;
    // True while the GL texture state is exactly what boundSlot, secondSlot
    // and mipChoice selected, so selecting the same again needs no GL call.
    // Anything that binds, enables or deletes textures by itself clears it.
    bool textureSelectionCurrent = false;
    int secondSlot = -1;
    int mipChoice = 0;
    int currentFont = 0;

    std::array<SpriteSlot, kSpriteSlotCount> sprites;
    std::array<BackgroundImage, kBackgroundCount> backgrounds;
};

// The one context, created by EngineInit and deleted by EndProgram.
extern OpenGLZodadodu* g_engine;
