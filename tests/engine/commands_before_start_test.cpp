// A game that gives a command while the engine is not running (before
// RunGame started it, or after the program end released it) gets the
// command's empty result and one log line naming the command, however often
// it calls: nothing crashes and the log does not grow every frame.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "aerox/aerox.h"
#include "frame/clock.h"
#include "frame/presenter.h"
#include "gfx/engine_context.h"
#include "input/input_context.h"
#include "runtime/engine_required.h"
#include "runtime/errors.h"
#include "sound/sound.h"
#include "testkit/testkit.h"

namespace {

// The log's lines from byte offset on.
std::vector<std::string> LogLinesFrom(size_t offset) {
    const std::string log = testkit::ReadFile(LogFilePath());
    std::vector<std::string> lines;
    for (size_t start = offset; start < log.size();) {
        size_t end = log.find("\r\n", start);
        if (end == std::string::npos) end = log.size();
        lines.push_back(log.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::string LineFor(const std::string& command) { return command + ": the engine is not running (call RunGame first)"; }

// The engine's state of a process in which it never ran. Other tests of the
// same program may have stamped the clock or had commands logged already.
void NoEngine() {
    ASSERT_EQ(g_engine, nullptr);
    ASSERT_EQ(g_input, nullptr);
    ASSERT_EQ(g_soundSlots, nullptr);
    SetKeySource(nullptr, nullptr);
    g_frameClock = FrameClock{};
    ForgetEngineRequirements();
}

// Out parameters a command must clear: the sum of their sizes.
double Sizes(const std::function<void(double&, double&)>& command) {
    double width = -7, height = -7;
    command(width, height);
    return std::fabs(width) + std::fabs(height);
}

struct Row {
    const char* name;
    std::function<double()> call;  // the command's result; 0 for one without
    double empty;
};

}  // namespace

TEST(CommandsBeforeStart, EachGivesItsEmptyResultAndLogsItsNameOnce) {
    NoEngine();
    const bool autoPause = AutoPause, escapeEnds = EscapeEnds;
    const Row rows[] = {
        // frames and time
        {"ShowScreen", [] { return ShowScreen(), 0.0; }, 0},
        {"GetTimer", [] { return GetTimer(); }, 0},
        {"GetFrameTime", [] { return GetFrameTime(); }, 0},
        {"SetFrameRate", [] { return SetFrameRate(30), 0.0; }, 0},
        {"SetScreenMode", [] { return SetScreenMode(640, 480, 32, 0), 0.0; }, 0},
        {"Viewport", [] { return Viewport(10, 10, 100, 50), 0.0; }, 0},
        // the settings are not taken: 1 would say they were
        {"SetEscapeEnds", [escapeEnds] { return SetEscapeEnds(!escapeEnds), EscapeEnds == escapeEnds ? 0.0 : 1.0; }, 0},
        {"SetAutoPause", [autoPause] { return SetAutoPause(!autoPause), AutoPause == autoPause ? 0.0 : 1.0; }, 0},
        // sprites and drawing
        {"LoadSprite", [] { return LoadSprite("ship.bmp", 1), 0.0; }, 0},
        {"AlphaMode", [] { return AlphaMode(0.5), 0.0; }, 0},
        {"DrawSprite", [] { return DrawSprite(1, 10, 10), 0.0; }, 0},
        {"StretchSprite", [] { return StretchSprite(1, 10, 10, 20, 20), 0.0; }, 0},
        {"ZoomSprite", [] { return ZoomSprite(1, 10, 10, 2, 2), 0.0; }, 0},
        {"RotoSprite", [] { return RotoSprite(1, 10, 10, 45), 0.0; }, 0},
        {"RotoZoomSprite", [] { return RotoZoomSprite(1, 10, 10, 45, 2), 0.0; }, 0},
        {"DrawPixel", [] { return DrawPixel(5, 5, 0xFFFFFF), 0.0; }, 0},
        {"DrawLine", [] { return DrawLine(0, 0, 10, 10, 0xFF), 0.0; }, 0},
        {"DrawRect", [] { return DrawRect(0, 0, 10, 10, 0xFF00), 0.0; }, 0},
        {"GetPixel", [] { return GetPixel(5, 5); }, 0},
        {"GetSpriteSize", [] { return Sizes([](double& w, double& h) { GetSpriteSize(1, w, h); }); }, 0},
        {"GrabSprite", [] { return GrabSprite(2, 0, 0, 16, 16), 0.0; }, 0},
        {"LoadBackground", [] { return LoadBackground("sea.png"), 0.0; }, 0},
        {"ScreenToBackground", [] { return ScreenToBackground(), 0.0; }, 0},
        {"ClearScreen", [] { return ClearScreen(), 0.0; }, 0},
        {"GetScreenSize", [] { return Sizes([](double& w, double& h) { GetScreenSize(w, h); }); }, 0},
        {"SpriteCollision", [] { return SpriteCollision(1, 0, 0, 2, 0, 0); }, 0},
        // the window: the scales read 1, as a window shown at its own size
        {"SetWindowScale", [] { return SetWindowScale(2), 0.0; }, 0},
        {"GetWindowScale", [] { return GetWindowScale(); }, 1},
        {"GetMaxWindowScale", [] { return GetMaxWindowScale(); }, 1},
        {"SetFullscreen", [] { return SetFullscreen(1), 0.0; }, 0},
        {"GetFullscreen", [] { return GetFullscreen(); }, 0},
        // text
        {"LoadFont", [] { return LoadFont("smalfont.bmp", 0), 0.0; }, 0},
        {"SetFont", [] { return SetFont(1), 0.0; }, 0},
        {"PrintText", [] { return PrintText("Hello", 10, 10), 0.0; }, 0},
        {"PrintNumber", [] { return PrintNumber(42, 10, 20), 0.0; }, 0},
        {"GetFontSize", [] { return Sizes([](double& w, double& h) { GetFontSize(w, h); }); }, 0},
        // sound
        {"LoadSound", [] { return LoadSound("shot.wav", 0, 2), 0.0; }, 0},
        {"PlaySound", [] { return PlaySound(0, 0, 1); }, -1},
        {"SoundPlaying", [] { return SoundPlaying(0); }, 0},
        {"StopSounds", [] { return StopSounds(), 0.0; }, 0},
        // keyboard
        {"KeyDown", [] { return KeyDown(57); }, 0},
        {"KeyPressed", [] { return KeyPressed(57); }, 0},
        // mouse, joysticks and text entry: texts read as their length
        {"MouseX", [] { return MouseX(); }, 0},
        {"MouseY", [] { return MouseY(); }, 0},
        {"MouseMoved", [] { return MouseMoved(); }, 0},
        {"MouseButton", [] { return MouseButton(1); }, 0},
        {"MouseWheel", [] { return MouseWheel(); }, 0},
        {"ShowMouse", [] { return ShowMouse(0), 0.0; }, 0},
        {"JoystickCount", [] { return JoystickCount(); }, 0},
        {"JoystickName", [] { return Len(JoystickName(0)); }, 0},
        {"JoystickAxis", [] { return JoystickAxis(0, 0); }, 0},
        {"JoystickButton", [] { return JoystickButton(0, 0); }, 0},
        {"StartTextInput", [] { return StartTextInput(0, 0, 10, 10), 0.0; }, 0},
        {"StopTextInput", [] { return StopTextInput(), 0.0; }, 0},
        {"TextInput", [] { return Len(TextInput()); }, 0},
        {"TextComposition", [] { return Len(TextComposition()); }, 0},
    };
    const size_t logStart = testkit::ReadFile(LogFilePath()).size();
    std::vector<std::string> expected;
    for (const Row& row : rows) {
        // The second call is a game calling again the next frame.
        EXPECT_EQ(row.call(), row.empty) << row.name;
        EXPECT_EQ(row.call(), row.empty) << row.name << ", called again";
        expected.push_back(LineFor(row.name));
    }
    EXPECT_EQ(LogLinesFrom(logStart), expected);
    AutoPause = autoPause;
    EscapeEnds = escapeEnds;
}

// The program end releases the clock with the rest: the timers read 0 again
// and say why.
TEST(CommandsBeforeStart, AfterTheProgramEndTheTimersAreEmptyToo) {
    NoEngine();
    testkit::VirtualClock clock(5000.0);
    g_frameClock.startup = g_frameClock.previousFrame = g_frameClock.thisFrame = NowMs();
    clock.Advance(20);
    ASSERT_EQ(GetTimer(), 20);
    ASSERT_EQ(GetFrameTime(), 20);
    const size_t logStart = testkit::ReadFile(LogFilePath()).size();
    testkit::ExpectProgramEnd([] { EndProgram(); });
    EXPECT_EQ(GetTimer(), 0);
    EXPECT_EQ(GetFrameTime(), 0);
    EXPECT_EQ(LogLinesFrom(logStart), (std::vector<std::string>{LineFor("GetTimer"), LineFor("GetFrameTime")}));
}
