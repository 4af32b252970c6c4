#include "frame/clock.h"

#include <time.h>

#include <cmath>

FrameClock g_frameClock;

namespace {

double MonotonicMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1.0e6;
}

void SleepMs(double ms) {
    if (!(ms > 0)) return;
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(ms / 1000.0);
    ts.tv_nsec = static_cast<long>(std::fmod(ms, 1000.0) * 1.0e6);
    while (nanosleep(&ts, &ts) != 0) {
    }
}

// Sleeps until shortly before a deadline, then lets the caller spin. The
// margin grows to the largest oversleep seen, so a late wake-up is rare,
// and sleeps come in short steps so that events are still dispatched.
class SystemClockImpl final : public Clock {
public:
    double Now() override { return MonotonicMs(); }
    void Sleep(double ms) override { SleepMs(ms); }
    void WaitToward(double deadlineMs) override {
        const double remaining = deadlineMs - MonotonicMs();
        if (remaining <= margin_) return;
        const double request = std::fmin(remaining - margin_, kMaxStepMs);
        const double before = MonotonicMs();
        SleepMs(request);
        const double oversleep = (MonotonicMs() - before) - request;
        if (oversleep > margin_) margin_ = std::fmin(oversleep + 0.1, kMaxMarginMs);
    }

private:
    static constexpr double kMaxStepMs = 4.0;
    static constexpr double kMaxMarginMs = 4.0;
    double margin_ = 0.5;
};

SystemClockImpl g_systemClock;
Clock* g_clock = &g_systemClock;

}  // namespace

Clock& SystemClock() { return g_systemClock; }
void SetClock(Clock* clock) { g_clock = clock != nullptr ? clock : &g_systemClock; }
Clock& CurrentClock() { return *g_clock; }

double NowMs() { return g_clock->Now(); }

double GetTimer() { return NowMs() - g_frameClock.startup; }

double GetFrameTime() {
    const double elapsed = NowMs() - g_frameClock.previousFrame;
    return elapsed > 0 ? elapsed : 1.0;
}
