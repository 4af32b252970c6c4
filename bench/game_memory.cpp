// Peak resident memory over whole games: the program (start-up, GameMain
// with the game's own assets, the end) runs as a child laid out like the
// shipped game (see program_driver.h), on a virtual clock that jumps to each
// frame deadline, so it plays as fast as the machine draws. A scripted
// player starts a game from the menu, holds fire while sweeping the sea,
// then flies into trouble until the game is over, and returns to the menu.
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
#include "game/game_state.h"
#include "input/input_context.h"
#include "program_driver.h"

namespace {

using namespace game;

constexpr const char* kChildFlag = "--bench-child";
constexpr int kLeft = 203, kRight = 205, kUp = 200, kDown = 208, kReturn = 28, kCtrl = 29, kEscape = 1;
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

struct ScriptedPlayer {
    int gamesWanted = 1;
    long frame = 0;
    bool keys[256] = {};
    int gamesStarted = 0, gameOvers = 0, livesLost = 0, gamesBackAtMenu = 0;
    double previousState = 0, previousPlayerState = 0;
    size_t largestShotArray = 0;
    double wallStart = 0;
    bool ending = false;

    void Hold(int code) { keys[code] = true; }

    // Flies at the nearest enemy or enemy shot so that lives are lost even
    // after the last wave.
    void SeekTrouble() {
        double targetX = -1, targetY = -1, best = 1e18;
        auto consider = [&](double x, double y) {
            const double d = (x - player.x) * (x - player.x) + (y - player.y) * (y - player.y);
            if (d < best) best = d, targetX = x, targetY = y;
        };
        for (int i = 0; i < Bounds(enemies, 0); ++i)
            if (enemies(i).active != 0) consider(enemies(i).x + 16, enemies(i).y + 16);
        for (int i = 0; i < Bounds(enemyShots, 0); ++i)
            if (enemyShots(i).active != 0 && enemyShots(i).y > 0 && enemyShots(i).y < 240)
                consider(enemyShots(i).x + 16, enemyShots(i).y + 16);
        if (targetX < 0) {
            Hold(kDown);
            return;
        }
        if (targetX < player.x - 2) Hold(kLeft);
        if (targetX > player.x + 2) Hold(kRight);
        if (targetY < player.y - 2) Hold(kUp);
        if (targetY > player.y + 2) Hold(kDown);
    }

    void Report(const char* name) {
        driver::Figure((std::string(name) + "_peak_resident_kib").c_str(),
                       static_cast<double>(driver::PeakResidentKiB()));
        driver::Figure((std::string(name) + "_heap_kib").c_str(), static_cast<double>(HeapInUse()) / 1024.0);
    }

    void End() {
        ending = true;
        driver::Figure("frames", static_cast<double>(frame));
        driver::Figure("game_seconds", static_cast<double>(frame) / 60.0);
        driver::Figure("wall_seconds", (driver::MonotonicMs() - wallStart) / 1000.0);
        driver::Figure("games", gamesStarted);
        driver::Figure("game_overs", gameOvers);
        driver::Figure("lives_lost", livesLost);
        driver::Figure("largest_player_shot_array", static_cast<double>(largestShotArray));
    }

    // Once per presented frame: looks at the game and chooses the keys of
    // the next frame.
    void Observe() {
        ++frame;
        if (frame == 1) {
            // Focus changes on the display must not pause the game.
            AutoPause = false;
            wallStart = driver::MonotonicMs();
        }
        std::fill(std::begin(keys), std::end(keys), false);
        if (ending) {
            Hold(kEscape);
            return;
        }
        if (gameState == STATE_MENU && previousState != STATE_MENU) {
            if (previousState == 0) {
                Report("menu");
            } else {
                ++gamesBackAtMenu;
                Report(("game" + std::to_string(gamesBackAtMenu)).c_str());
            }
        }
        if (gameState == STATE_PLAYING && previousState != STATE_PLAYING) ++gamesStarted;
        if (gameState == STATE_GAME_OVER && previousState != STATE_GAME_OVER) ++gameOvers;
        if (gameState == STATE_PLAYING && player.state == PLAYER_EXPLODING && previousPlayerState != PLAYER_EXPLODING)
            ++livesLost;
        largestShotArray = std::max<size_t>(largestShotArray, static_cast<size_t>(Bounds(playerShots, 0)));
        previousState = gameState;
        previousPlayerState = player.state;

        if (gamesBackAtMenu >= gamesWanted || frame >= kMostFrames) {
            End();
            Hold(kEscape);
        } else if (gameState == STATE_MENU) {
            Hold(menuIndex != 0 ? kUp : kReturn);
        } else if (gameState == STATE_GAME_OVER) {
            Hold(kReturn);
        } else if (gameState == STATE_PLAYING) {
            Hold(kCtrl);
            const long lifeFrame = static_cast<long>(frameCount) % 1800;
            if (lifeFrame < 900) {
                Hold((lifeFrame / 120) % 2 == 0 ? kLeft : kRight);
                if ((lifeFrame / 300) % 2 == 1) Hold(kUp);
            } else {
                SeekTrouble();
            }
        }
    }
};
ScriptedPlayer g_player;

void ScriptedKeys(uint8_t keys[256], void*) {
    for (int i = 0; i < 256; ++i) keys[i] = g_player.keys[i] ? 0x80 : 0;
}

void EachFrame(OpenGLZodadodu&, void*) { g_player.Observe(); }

[[noreturn]] void PlayChild(int games) {
    g_player.gamesWanted = games;
    SetClock(&g_clock);
    SetKeySource(&ScriptedKeys, nullptr);
    SetFrameObserver(&EachFrame, nullptr);
    driver::RunProgram();
}

int MeasureGames(int games) {
    driver::StagedGame staged;
    if (!staged.ok()) return 1;
    const driver::ChildRun run =
        driver::RunChild(staged, {kChildFlag, std::to_string(games)}, 600);
    auto f = [&](const std::string& name) { return run.figures.count(name) ? run.figures.at(name) : -1.0; };
    if (!run.finished || run.exitCode != 0 || f("frames") < 0) {
        std::fprintf(stderr, "the run failed (exit code %d)\n", run.exitCode);
        return 1;
    }
    std::printf("%.0f game(s) played from the menu to game over and back: %.0f frames (%.1f min of game time) in "
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
