// A long game at full speed: the whole program (EngineInit, GameMain with
// the real assets, EndProgram) on the virtual clock, with the scripted
// player (play/scripted_player.h) that fires, sweeps, dies, reaches game
// over, returns to the menu and starts again. Game minutes come from
// AEROX_SOAK_MINUTES (default 2); the long run is
//   AEROX_SOAK_MINUTES=30 xvfb-run -a build/tests/aerox_soak_tests
// and, for the sanitizers, the same from build-sanitize.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "frame/presenter.h"
#include "game/game.h"
#include "game/game_state.h"
#include "input/input_context.h"
#include "engine/engine_globals.h"
#include "engine/startup.h"
#include "gfx/window.h"
#include "testkit/heap_in_use.h"
#include "play/scripted_player.h"
#include "testkit/screenshot.h"
#include "testkit/testkit.h"


namespace {

using namespace game;
using testkit::HeapInUse;

constexpr double kFramesPerMinute = 60.0 * 60.0;

struct Soak {
    play::ScriptedPlayer scripted;
    long lastFrame = 0;

    // What happened, beyond the player's own counts, for the checks at the end.
    double bestScore = 0;
    int mostFlying = 0, mostExploding = 0;
    // Heap in use at each return to the menu, less what the shot records take.
    std::vector<size_t> heapAtMenu;

    // With AEROX_SCREENSHOT_DIR set, the first frame of play with a fight
    // going on and the first game-over frame are saved there.
    const char* screenshotDir = std::getenv("AEROX_SCREENSHOT_DIR");
    bool actionSaved = false;
    bool gameOverSaved = false;

    void Save(OpenGLZodadodu& context, const char* name) {
        const std::vector<uint8_t> rgba = ReadBackBuffer(context);
        testkit::Shot shot;
        shot.width = 320;
        shot.height = 240;
        for (size_t i = 0; i + 3 < rgba.size(); i += 4)
            shot.rgb.insert(shot.rgb.end(), {rgba[i], rgba[i + 1], rgba[i + 2]});
        testkit::WritePng(shot, std::string(screenshotDir) + "/" + name);
    }

    // A frame worth showing: an enemy exploding in the air, more shots or
    // enemies about, the player alive.
    bool Fighting() const {
        int others = 0, exploding = 0;
        for (int i = 0; i < Bounds(enemies, 0); ++i) {
            others += enemies(i).active != 0 && enemies(i).y > -16;
            exploding += enemies(i).active == 0 && enemies(i).exploding != 0 && enemies(i).y > 0;
        }
        for (int i = 0; i < Bounds(enemyShots, 0); ++i)
            others += enemyShots(i).active != 0 && enemyShots(i).y > 0 && enemyShots(i).y < 200;
        return exploding >= 1 && others >= 2 && player.state == PLAYER_ALIVE;
    }

    void MaybeSave(OpenGLZodadodu& context) {
        if (screenshotDir == nullptr) return;
        if (!actionSaved && gameState == STATE_PLAYING && Fighting()) {
            Save(context, "action.png");
            actionSaved = true;
        }
        if (!gameOverSaved && gameState == STATE_GAME_OVER && scripted.previousState == STATE_GAME_OVER) {
            Save(context, "gameover.png");
            gameOverSaved = true;
        }
    }

    // Called once per presented frame.
    void Observe() {
        const play::FrameEvents events = scripted.Observe();
        if (events.backAtMenu) {
            const size_t shots = static_cast<size_t>(playerShots.capacity + enemyShots.capacity) * sizeof(Shot);
            heapAtMenu.push_back(HeapInUse() - std::min(HeapInUse(), shots));
        }
        bestScore = std::max(bestScore, score);
        if (gameState == STATE_PLAYING) {
            int flying = 0, exploding = 0;
            for (int i = 0; i < Bounds(enemies, 0); ++i) {
                flying += enemies(i).active != 0 && enemies(i).y > 0;
                exploding += enemies(i).active == 0 && enemies(i).exploding != 0;
            }
            mostFlying = std::max(mostFlying, flying);
            mostExploding = std::max(mostExploding, exploding);
        }
        scripted.ChooseKeys(scripted.frame >= lastFrame);
    }
};

Soak* g_soak = nullptr;

void EachFrame(OpenGLZodadodu& context, void*) {
    g_soak->MaybeSave(context);
    g_soak->Observe();
}

double SoakMinutes() {
    const char* text = std::getenv("AEROX_SOAK_MINUTES");
    const double minutes = text != nullptr ? std::atof(text) : 2.0;
    return minutes > 0 ? minutes : 2.0;
}

}  // namespace

TEST(Soak, TheWholeGameRunsForMinutesOfGameTime) {
    const char* gameDir = std::getenv("AEROX_GAME_DIR");
    ASSERT_NE(gameDir, nullptr);

    Soak soak;
    soak.lastFrame = static_cast<long>(SoakMinutes() * kFramesPerMinute);
    g_soak = &soak;
    testkit::VirtualClock clock;
    const double code = testkit::ExpectProgramEnd([&] {
        testkit::IgnoreFocusLoss();
        EngineInit("Aerox");
        // Start-up made the test program's folder the working directory;
        // the game's assets sit beside the game.
        ASSERT_EQ(chdir(gameDir), 0);
        LoadFont("smalfont.bmp", 0);
        SetKeySource(&play::ScriptedPlayer::KeySource, &soak.scripted);
        SetFrameObserver(&EachFrame, nullptr);
        GameMain();
    });
    SetFrameObserver(nullptr, nullptr);
    SetKeySource(nullptr, nullptr);
    g_soak = nullptr;

    EXPECT_EQ(code, 0) << "the end came from Escape, not from a runtime error";
    const play::ScriptedPlayer& scripted = soak.scripted;
    EXPECT_GE(scripted.frame, soak.lastFrame);
    EXPECT_GE(scripted.gamesStarted, 2);
    EXPECT_GE(scripted.gameOvers, 2);
    EXPECT_GE(scripted.livesLost, 3 * scripted.gameOvers);
    ASSERT_GE(soak.heapAtMenu.size(), 2u);
    // Once the first game has warmed everything up, every return to the
    // menu finds the same heap: nothing but the shot records grows.
    const size_t first = soak.heapAtMenu.front();
    for (size_t i = 1; i < soak.heapAtMenu.size(); ++i) {
        EXPECT_LT(soak.heapAtMenu[i], first + 512 * 1024) << "return to the menu " << i;
    }
    RecordProperty("frames", std::to_string(scripted.frame));
    RecordProperty("games", std::to_string(scripted.gamesStarted));
    RecordProperty("largest_player_shot_array", std::to_string(scripted.largestShotArray));
    std::printf(
        "soak: %ld frames, %d games, %d game overs, %d lives lost, best score %g, largest player shot array "
        "%zu, most enemies flying %d, exploding %d\n",
        scripted.frame, scripted.gamesStarted, scripted.gameOvers, scripted.livesLost, soak.bestScore,
        scripted.largestShotArray, soak.mostFlying, soak.mostExploding);
}
