// The whole program on the real clock, with the game's own assets, run as a
// child process laid out like the shipped game (see program_driver.h).
//
// Start-up: the time from starting the process to the first menu frame
// presented (the buffer swap done), over separate runs:
//   xvfb-run -a -s "-screen 0 640x480x24" build/bench/aerox_bench_startup [runs, default 10]
// Each run also shows where the time goes: to main() (exec and the dynamic
// loader), to the first frame (window, GL context, sound, keyboard), to the
// "Loading..." frame of the game's resource loading, and to the menu.
//
// The menu: the program stays on the main menu for some seconds at 60 frames
// per second, as a person would see it, and reports the CPU time per wall
// second of the program and of the X server, and how far each frame's
// release lies behind its slot of the 1/60 s grid:
//   xvfb-run -a -s "-screen 0 640x480x24" build/bench/aerox_bench_startup --menu [seconds, default 10]
// With "--redraw" after the seconds every frame is drawn and shown, as if
// the menu changed each frame (the engine otherwise leaves a frame equal to
// the one on the screen undrawn):
//   xvfb-run -a -s "-screen 0 640x480x24" build/bench/aerox_bench_startup --menu 10 --redraw
// With "--scale N" after the seconds the window shows the screen N times
// its size (on a display large enough for it):
//   xvfb-run -a -s "-screen 0 1920x1080x24" build/bench/aerox_bench_startup --menu 10 --scale 3
//
// The software renderer's message box is skipped (AEROX_NO_MESSAGE_BOX=1
// unless set otherwise): it waits for a person.
#include <SDL_opengl.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "frame/clock.h"
#include "frame/presenter.h"
#include "game/game_state.h"
#include "gfx/held_frame.h"
#include "input/input_context.h"
#include "program_driver.h"
#include "gfx/engine_context.h"
#include "gfx/window.h"
#include "runtime/startup_settings.h"
#include "runtime/startup_steps.h"

namespace {

constexpr const char* kChildFlag = "--bench-child";

// ---- the child: the program, watched

// The scheduler's turn of the calling thread in milliseconds (Linux's
// se.slice), or -1 where the kernel does not say.
double ThreadTurnMs() {
    std::FILE* file = std::fopen("/proc/thread-self/sched", "r");
    if (file == nullptr) return -1;
    char line[256];
    double ns = -1;
    while (std::fgets(line, sizeof line, file) != nullptr) {
        if (std::strncmp(line, "se.slice", 8) == 0) {
            const char* colon = std::strchr(line, ':');
            if (colon != nullptr) ns = std::atof(colon + 1);
        }
    }
    std::fclose(file);
    return ns < 0 ? -1 : ns / 1.0e6;
}

double ThreadCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1.0e9;
}

// The system clock, watched: the first reading after a frame was handed to
// the buffer swap is the moment the frame was presented; the first reading
// past the frame's deadline is the moment the presenter released it (the
// presenter leaves its wait on exactly that reading).
class WatchedClock final : public Clock {
public:
    double Now() override {
        const double now = SystemClock().Now();
        if (afterSwap_) {
            afterSwap_ = false;
            waitStart_ = now;
            if (recordReleases) {
                waitCpuStart_ = ThreadCpuSeconds();
                if (handOverCpu_ > 0) presentCpuSeconds += waitCpuStart_ - handOverCpu_;
            }
            if (onPresented != nullptr) onPresented(now);
            if (now > deadline_) {
                // Drawing and the swap ran past the slot: a late frame.
                ++lateFrames;
                waiting_ = false;
            }
        } else if (waiting_ && now > deadline_) {
            waiting_ = false;
            if (recordReleases) {
                releaseErrors.push_back(now - deadline_);
                waitingMs += now - waitStart_;
                releaseCpu_ = ThreadCpuSeconds();
                waitingCpuSeconds += releaseCpu_ - waitCpuStart_;
            }
        }
        return now;
    }
    void Sleep(double ms) override { SystemClock().Sleep(ms); }
    void WaitToward(double deadlineMs) override {
        const double start = driver::MonotonicMs();
        SystemClock().WaitToward(deadlineMs);
        if (recordReleases) sleepingMs += driver::MonotonicMs() - start;
    }

    // Called just before a buffer swap for a frame due at deadlineMs.
    void FrameHandedOver(double deadlineMs) {
        if (recordReleases) {
            handOverCpu_ = ThreadCpuSeconds();
            // From the last release to the hand-over: the game's frame and
            // its draw calls (a frame released late has none counted).
            if (releaseCpu_ > 0) drawCpuSeconds += handOverCpu_ - releaseCpu_;
            releaseCpu_ = 0;
        }
        deadline_ = deadlineMs;
        afterSwap_ = true;
        waiting_ = true;
    }

