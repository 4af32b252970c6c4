// The system clock on Windows: QueryPerformanceCounter, and sleeps on a
// high-resolution waitable timer where the system offers one, else on a
// 1 ms scheduler period with Sleep.
#include <windows.h>
// After windows.h (SDL's headers make it lean, without the multimedia timer).
#include <timeapi.h>

#include <cmath>

#include "runtime/clock.h"

namespace {

// Older SDKs do not name the flag; systems older than Windows 10 1803 refuse
// it, and the clock then falls back on Sleep.
constexpr DWORD kHighResolutionTimer = 0x00000002;

double CounterMs() {
    static const double msPerTick = [] {
        LARGE_INTEGER frequency{};
        QueryPerformanceFrequency(&frequency);
        return 1000.0 / static_cast<double>(frequency.QuadPart);
    }();
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * msPerTick;
}

// Waiting for a frame deadline as on the other platforms: sleep in short
// steps until the deadline is within a margin that follows the oversleeps
// seen, then return at once so the caller spins the rest. Windows' sleeps
// wake later than POSIX ones (a scheduler tick even with a 1 ms period), so
// the margin may grow further before spinning takes over.
class SystemClockImpl final : public Clock {
public:
    ~SystemClockImpl() override {
        if (timer_ != nullptr) CloseHandle(timer_);
        if (periodSet_) timeEndPeriod(1);
    }
    double Now() override { return CounterMs(); }
    void Sleep(double ms) override {
        if (!(ms > 0) || !std::isfinite(ms)) return;
        SleepFor(ms);
    }
    void WaitToward(double deadlineMs) override {
        const double now = CounterMs();
        const double remaining = deadlineMs - now;
        if (remaining <= margin_) return;
        const double step = std::fmin(remaining - margin_, kMaxStepMs);
        SleepFor(step);
        const double oversleep = CounterMs() - (now + step);
        if (oversleep + kHeadroomMs > margin_)
            margin_ = std::fmin(oversleep + kHeadroomMs, kMaxMarginMs);
        else
            margin_ = std::fmax(kMinMarginMs, margin_ * kShrink);
    }

private:
    void Prepare() {
        if (prepared_) return;
        prepared_ = true;
        timer_ = CreateWaitableTimerExW(nullptr, nullptr, kHighResolutionTimer, TIMER_ALL_ACCESS);
        if (timer_ == nullptr) periodSet_ = timeBeginPeriod(1) == TIMERR_NOERROR;
    }
    void SleepFor(double ms) {
        Prepare();
        if (timer_ != nullptr) {
            // Relative due time, in 100 ns units, negative.
            LARGE_INTEGER due{};
            due.QuadPart = -static_cast<LONGLONG>(std::fmin(ms, 86400000.0) * 10000.0);
            if (SetWaitableTimer(timer_, &due, 0, nullptr, nullptr, FALSE) != 0 &&
                WaitForSingleObject(timer_, INFINITE) == WAIT_OBJECT_0)
                return;
        }
        // Sleep takes whole milliseconds: less than one is left to the spin.
        const double whole = std::floor(std::fmin(ms, 86400000.0));
        if (whole >= 1) ::Sleep(static_cast<DWORD>(whole));
    }

    static constexpr double kMaxStepMs = 4.0;     // longest single sleep
    static constexpr double kMinMarginMs = 0.15;  // always spin at least this long
    static constexpr double kMaxMarginMs = 2.0;   // never spin longer than this
    static constexpr double kHeadroomMs = 0.05;   // margin above an oversleep seen
    static constexpr double kShrink = 0.98;       // per sleep step
    double margin_ = 1.0;
    bool prepared_ = false;
    bool periodSet_ = false;
    HANDLE timer_ = nullptr;
};

}  // namespace

Clock& SystemClock() {
    static SystemClockImpl clock;
    return clock;
}
