// The system clock on POSIX: CLOCK_MONOTONIC, absolute-deadline sleeps and
// a fine timer slack.
#include <sys/prctl.h>
#include <time.h>  // NOLINT(modernize-deprecated-headers): clock_nanosleep is POSIX, declared here

#include <algorithm>
#include <cerrno>
#include <cmath>

#include "runtime/clock.h"

namespace {

double MonotonicMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1.0e6;
}

// Sleeps until the monotonic clock reads untilMs (or has passed it).
void SleepUntilMs(double untilMs) {
    if (!(untilMs > 0) || !std::isfinite(untilMs)) return;
    timespec ts{};
    const double seconds = std::floor(untilMs / 1000.0);
    ts.tv_sec = static_cast<time_t>(seconds);
    ts.tv_nsec = std::clamp(static_cast<long>((untilMs - seconds * 1000.0) * 1.0e6), 0L, 999999999L);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
}

void SleepMs(double ms) {
    if (!(ms > 0) || !std::isfinite(ms)) return;
    SleepUntilMs(MonotonicMs() + ms);
}

// Waiting for a frame deadline without spinning a whole core: sleep in
// short steps (so the caller keeps dispatching window events) until the
// deadline is within a safety margin, then return at once each time so that
// the caller spins the rest and releases the frame as exactly as a busy
// wait would. The margin follows the oversleeps seen: it jumps up to just
// above any wake-up that came later than asked, and otherwise shrinks back
// quickly towards its floor, so one scheduling hiccup on a loaded machine
// does not leave the process spinning for milliseconds every frame. The
// margin is capped at half a millisecond: a wake-up later than that releases
// its frame late, as a busy wait that the scheduler pushed off the core
// would.
class SystemClockImpl final : public Clock {
public:
    double Now() override { return MonotonicMs(); }
    void Sleep(double ms) override { SleepMs(ms); }
    void WaitToward(double deadlineMs) override {
        if (!slackSet_) {
            // Wake-ups within microseconds of the request rather than the
            // default 50 us slack: the margin can then stay small.
            prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
            slackSet_ = true;
        }
        const double now = MonotonicMs();
        const double remaining = deadlineMs - now;
        if (remaining <= margin_) return;
        const double wakeAt = now + std::fmin(remaining - margin_, kMaxStepMs);
        SleepUntilMs(wakeAt);
        const double oversleep = MonotonicMs() - wakeAt;
        if (oversleep + kHeadroomMs > margin_)
            margin_ = std::fmin(oversleep + kHeadroomMs, kMaxMarginMs);
        else
            margin_ = std::fmax(kMinMarginMs, margin_ * kShrink);
    }

private:
    static constexpr double kMaxStepMs = 4.0;     // longest single sleep
    static constexpr double kMinMarginMs = 0.15;  // always spin at least this long
    static constexpr double kMaxMarginMs = 0.5;   // never spin longer than this
    static constexpr double kHeadroomMs = 0.05;   // margin above an oversleep seen
    static constexpr double kShrink = 0.98;       // per sleep step (about 240 a second)
    double margin_ = 0.5;
    bool slackSet_ = false;
};

}  // namespace

Clock& SystemClock() {
    static SystemClockImpl clock;
    return clock;
}
