// The game played with a gamepad: the pad's keys reach the game through
// the same key state as the keyboard's, read by SDL at every poll.
#include <functional>
#include <memory>
#include <string>

#include "game_fixture.h"
#include "input/gamepad.h"
#include "testkit/virtual_pad.h"

namespace gametest {
namespace {

using namespace game;

class GamepadPlayTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        ASSERT_TRUE(InitGamepads(""));
        pad_ = std::make_unique<testkit::VirtualPad>();
        ASSERT_TRUE(pad_->plugged()) << SDL_GetError();
    }
    void TearDown() override {
        pad_.reset();
        ShutdownGamepads();
        GameTest::TearDown();
    }
    // The menu reads its keys at most every 75 ms: passes until it has
    // read them (at most six).
    void PassUntil(const std::function<bool()>& done) {
        for (int k = 0; k < 6 && !done(); ++k) Pass();
    }

    std::unique_ptr<testkit::VirtualPad> pad_;
};

TEST_F(GamepadPlayTest, DpadAndStickMoveTheArrowAndTheSouthButtonChooses) {
    gameState = STATE_MENU;
    menuIndex = 0;
    Pass();
    pad_->Button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
    PassUntil([] { return menuIndex != 0; });
    EXPECT_EQ(menuIndex, 1);
    pad_->Button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, false);
    pad_->Axis(SDL_CONTROLLER_AXIS_LEFTY, -32768);
    PassUntil([] { return menuIndex != 1; });
    EXPECT_EQ(menuIndex, 0);
    pad_->Axis(SDL_CONTROLLER_AXIS_LEFTY, 0);
    pad_->Button(SDL_CONTROLLER_BUTTON_A, true);
    PassUntil([] { return gameState != STATE_MENU; });
    EXPECT_EQ(gameState, STATE_PLAYING);
    EXPECT_EQ(menuIndex, 0);
}

TEST_F(GamepadPlayTest, TheStickFliesThePlayerAndTheSouthButtonFires) {
    StartGame();
    NoEnemies();
    Pass();
    const double x = player.x, y = player.y;
    pad_->Axis(SDL_CONTROLLER_AXIS_LEFTX, -32768);
    Passes(3);
    EXPECT_EQ(player.x, x - 6);
    pad_->Axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
    pad_->Button(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    Pass();
    EXPECT_EQ(player.y, y - 2);
    EXPECT_EQ(player.x, x - 6);
    pad_->Button(SDL_CONTROLLER_BUTTON_DPAD_UP, false);
    EXPECT_EQ(Bounds(playerShots, 0), 0);
    pad_->Button(SDL_CONTROLLER_BUTTON_A, true);
    Pass();
    EXPECT_EQ(Bounds(playerShots, 0), 1);
    EXPECT_EQ(gameState, STATE_PLAYING);
    // Pulled out with fire held: the shooting stops.
    pad_->Unplug();
    Passes(30);
    EXPECT_EQ(Bounds(playerShots, 0), 1);
}

// Fire is also choose on a pad, so the fire button held through the last
// death must neither skip the game-over screen nor start the next game.
TEST_F(GamepadPlayTest, FireHeldThroughTheLastDeathLeavesTheGameOverScreenShowing) {
    StartGame();
    NoEnemies();
    player.lives = 1;
    pad_->Button(SDL_CONTROLLER_BUTTON_A, true);
    Passes(10);
    PlayerHit();
    for (int k = 0; k < 1000 && gameState == STATE_PLAYING; ++k) Pass();
    ASSERT_EQ(gameState, STATE_GAME_OVER);
    Passes(60);
    EXPECT_EQ(gameState, STATE_GAME_OVER);
    EXPECT_TRUE(LastFrame()[0].Is("PrintText", {120, 50}, "GAME OVER"));

    // Let go and press again: back to the menu, and a press that goes on
    // does not start a game from there.
    pad_->Button(SDL_CONTROLLER_BUTTON_A, false);
    Passes(30);
    pad_->Button(SDL_CONTROLLER_BUTTON_A, true);
    for (int k = 0; k < 60 && gameState == STATE_GAME_OVER; ++k) Pass();
    EXPECT_EQ(gameState, STATE_MENU);
    Passes(60);
    EXPECT_EQ(gameState, STATE_MENU);
}

// Initials with the pad alone: the D-pad changes the letter, the south
// button takes it (once, though it holds both fire and choose).
TEST_F(GamepadPlayTest, InitialsAreEnteredWithTheDpadAndTheSouthButton) {
    gameState = STATE_GAME_OVER;
    lastScore = 1230;
    Pass();
    ASSERT_EQ(gameState, STATE_INITIALS);
    const auto press = [&](SDL_GameControllerButton button) {
        pad_->Button(button, true);
        Pass();
        pad_->Button(button, false);
        Passes(5);
    };
    for (SDL_GameControllerButton button : {SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_CONTROLLER_BUTTON_A,
                                            SDL_CONTROLLER_BUTTON_DPAD_DOWN, SDL_CONTROLLER_BUTTON_A})
        press(button);
    EXPECT_EQ(gameState, STATE_INITIALS);
    press(SDL_CONTROLLER_BUTTON_A);
    ASSERT_EQ(gameState, STATE_HISCORES);
    EXPECT_EQ(std::string(HiScoreName(0).Text()), "BZA");
}

}  // namespace
}  // namespace gametest
