// The game's start-up, its asset loading and the state loop.
#include <stdexcept>
#include <string>
#include <vector>

#include "game/game.h"
#include "game_fixture.h"

namespace gametest {
namespace {

using namespace game;

TEST_F(GameTest, SetUpGivesTheStartValuesAndShapes) {
    EXPECT_EQ(gameState, 0);
    EXPECT_EQ(levelNumber, 1);
    EXPECT_EQ(playerRow, 2);
    EXPECT_EQ(playerFrame, 1);
    EXPECT_EQ(Bounds(buttons, 0), 13);
    EXPECT_EQ(Bounds(enemySprites, 0), 8);
    EXPECT_EQ(Bounds(playerSprites, 0), 3);
    EXPECT_EQ(Bounds(playerSprites, 1), 3);
    EXPECT_EQ(Bounds(bigExplosionSprites, 0), 7);
    EXPECT_EQ(Bounds(smallExplosionSprites, 0), 0);
    EXPECT_EQ(Bounds(levelMap, 0), 0);
    EXPECT_EQ(Bounds(enemies, 0), 0);
}

TEST_F(GameTest, LoadResourcesShowsLoadingThenLoadsEveryFileInOrderIntoItsSlot) {
    BeginRecord();
    LoadResources();
    const std::vector<Command>& cmds = LastFrame();

    std::vector<Command> expected = {
        {"PrintText", {10, 50}, "Loading..."},
        {"Poll", {}, ""},  // the ShowScreen that puts the message on screen
        {"LoadSound", {2, 1}, "data/shot.wav"},
        {"LoadSound", {4, 2}, "data/explode1.wav"},
        {"LoadSound", {5, 3}, "data/explode2.wav"},
        {"LoadSprite", {3}, "data/background.bmp"},
        {"LoadSprite", {2}, "data/mainmenue.bmp"},
        {"LoadSprite", {4}, "data/arrow.bmp"},
        {"LoadSprite", {5}, "data/shot.bmp"},
        {"LoadSprite", {20}, "data/water1.bmp"},
        {"LoadSprite", {21}, "data/water2.bmp"},
        {"LoadSprite", {22}, "data/island1.bmp"},
        {"LoadSprite", {23}, "data/island2.bmp"},
        {"LoadSprite", {24}, "data/island3.bmp"},
    };
    for (int j = 1; j <= 3; ++j)
        expected.push_back({"LoadSprite", {55.0 + j}, "data/player3" + std::to_string(j) + ".bmp"});
    for (int k = 1; k <= 7; ++k)
        expected.push_back({"LoadSprite", {58.0 + k}, "data/bigexplosion" + std::to_string(k) + ".bmp"});
    for (int k = 1; k <= 7; ++k)
        expected.push_back({"LoadSprite", {69.0 + k}, "data/enemy1" + std::to_string(k) + ".bmp"});
    expected.push_back({"LoadSprite", {80}, "data/enemy21.bmp"});
    for (int k = 1; k <= 6; ++k)
        expected.push_back({"LoadSprite", {99.0 + k}, "data/smallexplosion" + std::to_string(k) + ".bmp"});

    ASSERT_EQ(cmds.size(), expected.size());
    for (size_t i = 0; i < cmds.size(); ++i) EXPECT_TRUE(cmds[i].Is(expected[i].name, expected[i].args, expected[i].text))
        << "command " << i << ": " << cmds[i] << ", expected " << expected[i];

    // The sprite-number arrays behind the loads.
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) EXPECT_EQ(playerSprites(i, j), 50 + 3 * i + j);
    for (int k = 0; k < 7; ++k) EXPECT_EQ(bigExplosionSprites(k), 59 + k);
    for (int k = 0; k < 7; ++k) EXPECT_EQ(enemySprites(k), 70 + k);
    EXPECT_EQ(enemySprites(7), 80);
    ASSERT_EQ(Bounds(smallExplosionSprites, 0), 6);
    for (int k = 0; k < 6; ++k) EXPECT_EQ(smallExplosionSprites(k), 100 + k);
}

// GameMain as the program runs it, on a clock that moves 1 ms at every key
// poll (the window-less ShowScreen does not wait): Up wraps the arrow to
// the quit position, Return there ends the loop and GameMain returns.
TEST_F(GameTest, GameMainQuitsThroughTheMenuAfterOneEmptyFrame) {
    struct Script {
        GameTest* test;
        testkit::VirtualClock* clock;
        int polls = 0;
    } script{this, &clock_};
    SetKeySource(
        [](uint8_t keys[256], void* user) {
            auto* s = static_cast<Script*>(user);
            if (++s->polls > 100000) throw std::runtime_error("the state loop did not end");
            s->clock->Advance(1);
            for (int i = 0; i < 256; ++i) keys[i] = 0;
            keys[menuIndex == 4 ? kReturn : kUp] = 0x80;
            s->test->frames_.back().push_back({"Poll", {}, ""});
        },
        &script);
    frames_.emplace_back();
    GameMain();

    EXPECT_EQ(gameState, STATE_QUIT);
    EXPECT_EQ(quitRequested, 1);
    EXPECT_EQ(menuIndex, 4);
    // The end of the record: the last menu frame prints its score line,
    // reads the keys (and the keys held as the state changes), and is
    // presented; then the quit pass presents an empty frame.
    const std::vector<Command>& cmds = frames_.back();
    size_t last = cmds.size();
    for (size_t i = 0; i < cmds.size(); ++i)
        if (cmds[i].name != "Poll") last = i;
    ASSERT_LT(last, cmds.size());
    EXPECT_TRUE(cmds[last].Is("PrintText", {125, 220}, "Score: 0")) << cmds[last];
    EXPECT_EQ(cmds.size() - last - 1, 14u + 7u + 2u);
}

TEST_F(GameTest, StateBlankPresentsEmptyFramesAndReadsNoKeys) {
    gameState = STATE_BLANK;
    for (int i = 0; i < 10; ++i) {
        EXPECT_TRUE(Pass());
        // Only ShowScreen's own poll of the keyboard.
        ASSERT_EQ(LastFrame().size(), 1u);
        EXPECT_EQ(LastFrame()[0].name, "Poll");
    }
    EXPECT_EQ(gameState, STATE_BLANK);
}

TEST_F(GameTest, StateOutsideTheTableRunsNothing) {
    gameState = 7;
    EXPECT_TRUE(Pass());
    ASSERT_EQ(LastFrame().size(), 1u);
    EXPECT_EQ(LastFrame()[0].name, "Poll");
}

}  // namespace
}  // namespace gametest
