#include "runtime/startup_steps.h"

#include "runtime/clock.h"

namespace {
StartupStep g_steps[kMaxStartupSteps] = {};
int g_stepCount = 0;
}  // namespace

void MarkStartupStep(const char* name) {
    if (g_stepCount < kMaxStartupSteps) g_steps[g_stepCount++] = {name, NowMs()};
}

const StartupStep* StartupSteps(int& count) {
    count = g_stepCount;
    return g_steps;
}

void ClearStartupSteps() { g_stepCount = 0; }
