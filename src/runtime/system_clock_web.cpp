// The system clock in a browser: the page's high-resolution clock, and
// waits that hand the thread back to the browser (the program runs under
// emscripten's asyncify, so a sleep returns to the page's event loop and
// resumes the game where it stopped). The browser wakes a timer late by a
// few milliseconds at times, so a frame wait sleeps only while the deadline
// is further than that and spins the rest.
#include <emscripten.h>

#include <cmath>

#include "runtime/clock.h"

namespace {

void SleepMs(double ms) {
    if (!(ms > 0) || !std::isfinite(ms)) {
        emscripten_sleep(0);
        return;
    }
    emscripten_sleep(static_cast<unsigned>(std::fmin(ms, 3600.0 * 1000.0)));
}

class SystemClockImpl final : public Clock {
public:
    double Now() override { return emscripten_get_now(); }
    void Sleep(double ms) override { SleepMs(ms); }
    void WaitToward(double deadlineMs) override {
        const double remaining = deadlineMs - emscripten_get_now();
        if (remaining <= kMarginMs) return;
        SleepMs(std::floor(remaining - kMarginMs));
    }

private:
    static constexpr double kMarginMs = 2.0;  // spun, not slept: a timer may fire this late
};

}  // namespace

Clock& SystemClock() {
    static SystemClockImpl clock;
    return clock;
}
