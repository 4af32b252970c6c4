// The keyboard on a real X window, on a private X server: keys pressed
// through it (XTEST, by xdotool) reach the key state by their set-1 codes while our window has
// the focus, and every key reads released while it does not. Also the log
// lines of a keyboard that cannot be set up.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "input/input_context.h"
#include "runtime/errors.h"
#include "testkit/testkit.h"
#include "testkit/private_x_server.h"
#include "testkit/virtual_pad.h"
#include "x_window.h"

namespace {

bool Shell(const std::string& command) { return std::system(("timeout 5 " + command + " >/dev/null 2>&1").c_str()) == 0; }

// Pumps SDL events until the condition holds or two seconds have passed.
template <typename Condition>
bool WaitFor(Condition condition) {
    const Uint64 start = SDL_GetTicks64();
    while (SDL_GetTicks64() - start < 2000) {
        SDL_PumpEvents();
        if (condition()) return true;
        SDL_Delay(10);
    }
    return false;
}

// Keys pressed by xdotool stay down on the X server until released: this
// releases them whatever happens in the test.
struct PressedKeys {
    std::string names;
    void Press(const std::string& key) {
        names += " " + key;
        ASSERT_TRUE(Shell("xdotool keydown " + key));
    }
    ~PressedKeys() {
        if (!names.empty()) Shell("xdotool keyup" + names);
    }
};

std::string LogText() { return testkit::ReadFile(LogFilePath()); }

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

class KeyboardWindow : public ::testing::Test {
protected:
    PrivateXServer x_;
    void SetUp() override {
        ASSERT_TRUE(x_.running()) << "cannot start Xvfb";
        setenv("SDL_VIDEODRIVER", "x11", 1);
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        window_ = SDL_CreateWindow("keys", 0, 0, 64, 64, SDL_WINDOW_SHOWN);
        other_ = SDL_CreateWindow("other", 100, 0, 64, 64, SDL_WINDOW_SHOWN);
        ASSERT_NE(window_, nullptr);
        ASSERT_NE(other_, nullptr);
    }
    void TearDown() override {
        if (other_ != nullptr) SDL_DestroyWindow(other_);
        if (window_ != nullptr) SDL_DestroyWindow(window_);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
    void Focus(SDL_Window* window) {
        ASSERT_TRUE(Shell("xdotool windowfocus " + std::to_string(XWindowOf(window))));
        ASSERT_TRUE(WaitFor([&] { return WindowHasKeyboardFocus(window); }));
    }

    template <typename Condition>
    bool WaitForKeys(InputContext& input, Condition condition) {
        return WaitFor([&] {
            PollKeyboard(&input);
            return condition();
        });
    }


    SDL_Window* window_ = nullptr;
    SDL_Window* other_ = nullptr;
};

}  // namespace

TEST_F(KeyboardWindow, HeldKeysReadByTheirScanCodesOnlyWhileFocused) {
    if (std::system("command -v xdotool >/dev/null 2>&1") != 0) GTEST_SKIP() << "xdotool is not installed";
    InputContext input;
    ASSERT_EQ(InitInput(&input, window_, false), kInputReady);
    Focus(window_);
    PressedKeys keys;
    keys.Press("space");
    keys.Press("Up");
    keys.Press("Delete");
    keys.Press("KP_Enter");
    ASSERT_TRUE(WaitForKeys(input, [&] {
        return KeyHeld(&input, 57) && KeyHeld(&input, 200) && KeyHeld(&input, 211) && KeyHeld(&input, 156);
    }));
    std::string held;
    for (int k = 0; k < 256; ++k)
        if (KeyHeld(&input, k)) held += std::to_string(k) + " ";
    EXPECT_EQ(held, "57 156 200 211 ");

    // Another window takes the focus while the keys are still down.
    Focus(other_);
    PollKeyboard(&input);
    for (int k = 0; k < 256; ++k) EXPECT_FALSE(KeyHeld(&input, k)) << k;

    // Back to ours: keys read again without any restart.
    Focus(window_);
    Shell("xdotool keyup space");
    Shell("xdotool keydown space");
    EXPECT_TRUE(WaitForKeys(input, [&] { return KeyHeld(&input, 57); }));
    // The event watches point at this input: gone before it is.
    ShutdownInput(&input);
}

// The input set-up brings the pads too, and they follow the same rule.
TEST_F(KeyboardWindow, PadKeysAlsoReadOnlyWhileFocused) {
    if (std::system("command -v xdotool >/dev/null 2>&1") != 0) GTEST_SKIP() << "xdotool is not installed";
    // SDL itself would drop pad presses made in the background; here they
    // reach the engine, whose own rule is under test.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    InputContext input;
    ASSERT_EQ(InitInput(&input, window_, false), kInputReady);
    Focus(window_);
    {
        testkit::VirtualPad pad;
        ASSERT_TRUE(pad.plugged()) << SDL_GetError();
        pad.Button(SDL_CONTROLLER_BUTTON_A, true);
        PollKeyboard(&input);
        EXPECT_TRUE(KeyHeld(&input, 29));
        Focus(other_);
        PollKeyboard(&input);
        for (int k = 0; k < 256; ++k) EXPECT_FALSE(KeyHeld(&input, k)) << k;
        Focus(window_);
        EXPECT_TRUE(WaitForKeys(input, [&] { return KeyHeld(&input, 29) && KeyHeld(&input, 28); }));
    }
    ShutdownInput(&input);
    SDL_ResetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS);
}

