// Peak resident memory over whole games: the program (start-up, GameMain
// with the game's own assets, the end) runs as a child laid out like the
// shipped game (see program_driver.h), on a virtual clock that jumps to each
// frame deadline, so it plays as fast as the machine draws. The scripted
// player that the soak test uses too (tests/play/scripted_player.h) starts a
// game from the menu, holds fire while lining up under the enemies, then
// flies into trouble until the game is over, and returns to the menu.
// Reports the peak resident set (getrusage ru_maxrss) at the first menu
// frame and on each return to the menu, the heap in use, and the frames
// played:
//   xvfb-run -a -s "-screen 0 640x480x24" build/bench/aerox_bench_game_memory [games, default 1]
#include <malloc.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "frame/clock.h"
#include "frame/presenter.h"
#include "input/input_context.h"
#include "play/scripted_player.h"
#include "program_driver.h"

namespace {

constexpr const char* kChildFlag = "--bench-child";
// A game that has not ended after this much game time ends the run.
constexpr long kMostFrames = 60L * 60 * 60;

// Time that jumps to each deadline instead of waiting for it.
class JumpingClock final : public Clock {
public:
    double Now() override { return now_; }
    void Sleep(double ms) override {
        if (ms > 0) now_ += ms;
    }
    void WaitToward(double deadlineMs) override {
        if (now_ <= deadlineMs) now_ = std::nextafter(deadlineMs, INFINITY);
    }

private:
    double now_ = 1000.0;
};
JumpingClock g_clock;

size_t HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// The shared scripted player, with this benchmark's reports at the menu and
// at the end.
struct MemoryRun {
    play::ScriptedPlayer scripted;
    int gamesWanted = 1;
    double wallStart = 0;
    bool ending = false;

    void Report(const char* name) {
        driver::Figure((std::string(name) + "_peak_resident_kib").c_str(),
                       static_cast<double>(driver::PeakResidentKiB()));
        driver::Figure((std::string(name) + "_heap_kib").c_str(), static_cast<double>(HeapInUse()) / 1024.0);
    }

    void End() {
        ending = true;
        const double frame = static_cast<double>(scripted.frame);
        driver::Figure("frames", frame);
        driver::Figure("game_seconds", frame / 60.0);
        driver::Figure("wall_seconds", (driver::MonotonicMs() - wallStart) / 1000.0);
        driver::Figure("games", scripted.gamesStarted);
        driver::Figure("game_overs", scripted.gameOvers);
        driver::Figure("lives_lost", scripted.livesLost);
        driver::Figure("largest_player_shot_array", static_cast<double>(scripted.largestShotArray));
    }

    // Once per presented frame.
    void Observe() {
        const play::FrameEvents events = scripted.Observe();
        if (scripted.frame == 1) {
            // Focus changes on the display must not pause the game.
            AutoPause = false;
            wallStart = driver::MonotonicMs();
        }
        if (ending) {
            scripted.ChooseKeys(true);
            return;
        }
        if (events.firstMenu) Report("menu");
        if (events.backAtMenu) Report(("game" + std::to_string(scripted.returnsToMenu)).c_str());
        const bool done = scripted.returnsToMenu >= gamesWanted || scripted.frame >= kMostFrames;
        if (done) End();
        scripted.ChooseKeys(done);
    }
};
MemoryRun g_run;

void EachFrame(OpenGLZodadodu&, void*) { g_run.Observe(); }

[[noreturn]] void PlayChild(int games) {
    g_run.gamesWanted = games;
    SetClock(&g_clock);
    SetKeySource(&play::ScriptedPlayer::KeySource, &g_run.scripted);
    SetFrameObserver(&EachFrame, nullptr);
    driver::RunProgram();
}

int MeasureGames(int games) {
    driver::StagedGame staged;
    if (!staged.ok()) return 1;
    const driver::ChildRun run = driver::RunChild(staged, {kChildFlag, std::to_string(games)}, 600);
    auto f = [&](const std::string& name) { return run.figures.count(name) ? run.figures.at(name) : -1.0; };
    if (!run.finished || run.exitCode != 0 || f("frames") < 0) {
        std::fprintf(stderr, "the run failed (exit code %d)\n", run.exitCode);
        return 1;
    }
    std::printf(
        "%.0f game(s) played from the menu to game over and back: %.0f frames (%.1f min of game time) in "
        "%.1f s, %.0f lives lost, at most %.0f player shot records\n",
        f("games"), f("frames"), f("game_seconds") / 60.0, f("wall_seconds"), f("lives_lost"),
        f("largest_player_shot_array"));
    std::printf("  %-26s peak resident %7.1f MiB   heap in use %7.1f MiB\n", "at the first menu frame",
                f("menu_peak_resident_kib") / 1024.0, f("menu_heap_kib") / 1024.0);
    for (int g = 1; g <= games; ++g) {
        const std::string name = "game" + std::to_string(g);
        if (f(name + "_peak_resident_kib") < 0) break;
        std::printf("  %-26s peak resident %7.1f MiB   heap in use %7.1f MiB\n",
                    ("back at the menu, game " + std::to_string(g)).c_str(), f(name + "_peak_resident_kib") / 1024.0,
                    f(name + "_heap_kib") / 1024.0);
    }
    std::printf("  %-26s peak resident %7.1f MiB\n", "whole process (to its end)",
                static_cast<double>(run.peakResidentKiB) / 1024.0);
    const bool complete = f("game_overs") >= games;
    if (!complete) std::fprintf(stderr, "the games did not all reach game over\n");
    return complete ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], kChildFlag) == 0) PlayChild(std::max(1, std::atoi(argv[2])));
    setenv("AEROX_NO_MESSAGE_BOX", "1", 0);
    const int games = argc > 1 ? std::atoi(argv[1]) : 1;
    return MeasureGames(games > 0 ? games : 1);
}