    void (*onPresented)(double at) = nullptr;
    bool recordReleases = false;
    std::vector<double> releaseErrors;
    int lateFrames = 0;
    double waitingMs = 0;          // from the swap to the release, on time frames
    double sleepingMs = 0;         // of that, inside the clock's wait steps
    double waitingCpuSeconds = 0;  // CPU time of the waits
    double drawCpuSeconds = 0;     // from a release to the next hand-over
    double presentCpuSeconds = 0;  // the buffer swap (and llvmpipe's raster)

private:
    double deadline_ = 0;
    double waitStart_ = 0;
    double waitCpuStart_ = 0;
    double handOverCpu_ = 0;
    double releaseCpu_ = 0;
    bool afterSwap_ = false;
    bool waiting_ = false;
};

WatchedClock g_clock;

void HoldEscape(uint8_t keys[256], void*) {
    std::memset(keys, 0, 256);
    keys[1] = 0x80;
}

// The figures of a start-up, in milliseconds on the monotonic clock (the
// engine clock reads that scale too), printed when the program ends.
struct StartupWatch {
    double mainAt = 0;
    double firstFrameAt = 0;    // EngineInit's first (empty) frame
    double loadingFrameAt = 0;  // the frame LoadResources shows before loading
    double menuFrameAt = 0;     // the first frame of the main menu
    int frames = 0;
    bool menuFrame = false;  // the frame handed over is the first menu frame
};
StartupWatch g_startup;

void StartupObserver(OpenGLZodadodu& context, void*) {
    if (++g_startup.frames == 1) {
        std::printf("note renderer: %s, OpenGL %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)),
                    reinterpret_cast<const char*>(glGetString(GL_VERSION)));
    }
    g_clock.FrameHandedOver(context.frameStartTime);
    if (game::gameState == game::STATE_MENU && g_startup.menuFrameAt == 0) {
        g_startup.menuFrame = true;
        // The next poll of the keys ends the program the ordinary way.
        SetKeySource(&HoldEscape, nullptr);
    }
}

void StartupPresented(double at) {
    // Frames 1 and 2 are EngineInit's (empty, then "Loading..."); frame 3
    // is the one LoadResources shows before it loads.
    if (g_startup.frames == 1) g_startup.firstFrameAt = at;
    if (g_startup.frames == 3) g_startup.loadingFrameAt = at;
    if (g_startup.menuFrame) {
        g_startup.menuFrame = false;
        g_startup.menuFrameAt = at;
    }
}

void PrintStartupFigures() {
    // The engine's own marks: "step<NN>_<what ended>" at the time it ended.
    int count = 0;
    const StartupStep* steps = StartupSteps(count);
    for (int i = 0; i < count; ++i) {
        std::string name = "step" + std::to_string(100 + i).substr(1) + "_" + steps[i].name;
        for (char& c : name)
            if (c == ' ' || c == ',') c = '_';
        driver::Figure(name.c_str(), steps[i].atMs);
    }
    driver::Figure("main_at", g_startup.mainAt);
    driver::Figure("first_frame_at", g_startup.firstFrameAt);
    driver::Figure("loading_frame_at", g_startup.loadingFrameAt);
    driver::Figure("menu_frame_at", g_startup.menuFrameAt);
    driver::Figure("frames", g_startup.frames);
}

[[noreturn]] void StartupChild() {
    g_startup.mainAt = driver::MonotonicMs();
    g_clock.onPresented = &StartupPresented;
    SetClock(&g_clock);
    SetFrameObserver(&StartupObserver, nullptr, false);
    std::atexit(&PrintStartupFigures);
    driver::RunProgram();
}

// The menu: settles for a second, then measures for the given seconds.
struct MenuWatch {
    double seconds = 10;
    int menuFrames = 0;
    double wallStart = 0, cpuStart = 0, threadCpuStart = 0, xStart = 0;
    double lastDeadline = 0;
    int lostFrames = 0;   // slots of the grid that got no frame
    bool redraw = false;  // every frame drawn, whether it changed or not
    bool done = false;
};
MenuWatch g_menu;

