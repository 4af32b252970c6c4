// Frame pacing of the real presenter: a window under the X server, 50
// quads a frame, FramePresent at 60 frames per second for a few seconds per
// mode. Reports how far each release lies behind its slot of the 1/60 s
// grid (median, 99th percentile, maximum) and the process's CPU time per
// wall-clock second.
//
//   xvfb-run -a build/bench/aerox_bench_pacing [seconds per mode, default 3]
//
// Modes: "busy wait" spins on the clock up to each deadline (the clock's
// wait step returns at once); "sleep+spin" is the engine's own clock, which
// sleeps until shortly before the deadline and spins the rest; "sleep only"
// (for comparison) never spins.
#include <SDL.h>
#include <SDL_opengl.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "frame/clock.h"
#include "frame_load.h"
#include "frame/presenter.h"
#include "gfx/window.h"
#include "gfx/engine_context.h"

namespace {

class BusyWaitClock final : public Clock {
public:
    double Now() override { return SystemClock().Now(); }
    void Sleep(double ms) override { SystemClock().Sleep(ms); }
    void WaitToward(double) override {}
};

// For comparison only: sleeps all the way to each deadline, never spins.
class SleepOnlyClock final : public Clock {
public:
    double Now() override { return SystemClock().Now(); }
    void Sleep(double ms) override { SystemClock().Sleep(ms); }
    void WaitToward(double deadlineMs) override {
        const double remaining = deadlineMs - Now();
        if (remaining > 0) Sleep(std::min(remaining, 4.0));
    }
};

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1.0e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

bool RunMode(const char* name, Clock* clock, double seconds) {
    SetClock(clock);
    auto context = std::make_unique<OpenGLZodadodu>();
    if (!CreateGameWindow(*context, 320, 240, 0, 60, 0)) {
        std::fprintf(stderr, "cannot create the window: %s\n", SDL_GetError());
        return false;
    }
    for (int i = 0; i < 30; ++i) FramePresent(*context);  // settle

    std::vector<double> errors;
    int skipped = 0;
    const double wallStart = NowMs();
    const double cpuStart = CpuSeconds();
    while (NowMs() - wallStart < seconds * 1000.0) {
        DrawQuads(50);
        const double slot = context->frameStartTime;
        const double period = context->framePeriod;
        const double waited = FramePresent(*context) - 1.0;
        const double release = NowMs();
        // A frame whose drawing and swap ran past its slot is late, not
        // badly paced: count it apart.
        if (release - waited > slot || release - slot >= period)
            ++skipped;
        else
            errors.push_back(release - slot);
    }
    const double wall = (NowMs() - wallStart) / 1000.0;
    const double cpu = CpuSeconds() - cpuStart;
    std::printf("%-11s frames %4zu  release error ms: median %.4f  p99 %.4f  max %.4f  late %d  CPU %.1f%% of a core\n",
                name, errors.size(), Percentile(errors, 0.5), Percentile(errors, 0.99),
                errors.empty() ? 0.0 : *std::max_element(errors.begin(), errors.end()), skipped, 100.0 * cpu / wall);
    context.reset();
    SetClock(nullptr);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::max(0.5, std::atof(argv[1])) : 3.0;
    setenv("AEROX_NO_MESSAGE_BOX", "1", 0);
    SDL_SetMainReady();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "SDL video: %s\n", SDL_GetError());
        return 1;
    }
    BusyWaitClock busy;
    SleepOnlyClock sleepOnly;
    const bool ok = RunMode("busy wait", &busy, seconds) && RunMode("sleep+spin", &SystemClock(), seconds) &&
                    RunMode("sleep only", &sleepOnly, seconds);
    SDL_Quit();
    return ok ? 0 : 1;
}
