// The engine window over SDL2 with its legacy OpenGL context, and the fixed
// 2D state every drawing command relies on.
#pragma once
#include <cstdint>
#include <vector>

class OpenGLZodadodu;

// Frame period for a frame rate: 1000 / rate, or 2 ms when rate <= 0.
double FramePeriodFor(int framesPerSecond);

// The window system's side of SDL, with the settings it reads as it starts
// (CreateGameWindow starts it too): true when it runs.
bool StartVideo();

// Creates the window for a screen of width x height (hidden caption
// "Vantoro" until start-up names it), resizable, its client area the screen
// times windowScale (see StartWindowScale; 0 picks one for the display),
// and its GL context: double-buffered RGBA 8888, depth 16, stencil 8,
// compatibility profile, with the offscreen frame every command draws into
// (see offscreen_frame.h). An existing GL context is kept, so textures
// survive a second window. Logs the renderer line (see RendererIsSoftware).
// False when the window or its context cannot be made.
bool CreateGameWindow(OpenGLZodadodu& context, int width, int height, int bitsPerPixel, int framesPerSecond,
                      int samples, int windowScale = 1);
// Switches the display to a mode of exactly the screen size. Where there is
// none: logs "No Fullscreen Mode available", stays windowed, returns false.
// The frame period is kept as it is.
bool EnterFullscreen(OpenGLZodadodu& context);
// Back to the desktop's mode (from either kind of full screen) with a
// framed window of the screen times the window scale; always true.
bool EnterWindowed(OpenGLZodadodu& context);

// The scale a window for a screen of width x height opens at: requested
// when it fits the usable area of the first display, else the largest that
// fits (with a log line); 0 (or less) asks for ComfortableScale. SDL's
// video must be running.
int StartWindowScale(int requested, int width, int height);
// The largest whole scale whose window fits the usable area of the
// window's display; 1 while the engine draws straight into the window.
int MaxWindowScale(const OpenGLZodadodu& context);
// The whole factor the screen is shown at now, from the drawable size (in
// full screen too); at least 1.
int ShownWindowScale(const OpenGLZodadodu& context);
// Sets the client area to the screen times scale in pixels (HiDPI-aware).
// SDL keeps the size for the return from desktop full screen.
void SetWindowSizeForScale(OpenGLZodadodu& context, int scale);
// The window scale clamped to 1..MaxWindowScale: the window takes it at
// once (centred on its display) or on its return from full screen.
void ChangeWindowScale(OpenGLZodadodu& context, int scale);
// Desktop full screen: the display mode stays, the screen is scaled into
// it. Off returns to the window as it was. Leaves a mode-switched full
// screen too. False when there is no window or SDL refuses.
bool SetDesktopFullscreen(OpenGLZodadodu& context, bool on);
// True in either kind of full screen.
bool IsFullscreen(const OpenGLZodadodu& context);
// Told the player's window choice (scale, desktop full screen) whenever the
// game or the full-screen keys change it, so that the engine can keep it for
// the next run. nullptr: nobody is told.
using WindowChoiceObserver = void (*)(int scale, bool fullscreen);
void SetWindowChoiceObserver(WindowChoiceObserver observer);
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

// The frame (the offscreen frame, or the back buffer without one) as RGBA
// bytes, rows from the top of the screen, whatever the window's size.
std::vector<uint8_t> ReadBackBuffer(const OpenGLZodadodu& context);
