// The frame stamps and the two timer commands built on the engine clock.
#pragma once
#include "aerox/frames.h"  // GetTimer, GetFrameTime
#include "runtime/clock.h"

// Time stamps in milliseconds, kept by EngineInit and ShowScreen.
struct FrameClock {
    double thisFrame = 0;
    double previousFrame = 0;
    double startup = 0;
};
extern FrameClock g_frameClock;
