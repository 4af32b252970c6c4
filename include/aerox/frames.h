/// @file
/// @brief Frames and time: showing the frame, the frame rate, the timer, the
/// quit keys and pausing.
#pragma once

/// @addtogroup program
/// @{
///
/// The frame and time commands (ShowScreen, GetTimer, GetFrameTime,
/// SetFrameRate, SetScreenMode, Viewport, SetEscapeEnds, SetAutoPause) need
/// the running engine: before RunGame has started it (or once the program
/// end has released it) each returns at once, the timers with 0, and writes
/// one log line naming it, once per command.

// --- program
/// Whether Escape ends the program (on from the start). ShowScreen ends it
/// when Escape is held while this is on. Turned on while Escape is held
/// (a screen took that press as "back"), it waits for Escape to be
/// released and pressed again.
/// @param on non-zero (NaN too): on; 0: off.
void SetEscapeEnds(double on);
/// Whether the game pauses while its window is in the background: ShowScreen
/// then waits until the window has the focus again. On from the start;
/// debug mode (StartupSettings::DebugMode) never pauses.
/// @param on non-zero (NaN too): pause; 0: keep running.
void SetAutoPause(double on);

// --- frames and time
/// Shows the frame drawn since the last call and starts the next one. It
/// waits for the next slot of the frame rate's grid (slots already past are
/// skipped, not made up), handles the window's events and the keys every
/// game shares, then gives a new frame: cleared to black, background image
/// 0 (LoadBackground) drawn underneath, the alpha mode opaque
/// (AlphaMode(0)) and the viewport the whole screen.
///
/// It does not return when the program ends: on Escape (SetEscapeEnds),
/// Alt+F4 or the window's close button. F12 saves a screenshot (a PNG in
/// the per-user folder; a log line says where); Alt+Return and F11 switch
/// between the window and the full screen. While the game is paused
/// (SetAutoPause) it waits here.
void ShowScreen();
/// The time since the end of start-up.
/// @return milliseconds, with fractions: 0 at the end of start-up and
///         counting up.
double GetTimer();
/// The length of the last frame: the time since the start of the
/// ShowScreen call before the last one (called right after ShowScreen, the
/// frame just shown).
/// @return milliseconds, with fractions; 1 when no time has passed (never
///         0).
double GetFrameTime();
/// Sets the frame rate ShowScreen paces to (StartupSettings::frameRate at
/// start-up).
/// @param framesPerSecond frames a second, 1 or more; a fraction is cut
///        off. Below 1, NaN or beyond 32 bits gives a frame every 2
///        milliseconds. No log line.
void SetFrameRate(double framesPerSecond);
/// Changes the screen's size and depth, and switches between a window and
/// a full screen that changes the display mode.
/// @param width the screen's width in pixels, 1..65535; a value outside
///        that (or NaN) keeps the width.
/// @param height the screen's height in pixels, 1..65535; outside that (or
///        NaN) keeps the height.
/// @param bitsPerPixel the display depth the full screen asks for, 1..65535
///        (16, 24 or 32 are the useful ones); outside that keeps the depth.
/// @param fullScreen non-zero (NaN too): full screen in a display mode of
///        the screen's size (without such a mode: a window, and the log line
///        "No Fullscreen Mode available"); 0: a window.
void SetScreenMode(double width, double height, double bitsPerPixel, double fullScreen);
/// Limits drawing to a rectangle of the screen, whose top-left corner
/// becomes the origin of every drawing command, until the next Viewport,
/// ShowScreen or change of screen mode (which reset it to the whole
/// screen).
/// @param x, y the rectangle's top-left corner in screen pixels; a fraction
///        is cut off, and beyond +-1000000 (or NaN) is 0.
/// @param width, height its size in pixels; a fraction is cut off. 0 or
///        below in either (or NaN, or beyond 1000000) gives the whole
///        screen.
void Viewport(double x, double y, double width, double height);

/// @}
