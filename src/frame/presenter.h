// The frame presenter: shows the back buffer on a fixed grid of frame
// slots, dispatches window events, holds the game while the window is in
// the background and ends the program on the quit keys.
#pragma once

#include "runtime/rt_string.h"

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

// Swaps the buffers, clears the new back buffer and waits for the frame
// deadline while dispatching events. Returns the milliseconds waited + 1.
double FramePresent(OpenGLZodadodu& context);
// Dispatches every queued window event; returns 1.
int PumpMessages();
// Handles one window event (close, focus, screen saver).
void WindowProc(const SDL_Event& event);

// Called with the context just before each frame is shown, while the back
// buffer still holds it. The program installs none; tests use it to read
// back frames.
using FrameObserver = void (*)(OpenGLZodadodu& context, void* user);
void SetFrameObserver(FrameObserver observer, void* user);
