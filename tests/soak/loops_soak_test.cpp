// Three whole loops of the level on the real engine and the virtual clock,
// played by a script that shoots what it can and cannot be hit (the
// game's test seam): the shot arrays stay small and a frame's work, counted
// in engine commands, does not grow from loop to loop.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/engine_globals.h"
#include "engine/startup.h"
#include "frame/presenter.h"
#include "game/game.h"
#include "game/game_state.h"
#include "input/input_context.h"
#include "runtime/command_trace.h"
#include "testkit/testkit.h"

namespace {

using namespace game;

constexpr int kLeft = 203, kRight = 205, kUp = 200, kDown = 208, kReturn = 28, kCtrl = 29, kEscape = 1;
constexpr long kFrameLimit = 30000;  // three loops take about 15,000 frames
constexpr int kLoops = 3;

struct LoopStats {
    long frames = 0;
    double commands = 0;        // engine commands given in the loop's frames
    long mostCommands = 0;      // in one frame
    double mostPlayerShots = 0;
    double mostEnemyShots = 0;
};

struct LoopSoak {
    long frame = 0;
    bool keys[256] = {};
    long commandsThisFrame = 0;
    int livesLost = 0;
    double previousLives = 3;
    LoopStats loops[kLoops + 1];

    // Lines up under the lowest enemy well inside the screen and fires;
    // with none about, sweeps the sea.
    void Play() {
        keys[kCtrl] = true;
        double target = -1, lowest = -1e9;
        for (int i = 0; i < Bounds(enemies, 0); ++i) {
            const Enemy& e = enemies(i);
            if (e.active != 0 && e.exploding == 0 && e.y > 0 && e.y > lowest && e.y < player.y - 60)
                lowest = e.y, target = e.x + 16;
        }
        if (target < 0)
            keys[(frame / 120) % 2 == 0 ? kLeft : kRight] = true;
        else if (target < player.x - 1)
            keys[kLeft] = true;
        else if (target > player.x + 1)
            keys[kRight] = true;
        if (player.y < 196) keys[kDown] = true;
        if (player.y > 204) keys[kUp] = true;
    }

    void Observe() {
        ++frame;
        if (gameState == STATE_PLAYING && loopNumber >= 1 && loopNumber <= kLoops) {
            LoopStats& s = loops[static_cast<int>(loopNumber)];
            ++s.frames;
            s.commands += static_cast<double>(commandsThisFrame);
            s.mostCommands = std::max(s.mostCommands, commandsThisFrame);
            s.mostPlayerShots = std::max(s.mostPlayerShots, Bounds(playerShots, 0));
            s.mostEnemyShots = std::max(s.mostEnemyShots, Bounds(enemyShots, 0));
            if (player.lives < previousLives) ++livesLost;
            previousLives = player.lives;
        }
        commandsThisFrame = 0;

        std::fill(std::begin(keys), std::end(keys), false);
        const bool done = gameState == STATE_PLAYING && loopNumber > kLoops;
        if (done || frame >= kFrameLimit) {
            keys[kEscape] = true;
        } else if (gameState == STATE_MENU) {
            if (frame % 2 == 0) keys[menuIndex != 0 ? kUp : kReturn] = true;
        } else if (gameState == STATE_PLAYING) {
            Play();
        }
    }
};

LoopSoak* g_loopSoak = nullptr;

}  // namespace

TEST(Soak, ThreeLoopsWithoutDyingKeepTheShotsAndTheFrameWorkBounded) {
    const char* gameDir = std::getenv("AEROX_GAME_DIR");
    ASSERT_NE(gameDir, nullptr);
    LoopSoak soak;
    g_loopSoak = &soak;
    testkit::VirtualClock clock;
    SetPlayerUnhittable(true);
    const double code = testkit::ExpectProgramEnd([&] {
        testkit::IgnoreFocusLoss();
        EngineInit("Aerox");
        ASSERT_EQ(chdir(gameDir), 0);
        LoadFont("smalfont.bmp", 0);
        SetKeySource(
            [](uint8_t keys[256], void*) {
                for (int i = 0; i < 256; ++i) keys[i] = g_loopSoak->keys[i] ? 0x80 : 0;
            },
            nullptr);
        SetCommandTracer([](const TracedCommand&, void*) { ++g_loopSoak->commandsThisFrame; }, nullptr);
        SetFrameObserver([](OpenGLZodadodu&, void*) { g_loopSoak->Observe(); }, nullptr);
        GameMain();
    });
    SetFrameObserver(nullptr, nullptr);
    SetCommandTracer(nullptr, nullptr);
    SetKeySource(nullptr, nullptr);
    SetPlayerUnhittable(false);
    g_loopSoak = nullptr;

    EXPECT_EQ(code, 0);
    ASSERT_LT(soak.frame, kFrameLimit) << "three loops were not played";
    EXPECT_EQ(soak.livesLost, 0);
    for (int n = 1; n <= kLoops; ++n) {
        const LoopStats& s = soak.loops[n];
        std::printf("loop %d: %ld frames, %.1f commands a frame (most %ld), most shots: player %g, enemy %g\n", n,
                    s.frames, s.commands / static_cast<double>(s.frames), s.mostCommands, s.mostPlayerShots,
                    s.mostEnemyShots);
        ASSERT_GT(s.frames, 4000) << n;
        // A shot lives about 100 frames: a few at a time, whatever the loop.
        EXPECT_LE(s.mostPlayerShots, 16) << n;
        EXPECT_LE(s.mostEnemyShots, 24) << n;
        // Nothing piles up within a loop either: its busiest frame is not
        // far above its average one.
        EXPECT_LT(static_cast<double>(s.mostCommands), 2 * s.commands / static_cast<double>(s.frames)) << n;
    }
    // Faster enemies fire more often, but the later loops cost no more.
    const double first = soak.loops[1].commands / static_cast<double>(soak.loops[1].frames);
    const double last = soak.loops[kLoops].commands / static_cast<double>(soak.loops[kLoops].frames);
    EXPECT_LT(last, first * 1.25);
    EXPECT_LT(soak.loops[kLoops].mostCommands, soak.loops[1].mostCommands * 3 / 2);
}
