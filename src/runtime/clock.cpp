#include "runtime/clock.h"

namespace {
Clock* g_clock = nullptr;  // nullptr: the system clock
}  // namespace

void SetClock(Clock* clock) { g_clock = clock; }
Clock& CurrentClock() { return g_clock != nullptr ? *g_clock : SystemClock(); }

double NowMs() { return CurrentClock().Now(); }
