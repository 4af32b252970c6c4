// A long game at full speed: the whole program (EngineInit, GameMain with
// the real assets, EndProgram) on the virtual clock, with a scripted player
// that fires, sweeps, dies, reaches game over, returns to the menu and
// starts again. Game minutes come from AEROX_SOAK_MINUTES (default 2); the
// long run is
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
#include "testkit/screenshot.h"
#include "testkit/testkit.h"


namespace {

using namespace game;
using testkit::HeapInUse;

constexpr int kLeft = 203, kRight = 205, kUp = 200, kDown = 208, kReturn = 28, kCtrl = 29, kEscape = 1;
constexpr double kFramesPerMinute = 60.0 * 60.0;

struct Soak {
    long frame = 0;
    long lastFrame = 0;
    bool keys[256] = {};

    // What happened, for the checks at the end.
    int gamesStarted = 0;
    int gameOvers = 0;
    int deaths = 0;
    double previousState = 0;
    double previousPlayerState = 0;
    size_t largestShotArray = 0;
    double bestScore = 0;
    int mostFlying = 0, mostExploding = 0;
    // Heap in use at each return to the menu, less what the shot records take.
    std::vector<size_t> heapAtMenu;

    // With AEROX_SCREENSHOT_DIR set, the first frame of play with a fight
    // going on and the first game-over frame are saved there.
    const char* screenshotDir = std::getenv("AEROX_SCREENSHOT_DIR");
    bool actionSaved = false;
    bool gameOverSaved = false;

    void Hold(int code) { keys[code] = true; }

    void Save(OpenGLZodadodu& context, const char* name) {
        const std::vector<uint8_t> rgba = ReadBackBuffer(context);
        testkit::Shot shot;
        shot.width = 320;
        shot.height = 240;
        for (size_t i = 0; i + 3 < rgba.size(); i += 4) shot.rgb.insert(shot.rgb.end(), {rgba[i], rgba[i + 1], rgba[i + 2]});
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
        if (!gameOverSaved && gameState == STATE_GAME_OVER && previousState == STATE_GAME_OVER) {
            Save(context, "gameover.png");
            gameOverSaved = true;
        }
    }

    // Chooses the keys of the next frame from what the game shows now.
    void Script() {
        std::fill(std::begin(keys), std::end(keys), false);
        if (frame >= lastFrame) {
            Hold(kEscape);
            return;
        }
        if (gameState == STATE_MENU) {
            if (menuIndex != 0)
                Hold(kUp);
            else
                Hold(kReturn);
        } else if (gameState == STATE_GAME_OVER) {
            Hold(kReturn);
        } else if (gameState == STATE_PLAYING) {
            Hold(kCtrl);
            const long lifeFrame = static_cast<long>(frameCount) % 1800;
            if (lifeFrame < 900) {
                // Line up under an enemy to shoot it down; with none in the
                // air, sweep the sea from side to side.
                const double target = EnemyToShoot();
                if (target < 0) {
                    Hold((lifeFrame / 120) % 2 == 0 ? kLeft : kRight);
                } else if (target < player.x - 1) {
                    Hold(kLeft);
                } else if (target > player.x + 1) {
                    Hold(kRight);
                }
                if (player.y < 196) Hold(kDown);
                if (player.y > 204) Hold(kUp);
            } else {
                SeekTrouble();
            }
        }
    }

    // The x at which the player's shots hit the lowest enemy well inside
    // the screen (a shot flies up from the player's x), or -1.
    double EnemyToShoot() const {
        double x = -1, lowest = -1e9;
        for (int i = 0; i < Bounds(enemies, 0); ++i) {
            const Enemy& e = enemies(i);
            if (e.active != 0 && e.exploding == 0 && e.y > 30 && e.y > lowest && e.y < player.y - 60)
                lowest = e.y, x = e.x + 16;
        }
        return x;
    }

    // Flies at the nearest enemy or enemy shot, so that lives are lost and
    // games end even after the last wave.
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

    // Called once per presented frame.
    void Observe() {
        ++frame;
        if (gameState == STATE_PLAYING && previousState != STATE_PLAYING) ++gamesStarted;
        if (gameState == STATE_GAME_OVER && previousState != STATE_GAME_OVER) ++gameOvers;
        if (gameState == STATE_MENU && previousState != STATE_MENU && previousState != 0) {
            const size_t shots = static_cast<size_t>(playerShots.capacity + enemyShots.capacity) * sizeof(Shot);
            heapAtMenu.push_back(HeapInUse() - std::min(HeapInUse(), shots));
        }
        if (gameState == STATE_PLAYING && player.state == PLAYER_EXPLODING &&
            previousPlayerState != PLAYER_EXPLODING)
            ++deaths;
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
        largestShotArray = std::max<size_t>(largestShotArray, static_cast<size_t>(Bounds(playerShots, 0)));
        previousState = gameState;
        previousPlayerState = player.state;
        Script();
    }
};

Soak* g_soak = nullptr;

void ScriptedKeys(uint8_t keys[256], void*) {
    for (int i = 0; i < 256; ++i) keys[i] = g_soak->keys[i] ? 0x80 : 0;
}

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
        EngineInit("Aerox");
        // Other test windows on the same display may take the focus: the
        // game must not pause for them.
        AutoPause = false;
        // Start-up made the test program's folder the working directory;
        // the game's assets sit beside the game.
        ASSERT_EQ(chdir(gameDir), 0);
        LoadFont("smalfont.bmp", 0);
        SetKeySource(&ScriptedKeys, nullptr);
        SetFrameObserver(&EachFrame, nullptr);
        GameMain();
    });
    SetFrameObserver(nullptr, nullptr);
    SetKeySource(nullptr, nullptr);
    g_soak = nullptr;

    EXPECT_EQ(code, 0) << "the end came from Escape, not from a runtime error";
    EXPECT_GE(soak.frame, soak.lastFrame);
    EXPECT_GE(soak.gamesStarted, 2);
    EXPECT_GE(soak.gameOvers, 2);
    EXPECT_GE(soak.deaths, 3 * soak.gameOvers);
    ASSERT_GE(soak.heapAtMenu.size(), 2u);
    // Once the first game has warmed everything up, every return to the
    // menu finds the same heap: nothing but the shot records grows.
    const size_t first = soak.heapAtMenu.front();
    for (size_t i = 1; i < soak.heapAtMenu.size(); ++i) {
        EXPECT_LT(soak.heapAtMenu[i], first + 512 * 1024) << "return to the menu " << i;
    }
    RecordProperty("frames", std::to_string(soak.frame));
    RecordProperty("games", std::to_string(soak.gamesStarted));
    RecordProperty("largest_player_shot_array", std::to_string(soak.largestShotArray));
    std::printf("soak: %ld frames, %d games, %d game overs, %d lives lost, best score %g, largest player shot array "
                "%zu, most enemies flying %d, exploding %d\n",
                soak.frame, soak.gamesStarted, soak.gameOvers, soak.deaths, soak.bestScore, soak.largestShotArray,
                soak.mostFlying, soak.mostExploding);
}
