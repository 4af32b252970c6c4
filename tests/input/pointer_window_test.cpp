// The mouse's buttons and wheel and the text typed, on a real X window of a
// private X server driven through XTEST (xdotool): a click quicker than a
// frame still reads, the wheel counts its steps, and typing reaches
// TextInput in UTF-8 only between StartTextInput and StopTextInput.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "aerox/aerox.h"
#include "input/input_context.h"
#include "testkit/private_x_server.h"
#include "x_window.h"

namespace {

bool Shell(const std::string& command) {
    return std::system(("timeout 5 " + command + " >/dev/null 2>&1").c_str()) == 0;
}

// Pumps SDL events until the condition holds or three seconds have passed.
template <typename Condition>
bool WaitFor(Condition condition) {
    const Uint64 start = SDL_GetTicks64();
    while (SDL_GetTicks64() - start < 3000) {
        SDL_PumpEvents();
        if (condition()) return true;
        SDL_Delay(10);
    }
    return false;
}

// Lets the events of what xdotool just did arrive.
void Drain() {
    const Uint64 start = SDL_GetTicks64();
    while (SDL_GetTicks64() - start < 500) {
        SDL_PumpEvents();
        SDL_Delay(10);
    }
}

class PointerWindow : public ::testing::Test {
protected:
    PrivateXServer x_;
    InputContext input_;
    SDL_Window* window_ = nullptr;
    std::string id_;

    void SetUp() override {
        if (std::system("command -v xdotool >/dev/null 2>&1") != 0) GTEST_SKIP() << "xdotool is not installed";
        ASSERT_TRUE(x_.running()) << "cannot start Xvfb";
        setenv("SDL_VIDEODRIVER", "x11", 1);
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        window_ = SDL_CreateWindow("pointer", 0, 0, 200, 150, SDL_WINDOW_SHOWN);
        ASSERT_NE(window_, nullptr);
        ASSERT_EQ(InitInput(&input_, window_, false), kInputReady);
        g_input = &input_;
        id_ = std::to_string(XWindowOf(window_));
        ASSERT_TRUE(Shell("xdotool windowfocus " + id_));
        ASSERT_TRUE(WaitFor([&] { return WindowHasKeyboardFocus(window_); }));
        ASSERT_TRUE(Shell("xdotool mousemove --window " + id_ + " 50 50"));
        ASSERT_TRUE(WaitFor([&] { return SDL_GetMouseFocus() == window_; }));
    }
    void TearDown() override {
        g_input = nullptr;
        ShutdownInput(&input_);
        if (window_ != nullptr) SDL_DestroyWindow(window_);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
};

TEST_F(PointerWindow, AQuickClickReadsOnceAndAHeldButtonWhileHeld) {
    struct Case {
        int button;
        const char* xButton;
    } cases[] = {{1, "1"}, {2, "2"}, {3, "3"}};
    for (const Case& c : cases) {
        // Down and up again before anything reads: the click must not be lost.
        ASSERT_TRUE(Shell(std::string("xdotool click ") + c.xButton));
        EXPECT_TRUE(WaitFor([&] { return MouseButton(c.button) == 1; })) << "click of button " << c.button;
        EXPECT_EQ(0, MouseButton(c.button)) << "the click of button " << c.button << " reads once";
        ASSERT_TRUE(Shell(std::string("xdotool mousedown ") + c.xButton));
        EXPECT_TRUE(WaitFor([&] { return MouseButton(c.button) == 1; }));
        EXPECT_EQ(1, MouseButton(c.button)) << "button " << c.button << " held";
        ASSERT_TRUE(Shell(std::string("xdotool mouseup ") + c.xButton));
        EXPECT_TRUE(WaitFor([&] { return MouseButton(c.button) == 0; })) << "button " << c.button << " let go";
    }
}

TEST_F(PointerWindow, OnlyTheMouseMovingIsMovementNotTheWindowMovingUnderIt) {
    Drain();
    MouseMoved();
    // The window moved and resized under the resting pointer, which leaves
    // it and enters it again on the way.
    struct Change {
        int x, y, width, height;
    } changes[] = {{30, 0, 200, 150}, {0, 0, 400, 300}, {300, 300, 100, 100}, {0, 0, 200, 150}};
    for (const Change& c : changes) {
        SDL_SetWindowPosition(window_, c.x, c.y);
        SDL_SetWindowSize(window_, c.width, c.height);
        Drain();
        EXPECT_EQ(0, MouseMoved()) << "window at " << c.x << "," << c.y << " " << c.width << "x" << c.height;
    }
    ASSERT_TRUE(WaitFor([&] { return SDL_GetMouseFocus() == window_; }));
    ASSERT_TRUE(Shell("xdotool mousemove --window " + id_ + " 80 60"));
    EXPECT_TRUE(WaitFor([] { return MouseMoved() == 1; })) << "the mouse moved";
    EXPECT_EQ(0, MouseMoved()) << "read once";
}

TEST_F(PointerWindow, TheWheelCountsItsStepsSinceTheLastReading) {
    EXPECT_EQ(0, MouseWheel());
    // X buttons 4 and 5 are the wheel turned away from and toward the player.
    ASSERT_TRUE(Shell("xdotool click --repeat 3 --delay 20 4"));
    double up = 0;
    EXPECT_TRUE(WaitFor([&] { return (up += MouseWheel()) == 3; })) << up;
    ASSERT_TRUE(Shell("xdotool click --repeat 2 --delay 20 5"));
    double down = 0;
    EXPECT_TRUE(WaitFor([&] { return (down += MouseWheel()) == -2; })) << down;
    EXPECT_EQ(0, MouseWheel());
}

TEST_F(PointerWindow, TypedTextReachesTextInputOnlyWhileItIsOn) {
    // A German layout has keys for the letters beyond ASCII typed here
    // (xdotool cannot type a letter the layout lacks).
    if (!Shell("setxkbmap de")) GTEST_SKIP() << "setxkbmap cannot load a German layout";
    ASSERT_TRUE(Shell("xdotool type --delay 30 before"));
    Drain();
    StartTextInput(10, 10, 100, 12);
    EXPECT_EQ("", std::string(TextInput().Text())) << "typed before StartTextInput";
    const std::string typed = "Name 7 \xC3\xBC\xC3\x9F!";  // "Name 7 üß!"
    ASSERT_TRUE(Shell("xdotool type --delay 30 '" + typed + "'"));
    std::string got;
    EXPECT_TRUE(WaitFor([&] { return (got += TextInput().Text()) == typed; })) << got;
    EXPECT_EQ("", std::string(TextComposition().Text()));
    StopTextInput();
    ASSERT_TRUE(Shell("xdotool type --delay 30 after"));
    Drain();
    EXPECT_EQ("", std::string(TextInput().Text())) << "typed after StopTextInput";
}

}  // namespace
