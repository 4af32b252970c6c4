#include "frame/clock.h"
#include "runtime/engine_required.h"

FrameClock g_frameClock;

// The start-up stamp is 0 until start-up takes it (the monotonic clock is
// never 0 by then) and again once the program end released the engine.
double GetTimer() {
    if (!RequireEngine(g_frameClock.startup != 0, "GetTimer")) return 0;
    return NowMs() - g_frameClock.startup;
}

double GetFrameTime() {
    if (!RequireEngine(g_frameClock.startup != 0, "GetFrameTime")) return 0;
    const double elapsed = NowMs() - g_frameClock.previousFrame;
    return elapsed > 0 ? elapsed : 1.0;
}
