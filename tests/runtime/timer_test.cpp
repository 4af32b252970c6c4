#include <gtest/gtest.h>

#include <chrono>

#include "aerox/aerox.h"
#include "frame/clock.h"
#include "testkit/testkit.h"

TEST(Timers, GetTimerCountsFromTheStartupStamp) {
    testkit::VirtualClock clock(5000.0);
    g_frameClock.startup = NowMs();
    EXPECT_EQ(GetTimer(), 0.0);
    clock.Advance(1000.0);
    EXPECT_EQ(GetTimer(), 1000.0);
    clock.Advance(0.25);
    EXPECT_EQ(GetTimer(), 1000.25);  // fractions are kept
    clock.Sleep(100);
    EXPECT_EQ(GetTimer(), 1100.25);
}

TEST(Timers, GetFrameTimeIsPositive) {
    testkit::VirtualClock clock(2000.0);
    g_frameClock.startup = g_frameClock.previousFrame = NowMs();
    EXPECT_EQ(GetFrameTime(), 1.0);  // no time passed
    clock.Advance(16.5);
    EXPECT_EQ(GetFrameTime(), 16.5);
    clock.Advance(0.25);
    EXPECT_EQ(GetFrameTime(), 16.75);
    g_frameClock.previousFrame = NowMs() + 50;  // a stamp in the future
    EXPECT_EQ(GetFrameTime(), 1.0);
    g_frameClock.previousFrame = NowMs() - 0.5;
    EXPECT_EQ(GetFrameTime(), 0.5);
}

TEST(Timers, SystemClockIsMonotonicMilliseconds) {
    SetClock(nullptr);
    EXPECT_EQ(&CurrentClock(), &SystemClock());
    const auto steadyStart = std::chrono::steady_clock::now();
    const double start = NowMs();
    double last = start;
    for (int i = 0; i < 1000; ++i) {
        const double now = NowMs();
        ASSERT_GE(now, last);
        last = now;
    }
    SystemClock().Sleep(20);
    const double elapsed = NowMs() - start;
    const double steady =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - steadyStart).count();
    EXPECT_GE(elapsed, 20.0);
    EXPECT_LE(elapsed, steady + 1.0);
    // The virtual clock replaces it while alive.
    {
        testkit::VirtualClock clock(7.0);
        EXPECT_EQ(NowMs(), 7.0);
    }
    EXPECT_GE(NowMs(), last);
}
