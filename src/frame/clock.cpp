#include "frame/clock.h"

FrameClock g_frameClock;

double GetTimer() { return NowMs() - g_frameClock.startup; }

double GetFrameTime() {
    const double elapsed = NowMs() - g_frameClock.previousFrame;
    return elapsed > 0 ? elapsed : 1.0;
}