TEST_F(KeyboardWindow, AKeyTappedBetweenTwoPollsReadsHeldAtTheNextPollAndCountsOnce) {
    if (std::system("command -v xdotool >/dev/null 2>&1") != 0) GTEST_SKIP() << "xdotool is not installed";
    InputContext input;
    ASSERT_EQ(InitInput(&input, window_, false), kInputReady);
    Focus(window_);
    PollKeyboard(&input);
    ASSERT_FALSE(KeyHeld(&input, 57));
    ASSERT_TRUE(Shell("xdotool key space"));
    // Only SDL's queue is pumped here, never the key state: the press and
    // the release both go by before the next poll.
    ASSERT_TRUE(WaitFor([&] {
        return input.pressCount[57] > 0 && SDL_GetKeyboardState(nullptr)[SDL_SCANCODE_SPACE] == 0;
    }));
    PollKeyboard(&input);
    EXPECT_EQ(input.keyState[57] & 0x80, 0) << "the key is up";
    EXPECT_TRUE(KeyHeld(&input, 57)) << "but its press is not lost";
    EXPECT_EQ(TakeKeyPresses(&input, 57), 1);
    EXPECT_EQ(TakeKeyPresses(&input, 57), 0);
    ShutdownInput(&input);
}

TEST_F(KeyboardWindow, NoWindowMeansNoKeyboardAndALogLine) {
    InputContext input;
    EXPECT_EQ(InitInput(&input, nullptr, false), kInputNoKeyboard);
    EXPECT_TRUE(EndsWith(LogText(), "No DX_KB\r\n"));
    input.keyState[57] = 0x80;
    PollKeyboard(&input);
    EXPECT_FALSE(KeyHeld(&input, 57));
}

TEST(KeyboardSetup, WithoutSdlVideoTheKeyboardIsMissingAndLogged) {
    ASSERT_EQ(SDL_WasInit(SDL_INIT_VIDEO), 0u);
    InputContext input;
    input.keyState[57] = 0x80;
    EXPECT_EQ(InitInput(&input, nullptr, false), kInputNoSystem);
    EXPECT_TRUE(EndsWith(LogText(), "No DX_Input\r\n"));
    PollKeyboard(&input);
    EXPECT_FALSE(KeyHeld(&input, 57));
    ShutdownInput(&input);
}
