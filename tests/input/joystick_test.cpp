// Joysticks by number over SDL's virtual joysticks: opened when first
// asked for and when plugged in later, their axes -1..1 and buttons read
// raw, and a number naming nothing gives 0 (or "") and one log line.
#include <SDL.h>
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "aerox/aerox.h"
#include "input/input_context.h"
#include "input/joysticks.h"
#include "runtime/errors.h"
#include "testkit/testkit.h"
#include "testkit/virtual_pad.h"

namespace {

int LogLinesWith(const std::string& text) {
    const std::string log = testkit::ReadFile(LogFilePath());
    int n = 0;
    for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) ++n;
    return n;
}

class JoystickTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_input = &input_;
        base_ = JoystickCount();  // starts SDL's joysticks, as the first command does
    }
    void TearDown() override {
        ShutdownJoysticks();
        g_input = nullptr;
    }
    InputContext input_;
    double base_ = 0;
};

TEST_F(JoystickTest, PluggedInLaterItIsCountedNamedAndRead) {
    testkit::VirtualPad pad;
    ASSERT_TRUE(pad.plugged()) << SDL_GetError();
    SDL_PumpEvents();
    ASSERT_EQ(base_ + 1, JoystickCount());
    const double stick = base_;
    EXPECT_EQ("Aerox test pad", std::string(JoystickName(stick).Text()));

    struct Case {
        int raw;
        double expected;
    } axes[] = {{0, 0}, {32767, 1}, {-32768, -1}, {16384, 16384 / 32767.0}, {-16384, -16384 / 32767.0}};
    for (const Case& c : axes) {
        pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, c.raw);
        SDL_PumpEvents();
        EXPECT_DOUBLE_EQ(c.expected, JoystickAxis(stick, SDL_CONTROLLER_AXIS_LEFTY)) << c.raw;
    }
    pad.Button(SDL_CONTROLLER_BUTTON_X, true);
    SDL_PumpEvents();
    EXPECT_EQ(1, JoystickButton(stick, SDL_CONTROLLER_BUTTON_X));
    EXPECT_EQ(0, JoystickButton(stick, SDL_CONTROLLER_BUTTON_A));
    pad.Button(SDL_CONTROLLER_BUTTON_X, false);
    SDL_PumpEvents();
    EXPECT_EQ(0, JoystickButton(stick, SDL_CONTROLLER_BUTTON_X));

    pad.Unplug();
    SDL_PumpEvents();
    EXPECT_EQ(base_, JoystickCount()) << "pulled out";
}

TEST_F(JoystickTest, NumbersThatNameNothingGiveZeroAndOneLogLineEach) {
    testkit::VirtualPad pad;
    ASSERT_TRUE(pad.plugged()) << SDL_GetError();
    SDL_PumpEvents();
    const double stick = base_;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double axes = static_cast<double>(SDL_CONTROLLER_AXIS_MAX);
    const double buttons = static_cast<double>(SDL_CONTROLLER_BUTTON_MAX);
    struct Case {
        double index, axis, button;
    } cases[] = {{stick, axes, buttons}, {stick, -1, -1},      {stick + 1, 0, 0}, {-1, 0, 0}, {nan, 0, 0},
                 {stick, nan, nan},      {stick, 1e300, 1e300}};
    for (const Case& c : cases) {
        const int axisLines = LogLinesWith("JoystickAxis: ");
        const int buttonLines = LogLinesWith("JoystickButton: ");
        EXPECT_EQ(0, JoystickAxis(c.index, c.axis));
        EXPECT_EQ(0, JoystickButton(c.index, c.button));
        EXPECT_EQ(axisLines + 1, LogLinesWith("JoystickAxis: ")) << c.index << " " << c.axis;
        EXPECT_EQ(buttonLines + 1, LogLinesWith("JoystickButton: ")) << c.index << " " << c.button;
    }
    const int nameLines = LogLinesWith("JoystickName: ");
    EXPECT_EQ("", std::string(JoystickName(stick + 1).Text()));
    EXPECT_EQ(nameLines + 1, LogLinesWith("JoystickName: "));
}

}  // namespace
