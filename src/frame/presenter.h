// The frame presenter: shows the frame in the window on a fixed grid of
// frame slots, dispatches window events (Alt+Return and F11 switch to and
// from full screen), holds the game while the window is in the background
// and ends the program on the quit keys.
#pragma once

#include "aerox/text.h"

union SDL_Event;
class OpenGLZodadodu;

// Pause while the window is inactive (set on by EngineInit).
extern bool AutoPause;
// Escape ends the program (on from the start).
extern bool EscapeEnds;
// Set while the window has lost the focus; ShowScreen then holds the game.
extern bool Paused;
// The title given to EngineInit ("Aerox"); the paused caption is built from it.
extern RtString g_caption;

// Scales the frame into the window, swaps the buffers, clears the frame and
// waits for the frame
// deadline while dispatching events. Returns the milliseconds waited + 1.
double FramePresent(OpenGLZodadodu& context);
// Dispatches every queued window event; returns 1.
int PumpMessages();
// Handles one window event (close, focus, screen saver, the full-screen
// keys).
void WindowProc(const SDL_Event& event);

// Called with the context just before each frame is shown, while the frame
// still holds it. The program installs none; tests use it to read
// back frames.
using FrameObserver = void (*)(OpenGLZodadodu& context, void* user);
// usesGl false: the observer neither draws nor reads pixels, so a frame
// equal to the one on the screen can still be left undrawn.
void SetFrameObserver(FrameObserver observer, void* user, bool usesGl = true);

// Draws over the frame just before it is shown and before the observer sees
// it (the video layer's pictures). An overlay with nothing to draw must
// leave GL untouched, so that an unchanged frame stays unchanged.
using FrameOverlay = void (*)(OpenGLZodadodu& context);
void SetFrameOverlay(FrameOverlay overlay);