void MenuObserver(OpenGLZodadodu& context, void*) {
    if (g_menu.redraw) ForgetShownFrame();
    g_clock.FrameHandedOver(context.frameStartTime);
    if (game::gameState != game::STATE_MENU || g_menu.done) return;
    ++g_menu.menuFrames;
    if (g_menu.menuFrames == 60) {
        g_clock.recordReleases = true;
        g_clock.lateFrames = 0;
        g_menu.wallStart = driver::MonotonicMs();
        g_menu.cpuStart = driver::OwnCpuSeconds();
        g_menu.threadCpuStart = ThreadCpuSeconds();
        g_menu.xStart = driver::XServerCpuSeconds();
        return;
    }
    if (g_menu.menuFrames < 60) return;
    // The presenter skips the slots that passed while the program was held
    // up: each one is a frame lost.
    const double slots = (context.frameStartTime - g_menu.lastDeadline) / context.framePeriod;
    if (g_menu.lastDeadline > 0 && slots > 1.5) g_menu.lostFrames += static_cast<int>(std::lround(slots)) - 1;
    g_menu.lastDeadline = context.frameStartTime;
    const double wall = (driver::MonotonicMs() - g_menu.wallStart) / 1000.0;
    if (wall < g_menu.seconds) return;
    g_menu.done = true;
    g_clock.recordReleases = false;
    const double cpu = driver::OwnCpuSeconds() - g_menu.cpuStart;
    const double threadCpu = ThreadCpuSeconds() - g_menu.threadCpuStart;
    const double xNow = driver::XServerCpuSeconds();
    std::vector<double>& errors = g_clock.releaseErrors;
    driver::Figure("seconds", wall);
    driver::Figure("window_scale", ShownWindowScale(context));
    driver::Figure("frames", static_cast<double>(errors.size() + static_cast<size_t>(g_clock.lateFrames)));
    driver::Figure("late_frames", g_clock.lateFrames);
    driver::Figure("lost_frames", g_menu.lostFrames);
    driver::Figure("release_median_ms", driver::Percentile(errors, 0.5));
    driver::Figure("release_p99_ms", driver::Percentile(errors, 0.99));
    driver::Figure("release_max_ms", errors.empty() ? 0.0 : *std::max_element(errors.begin(), errors.end()));
    driver::Figure("cpu_percent", 100.0 * cpu / wall);
    driver::Figure("main_thread_cpu_percent", 100.0 * threadCpu / wall);
    // The presenter spins the part of its wait it does not sleep.
    driver::Figure("spin_percent", 100.0 * (g_clock.waitingMs - g_clock.sleepingMs) / 1000.0 / wall);
    driver::Figure("wait_cpu_percent", 100.0 * g_clock.waitingCpuSeconds / wall);
    driver::Figure("draw_cpu_percent", 100.0 * g_clock.drawCpuSeconds / wall);
    driver::Figure("present_cpu_percent", 100.0 * g_clock.presentCpuSeconds / wall);
    if (g_menu.xStart >= 0 && xNow >= 0) driver::Figure("xserver_cpu_percent", 100.0 * (xNow - g_menu.xStart) / wall);
    driver::Figure("turn_ms", ThreadTurnMs());
    SetKeySource(&HoldEscape, nullptr);
}

[[noreturn]] void MenuChild(double seconds, int scale, bool redraw) {
    g_menu.redraw = redraw;
    g_menu.seconds = seconds;
    g_settings.windowScale = scale;
    SetClock(&g_clock);
    SetFrameObserver(&MenuObserver, nullptr, false);
    driver::RunProgram();
}

// ---- the parent

int MeasureStartup(int runs) {
    driver::StagedGame game;
    if (!game.ok()) return 1;
    std::vector<std::string> notes;
    std::vector<double> totals, toMain, toWindow, toLoading, loading, cpu, rss;
    std::vector<std::pair<std::string, std::vector<double>>> stepDurations;
    std::printf("start-up to the first menu frame, %d runs (ms from spawning the process):\n", runs);
    std::printf("  run    main  1st frame  loading frame  menu frame   (resources)   CPU ms  peak RSS MiB\n");
    for (int i = 0; i < runs; ++i) {
        const driver::ChildRun run = driver::RunChild(game, {kChildFlag, "startup"}, 30);
        auto at = [&](const char* name) {
            auto it = run.figures.find(name);
            return it == run.figures.end() || it->second <= 0 ? -1.0 : it->second - run.spawnMs;
        };
        const double menu = at("menu_frame_at");
        if (!run.finished || run.exitCode != 0 || menu < 0) {
            std::fprintf(stderr, "run %d failed (exit code %d)\n", i + 1, run.exitCode);
            return 1;
        }
        const double loadingAt = at("loading_frame_at");
        std::printf("  %3d %7.1f %10.1f %14.1f %11.1f %13.1f %8.0f %13.1f\n", i + 1, at("main_at"),
                    at("first_frame_at"), loadingAt, menu, menu - loadingAt, run.cpuSeconds * 1000.0,
                    static_cast<double>(run.peakResidentKiB) / 1024.0);
        if (i == 0) notes = run.notes;
        double previous = at("main_at");
        for (const auto& [name, value] : run.figures) {
            if (name.rfind("step", 0) != 0 || value <= 0) continue;
            const double stepAt = value - run.spawnMs;
            const std::string what = name.substr(7);
            auto it = std::find_if(stepDurations.begin(), stepDurations.end(),
                                   [&](const auto& step) { return step.first == what; });
            if (it == stepDurations.end()) it = stepDurations.insert(stepDurations.end(), {what, {}});
            it->second.push_back(stepAt - previous);
            previous = stepAt;
        }
        totals.push_back(menu);
        toMain.push_back(at("main_at"));
        toWindow.push_back(at("first_frame_at"));
        toLoading.push_back(loadingAt);
        loading.push_back(menu - loadingAt);
        cpu.push_back(run.cpuSeconds * 1000.0);
        rss.push_back(static_cast<double>(run.peakResidentKiB) / 1024.0);
    }
    auto line = [](const char* name, const std::vector<double>& v, const char* unit) {
        std::printf("  %-34s median %8.1f %s   max %8.1f %s\n", name, driver::Percentile(v, 0.5), unit,
                    *std::max_element(v.begin(), v.end()), unit);
    };
    std::printf("summary:\n");
    for (const std::string& note : notes) std::printf("  %s\n", note.c_str());
    line("process start to first menu frame", totals, "ms");
    line("  to main()", toMain, "ms");
    line("  to the first frame (window up)", toWindow, "ms");
    line("  to LoadResources' frame", toLoading, "ms");
    line("  loading the resources to the menu", loading, "ms");
    std::printf("  the steps of start-up (from the end of the step before):\n");
    for (const auto& [name, durations] : stepDurations) line(("    " + name).c_str(), durations, "ms");
    line("CPU time of the whole run", cpu, "ms");
    line("peak resident memory", rss, "MiB");
    return 0;
}

