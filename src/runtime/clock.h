// The engine's time: one monotonic millisecond clock behind a seam. The
// system clock is the platform's (one file per platform); tests install a
// virtual clock that jumps instead of waiting.
#pragma once

// Where the engine reads the time and how it waits. The program uses the
// system clock; tests install a virtual clock that jumps instead of waiting.
class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds on a monotonic scale; only differences mean anything.
    virtual double Now() = 0;
    // Sleep for about ms milliseconds (the pause loop).
    virtual void Sleep(double ms) = 0;
    // One step of waiting for a frame deadline. May return before the
    // deadline (the caller dispatches events and checks Now() again); once
    // the deadline is close it either spins to it or returns at once so the
    // caller spins.
    virtual void WaitToward(double deadlineMs) = 0;
};

// The monotonic high-resolution system clock.
Clock& SystemClock();
// Installs a clock for the whole engine; nullptr goes back to the system clock.
void SetClock(Clock* clock);
Clock& CurrentClock();

// The current time in milliseconds from the current clock.
double NowMs();
