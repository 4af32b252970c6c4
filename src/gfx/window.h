// The engine window over SDL2 with its legacy OpenGL context, and the fixed
// 2D state every drawing command relies on.
#pragma once
#include <cstdint>
#include <vector>

class OpenGLZodadodu;

// Frame period for a frame rate: 1000 / rate, or 2 ms when rate <= 0.
double FramePeriodFor(int framesPerSecond);

// Creates the window (client area width x height, hidden caption "Vantoro"
// until start-up names it) and its GL context: double-buffered RGBA 8888,
// depth 16, stencil 8, compatibility profile. An existing GL context is
// kept, so textures survive a second window. Logs the renderer line (see
// RendererIsSoftware). False when the window or its context cannot be made.
bool CreateGameWindow(OpenGLZodadodu& context, int width, int height, int bitsPerPixel, int framesPerSecond,
                      int samples);
// Switches the display to a mode of exactly the screen size. Where there is
// none: logs "No Fullscreen Mode available", stays windowed, returns false.
// The frame period is kept as it is.
bool EnterFullscreen(OpenGLZodadodu& context);
// Back to the desktop's mode with a framed window; always true.
bool EnterWindowed(OpenGLZodadodu& context);
// The drawing rectangle and the fixed 2D state; width or height <= 0
// selects the whole screen. y counts from the top of the window.
void SetViewport(OpenGLZodadodu& context, int x, int y, int width, int height);
// Deletes every sprite and background texture, leaves full-screen and
// destroys the window (the GL context stays until the context's destructor).
void ReleaseGraphics(OpenGLZodadodu& context);
// Sets the window caption.
void SetWindowCaption(OpenGLZodadodu& context, const char* caption);

// Set once the software-renderer warning was given (at most once a process).
extern bool g_softwareWarningShown;

// True for a GL_RENDERER string of a software rasterizer (Mesa's llvmpipe
// or softpipe, or "Software Rasterizer"): the engine then warns once.
bool RendererIsSoftware(const char* renderer);
// The warning's text, UTF-8.
const char* SoftwareEmulationText();

// The back buffer as RGBA bytes, rows from the top of the screen.
std::vector<uint8_t> ReadBackBuffer(const OpenGLZodadodu& context);