int MeasureMenu(double seconds, int scale, bool redraw) {
    driver::StagedGame game;
    if (!game.ok()) return 1;
    const driver::ChildRun run = driver::RunChild(
        game, {kChildFlag, "menu", std::to_string(seconds), std::to_string(scale), redraw ? "1" : "0"}, seconds + 30);
    if (!run.finished || run.exitCode != 0 || run.figures.count("cpu_percent") == 0) {
        std::fprintf(stderr, "the menu run failed (exit code %d)\n", run.exitCode);
        return 1;
    }
    auto f = [&](const char* name) { return run.figures.count(name) ? run.figures.at(name) : -1.0; };
    std::printf("the main menu at 60 frames per second, %.1f s measured after 1 s on the menu, window scale %.0f%s:\n",
                f("seconds"), f("window_scale"), redraw ? ", every frame drawn" : "");
    std::printf("  frames %.0f (late %.0f, lost %.0f)  release error ms: median %.4f  p99 %.4f  max %.4f\n",
                f("frames"), f("late_frames"), f("lost_frames"), f("release_median_ms"), f("release_p99_ms"),
                f("release_max_ms"));
    std::printf(
        "  CPU of the program %.1f%% of a core (its main thread %.1f%%, of which %.1f%% waiting for the "
        "deadlines, spinning %.1f%% of the time; other threads %.1f%%)",
        f("cpu_percent"), f("main_thread_cpu_percent"), f("wait_cpu_percent"), f("spin_percent"),
        std::max(0.0, f("cpu_percent") - f("main_thread_cpu_percent")));
    if (f("xserver_cpu_percent") >= 0) std::printf("; the X server %.1f%%", f("xserver_cpu_percent"));
    std::printf(
        "\n  of the main thread: the frame's drawing %.1f%%, the present (swap, raster, scaling) %.1f%%, "
        "the wait %.1f%%\n",
        f("draw_cpu_percent"), f("present_cpu_percent"), f("wait_cpu_percent"));
    if (f("turn_ms") > 0) std::printf("  the main thread's turn on a core: %.2f ms\n", f("turn_ms"));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], kChildFlag) == 0) {
        if (std::strcmp(argv[2], "startup") == 0) StartupChild();
        if (std::strcmp(argv[2], "menu") == 0)
            MenuChild(argc > 3 ? std::atof(argv[3]) : 10.0, argc > 4 ? std::atoi(argv[4]) : 0,
                      argc > 5 && std::strcmp(argv[5], "1") == 0);
        return 2;
    }
    setenv("AEROX_NO_MESSAGE_BOX", "1", 0);
    if (argc >= 2 && std::strcmp(argv[1], "--menu") == 0) {
        const double seconds = argc > 2 ? std::atof(argv[2]) : 10.0;
        int scale = 0;
        bool redraw = false;
        for (int i = 3; i < argc; ++i) {
            if (std::strcmp(argv[i], "--redraw") == 0) redraw = true;
            if (std::strcmp(argv[i], "--scale") == 0 && i + 1 < argc) scale = std::atoi(argv[++i]);
        }
        return MeasureMenu(seconds > 1 ? seconds : 10.0, scale, redraw);
    }
    const int runs = argc > 1 ? std::atoi(argv[1]) : 10;
    return MeasureStartup(runs > 0 ? runs : 10);
}
