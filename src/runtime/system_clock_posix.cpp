// The system clock on POSIX: CLOCK_MONOTONIC, absolute-deadline sleeps and
// a fine timer slack.
#include <sched.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <time.h>  // NOLINT(modernize-deprecated-headers): clock_nanosleep is POSIX, declared here

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <unistd.h>

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

// Asks the scheduler for short turns on the calling thread (Linux 6.12 and
// later). The frame thread sleeps nearly all the time and then needs the
// core for a few microseconds at its deadline; with a turn shorter than the
// running thread's, its wake-up takes the core at once instead of waiting
// behind another program's drawing threads. It costs no privilege and no
// share of the core: only the length of each turn changes, never the
// nice value (read back and passed through unchanged). Under a compiler
// keeping both cores busy it cut the 99th percentile of late wake-ups of
// a 60 Hz sleep from about 3.8 ms to 0.3-1.9 ms. Older kernels refuse the
// size or ignore it; either way nothing else changes.
void AskForShortTurns() {
    struct SchedAttr {  // the kernel's sched_attr, first published size
        std::uint32_t size;
        std::uint32_t policy;
        std::uint64_t flags;
        std::int32_t nice;
        std::uint32_t priority;
        std::uint64_t runtime;
        std::uint64_t deadline;
        std::uint64_t period;
    };
    static_assert(sizeof(SchedAttr) == 48);
    // The shortest turn the kernel takes (it accepts 0.1 to 100 ms).
    constexpr std::uint64_t kTurnNs = 100'000;
    // Programs the thread starts get the usual turns.
    constexpr std::uint64_t kResetOnFork = 1;
    // A thread made batch or idle by its user is left as chosen.
    if (sched_getscheduler(0) != SCHED_OTHER) return;
    errno = 0;
    const int nice = getpriority(PRIO_PROCESS, 0);
    if (errno != 0) return;
    SchedAttr attr{};
    attr.size = sizeof attr;
    attr.policy = SCHED_OTHER;  // the class it has
    attr.nice = nice;
    attr.flags = kResetOnFork;
    attr.runtime = kTurnNs;
    syscall(SYS_sched_setattr, 0, &attr, 0U);
}

void SleepMs(double ms) {
    if (!(ms > 0) || !std::isfinite(ms)) return;
    SleepUntilMs(MonotonicMs() + ms);
}

// Waiting for a frame deadline without spinning a whole core: sleep until
// the deadline is near, then sleep in short steps until it is within a
// safety margin, and spin the margin here, on the clock alone, releasing
// the frame as exactly as a busy wait would (the caller's round of window
// events between spins cost tens of microseconds each, and a release waited
// behind them). One sleep covers most of a frame at 60 per second (each
// wake-up costs the caller a round of window events); longer waits wake now
// and then so that the window stays answered.
//
// Why the short steps: a core that slept a whole frame wakes slowly now
// and then, a millisecond or more late (a deep idle state; in a virtual
// machine, the host's scheduler giving the core back), and no margin a game
// can afford to spin covers that. After a short sleep it wakes within
// microseconds. So the wake-up that can be slow comes 2 ms before the
// deadline, where it costs nothing, and the last steps stay light; about
// twenty short steps a frame cost a fraction of a percent of a core. On a
// two-core virtual machine, in seven pairs of alternating 10 s runs of the
// menu, the 99th percentile of the release error went from a median of
// 0.49 ms (0.33 to 1.03) to 0.10 ms (0.02 to 1.13), for 0.7 percent of a
// core more. Wake-ups late by milliseconds still come in bursts there.
//
// The margin follows the short steps' wake-ups: it covers every recent late
// one (the latest of the last 64, plus a little), so that a quiet machine
// spins a few hundredths of a millisecond a frame. A wake-up later than the
// cap is left out: no margin within the cap would have saved it (the frame
// goes out that much late, as a busy wait pushed off the core would), and
// counting it would keep a loaded machine spinning the whole cap every
// frame for nothing.
class SystemClockImpl final : public Clock {
public:
    double Now() override { return MonotonicMs(); }
    void Sleep(double ms) override { SleepMs(ms); }
    void WaitToward(double deadlineMs) override {
        if (!slackSet_) {
            // Wake-ups within microseconds of the request rather than the
            // default 50 us slack: the margin can then stay small.
            prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
            AskForShortTurns();
            slackSet_ = true;
        }
        const double now = MonotonicMs();
        const double remaining = deadlineMs - now;
        if (remaining > kNearMs) {
            // Back to the caller at kNearMs before the deadline, for a round
            // of window events; its next call takes the short steps.
            SleepUntilMs(now + std::fmin(remaining - kNearMs, kMaxStepMs));
            return;
        }
        for (;;) {
            const double before = MonotonicMs();
            const double left = deadlineMs - before;
            if (left <= margin_) break;
            const double wakeAt = before + std::fmin(left - margin_, kShortStepMs);
            SleepUntilMs(wakeAt);
            NoteOversleep(MonotonicMs() - wakeAt);
        }
        while (MonotonicMs() <= deadlineMs) {
        }
    }

private:
    static constexpr double kMaxStepMs = 20.0;    // longest single sleep
    static constexpr double kNearMs = 2.0;        // from here on, short steps
    static constexpr double kShortStepMs = 0.1;   // one short step
    static constexpr double kMinMarginMs = 0.05;  // always spin at least this long
    static constexpr double kMaxMarginMs = 0.5;   // never spin longer than this
    static constexpr double kHeadroomMs = 0.02;   // margin above the late wake-ups
    static constexpr int kSeen = 64;              // wake-ups remembered (a few frames' steps)

    void NoteOversleep(double oversleep) {
        if (!(oversleep < kMaxMarginMs)) return;
        seen_[next_] = std::fmax(oversleep, 0.0);
        next_ = (next_ + 1) % kSeen;
        count_ = std::min(count_ + 1, kSeen);
        const double latest = *std::max_element(seen_, seen_ + count_);
        margin_ = std::clamp(latest + kHeadroomMs, kMinMarginMs, kMaxMarginMs);
    }

    double seen_[kSeen] = {};
    int next_ = 0;
    int count_ = 0;
    double margin_ = kMaxMarginMs;  // until wake-ups were seen
    bool slackSet_ = false;
};

}  // namespace

Clock& SystemClock() {
    static SystemClockImpl clock;
    return clock;
}
