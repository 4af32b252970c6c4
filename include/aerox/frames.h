// The game-facing commands of frames and time (gathered in commands.h).
#pragma once

// --- program
// Escape ends the program while this is on (the default). Turned on while
// Escape is held, it waits for Escape to be released and pressed again.
void SetEscapeEnds(double on);
// Pause the game while its window is in the background (the default).
void SetAutoPause(double on);

// --- frames and time
// Presents the frame drawn since the last call at the next frame slot,
// handles window events and the quit keys, and starts a new black frame.
void ShowScreen();
// Milliseconds since the end of start-up.
double GetTimer();
// Milliseconds of the last frame (1 when no time has passed).
double GetFrameTime();
void SetFrameRate(double framesPerSecond);
void SetScreenMode(double width, double height, double bitsPerPixel, double fullScreen);
void Viewport(double x, double y, double width, double height);
