// The engine window over SDL2 with its legacy OpenGL context, and the fixed
// 2D state every drawing command relies on.
#pragma once
#include <cstdint>
#include <vector>

class OpenGLZodadodu;

// Frame period for a frame rate: 1000 / rate, or 2 ms when rate <= 0.
double FramePeriodFor(int framesPerSecond);

// Creates the window (client area width x height) and its GL context;
// false when the window cannot be created.
bool CreateGameWindow(OpenGLZodadodu& context, int width, int height, int bitsPerPixel, int framesPerSecond,
                      int samples);
// Switches to a display mode of exactly the screen size; false (and
// windowed) when there is none.
bool EnterFullscreen(OpenGLZodadodu& context);
bool EnterWindowed(OpenGLZodadodu& context);
// The drawing rectangle and the fixed 2D state; width or height <= 0
// selects the whole screen.
void SetViewport(OpenGLZodadodu& context, int x, int y, int width, int height);
// Deletes every sprite and background texture, leaves full-screen and
// destroys the window.
void ReleaseGraphics(OpenGLZodadodu& context);
// Sets the window caption.
void SetWindowCaption(OpenGLZodadodu& context, const char* caption);

// The back buffer as RGBA bytes, rows from the top of the screen.
std::vector<uint8_t> ReadBackBuffer(const OpenGLZodadodu& context);
