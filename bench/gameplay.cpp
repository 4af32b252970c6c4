// The CPU cost of one frame of play (GameplayFrame: game logic and the draw
// calls it sends) with all 27 enemies flying on screen and 0, 100, 1,000 or
// 10,000 player shots in flight, with the game's own pictures, on a real
// window:
//   xvfb-run -a -s "-screen 0 640x480x24" build/bench/aerox_bench_gameplay
// The shots fly above the screen, as held fire leaves them: drawn, moved and
// tested against every enemy, but hitting nothing, so every frame does the
// same work. Between frames (untimed) the state is put back and the GL
// commands are carried out (glFinish); "WithRaster" times that as well.
#include <SDL_opengl.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "frame/clock.h"
#include "game/game_state.h"
#include "engine/engine_globals.h"
#include "engine/startup.h"

namespace {

using namespace game;

template <typename T>
void CopyRecords(RtTypedArray<T>& to, RtTypedArray<T>& from) {
    Redim(to, Bounds(from, 0));
    for (int i = 0; i < Bounds(from, 0); ++i) to(i) = from(i);
}

struct Scene {
    RtTypedArray<Enemy> enemies;
    RtTypedArray<Shot> playerShots;
    Player player{};
    double scrollPos = 0, frameCount = 0, playerFrame = 0, lastShotTime = 0;

    void Save() {
        CopyRecords(enemies, game::enemies);
        CopyRecords(playerShots, game::playerShots);
        player = game::player;
        scrollPos = game::scrollPos;
        frameCount = game::frameCount;
        playerFrame = game::playerFrame;
        lastShotTime = game::lastShotTime;
    }
    void Restore() {
        CopyRecords(game::enemies, enemies);
        CopyRecords(game::playerShots, playerShots);
        Redim(game::enemyShots, 0);
        game::player = player;
        game::scrollPos = scrollPos;
        game::frameCount = frameCount;
        game::playerFrame = playerFrame;
        game::lastShotTime = lastShotTime;
    }
};

void StartEngineOnce() {
    static bool started = false;
    if (started) return;
    started = true;
    // Mesa's software renderer would make start-up show its modal warning,
    // which nobody closes under Xvfb: the benchmark would wait forever.
    setenv("AEROX_NO_MESSAGE_BOX", "1", 0);
    EngineInit("Aerox");
    AutoPause = false;
    // Start-up made this program's folder (build/bench) the working
    // directory; the game and its assets are in build/game.
    const char* gameDir = std::getenv("AEROX_GAME_DIR");
    if (chdir(gameDir != nullptr ? gameDir : "../game") != 0) {
        std::fprintf(stderr, "cannot find the game's folder\n");
        std::exit(1);
    }
    LoadFont("smalfont.bmp", 0);
    SetUpGlobals();
    LoadResources();
}

void MakeScene(Scene& scene, int shots) {
    StartNewGame();
    const double now = GetTimer();
    for (int i = 0; i < Bounds(enemies, 0); ++i) {
        Enemy& e = enemies(i);
        e.active = 1;
        e.exploding = 0;
        e.x = 8 + (i % 9) * 34;
        e.y = 4 + (i / 9) * 40;
        e.lastFireTime = now + 1e9;  // no enemy fires during the benchmark
    }
    Redim(playerShots, shots);
    for (int k = 0; k < shots; ++k) {
        Shot& s = playerShots(k);
        s = Shot{1, SPR_SHOT, static_cast<double>((k * 37) % 300), -40.0 - (k % 500) * 7.0, 0, -1, 0, 3, 50};
    }
    player.x = 160;
    player.y = 210;
    lastShotTime = now + 1e9;  // and the player does not fire
    scene.Save();
}

void RunFrames(benchmark::State& state, bool withRaster) {
    StartEngineOnce();
    Scene scene;
    MakeScene(scene, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        scene.Restore();
        glClear(GL_COLOR_BUFFER_BIT);
        glFinish();
        state.ResumeTiming();
        GameplayFrame();
        if (withRaster) glFinish();
    }
    if (Bounds(enemies, 0) != 27 || player.state != PLAYER_ALIVE)
        state.SkipWithError("the scene did not stay as set up");
    state.counters["shots"] = static_cast<double>(Bounds(playerShots, 0));
}

void GameplayFrame_Logic(benchmark::State& state) { RunFrames(state, false); }
void GameplayFrame_WithRaster(benchmark::State& state) { RunFrames(state, true); }

}  // namespace

BENCHMARK(GameplayFrame_Logic)->Arg(0)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(GameplayFrame_WithRaster)->Arg(0)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
