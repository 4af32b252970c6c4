// Showing the frame without GL. A software GL pays for every window pixel
// it blits (the scaled blit of a 320x240 frame into a 960x720 window costs
// it about 4 ms), while reading the small frame back and scaling it on the
// CPU into the window's own pixel surface costs about a tenth of that.
#pragma once

#include "gfx/frame_scaling.h"

class OpenGLZodadodu;

// Reads the offscreen frame back (it must be bound for reading), scales it
// with nearest filtering into the window's pixel surface where
// FramePlacement puts it in a surface of that size, blacks the bars and puts
// the surface on screen. False, having shown nothing, when the window has
// no surface of a 32-bit layout this can write.
bool ShowFrameThroughSurface(OpenGLZodadodu& context);
