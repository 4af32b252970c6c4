// When each step of start-up ended, on the engine clock (milliseconds):
// kept for the start-up benchmark, which prints where the time went. No
// setting or environment turns anything on; the marks cost a clock reading.
#pragma once

struct StartupStep {
    const char* name;  // a literal: what ended at this mark
    double atMs;       // NowMs() then
};

// Notes that the step named `name` has just ended (beyond kMaxStartupSteps
// marks, nothing is noted).
void MarkStartupStep(const char* name);
// The marks of the last start-up, in order; count receives how many.
const StartupStep* StartupSteps(int& count);
// Forgets the marks (start-up begins anew).
void ClearStartupSteps();

constexpr int kMaxStartupSteps = 24;
