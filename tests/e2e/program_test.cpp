// The real program on a private X server: start-up, its window, the
// pause while another window has the focus, the three ways a player ends
// it (close button, Escape, Alt+F4), each with exit code 0, and the keys
// that switch between the window and the full screen.
#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "input/input_context.h"
#include "testkit/e2e_process.h"
#include "testkit/private_x_server.h"
#include "testkit/running_program.h"
#include "testkit/screenshot.h"
#include "testkit/testkit.h"

namespace {

using testkit::RunningProgram;

// Whether the engine's keyboard sees keys typed through XTEST into a focused
// window, probed with the engine library the program uses.
bool SeesXtestKeysInThisProcess() {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    SDL_Window* window = SDL_CreateWindow("aerox-e2e-probe", 0, 0, 64, 64, SDL_WINDOW_SHOWN);
    bool seen = false;
    const std::string id = window != nullptr ? testkit::FindWindow(getpid(), "^aerox-e2e-probe$", 5) : "";
    if (!id.empty()) {
        InputContext input;
        InitInput(&input, window, false);
        const auto pump = [](int ms) {
            for (int i = 0; i < ms / 10; ++i) {
                SDL_PumpEvents();
                SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        };
        // Another test's window may take the focus meanwhile: try thrice.
        for (int attempt = 0; attempt < 3 && !seen; ++attempt) {
            testkit::RunCommand("xdotool windowfocus " + id);
            pump(300);
            testkit::RunCommand("xdotool keydown Escape");
            pump(200);
            PollKeyboard(&input);
            seen = KeyHeld(&input, 1);
            testkit::RunCommand("xdotool keyup Escape");
            pump(100);
        }
        ShutdownInput(&input);
    }
    if (window != nullptr) SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return seen;
}

// The probe runs in a child process, bounded in time: SDL waits without a
// bound for a window manager to map a new window, and a test must never
// hang. A probe that does not answer is tried once more; twice is a failure.
bool EngineSeesXtestKeys() {
    for (int attempt = 0; attempt < 2; ++attempt) {
        const pid_t child = fork();
        if (child == 0) _exit(SeesXtestKeysInThisProcess() ? 0 : 1);
        if (child < 0) break;
        const auto start = std::chrono::steady_clock::now();
        int status = 0;
        while (waitpid(child, &status, WNOHANG) != child) {
            if (std::chrono::steady_clock::now() - start > std::chrono::seconds(20)) {
                kill(child, SIGKILL);
                waitpid(child, &status, 0);
                status = -1;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        if (status != -1) return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }
    ADD_FAILURE() << "the XTEST probe did not answer (its window was never mapped?)";
    return false;
}

// Polls the window's size (its client area) until it is the one given.
bool WaitForGeometry(const std::string& window, const std::string& size, double seconds) {
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        if (testkit::RunCommand("xdotool getwindowgeometry " + window).find("Geometry: " + size) != std::string::npos)
            return true;
        if (std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() > seconds) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

// Play has begun once the sea covers most of the window.
bool SeaShown(const testkit::Shot& s) {
    const int blue = s.Count(0, 0, s.width, s.height, [](int r, int g, int b) { return b > r + 30 && b > g; });
    return s.valid() && blue > s.width * s.height / 4;
}

}  // namespace

TEST(ProgramTest, StartsInA320x240WindowAndEndsOnTheCloseButton) {
    // A display of its own: other tests' windows cannot take the focus.
    PrivateXServer x;
    ASSERT_TRUE(x.running());
    RunningProgram run;
    ASSERT_TRUE(run.Start());
    EXPECT_EQ("Init OK\n", run.program->output()) << "start-up writes only this line";
    const std::string geometry = testkit::RunCommand("xdotool getwindowgeometry " + run.window);
    EXPECT_NE(std::string::npos, geometry.find("Geometry: 320x240")) << geometry;
    ASSERT_TRUE(testkit::SendCloseRequest(run.window));
    run.ExpectEndsWithCodeZero();
    // Only this run's renderer line is left in the log.
    const std::string log = testkit::ReadFile(run.LogPath());
    EXPECT_TRUE(log == "OpenGL Software Emulation\r\n" || log == "OpenGL Hardware Support\r\n") << log;
}

TEST(ProgramTest, ShowsPauseWhileAnotherWindowHasTheFocus) {
    // A display of its own: other tests' windows cannot take the focus.
    PrivateXServer x;
    ASSERT_TRUE(x.running());
    RunningProgram run;
    ASSERT_TRUE(run.Start());
    run.Focus();
    const std::string title = "aerox-e2e-other-" + std::to_string(getpid());
    testkit::ChildProgram other("/usr/bin/xmessage", {"-title", title, "-geometry", "+0+0", "another window"});
    const std::string otherWindow = testkit::FindWindow(other.pid(), "^" + title + "$", 10);
    ASSERT_FALSE(otherWindow.empty()) << "xmessage did not open";
    testkit::RunCommand("xdotool windowfocus " + otherWindow);
    EXPECT_TRUE(testkit::WaitForWindowName(run.window, "Aerox <pause>", 10));
    EXPECT_TRUE(run.FocusUntilCaption("Aerox"));
    ASSERT_TRUE(testkit::SendCloseRequest(run.window));
    run.ExpectEndsWithCodeZero();
}

TEST(ProgramTest, EscapeEndsTheProgram) {
    // A display of its own: other tests' windows cannot take the focus.
    PrivateXServer x;
    ASSERT_TRUE(x.running());
    if (!EngineSeesXtestKeys()) GTEST_SKIP() << "the engine's keyboard does not see XTEST keys";
    RunningProgram run;
    ASSERT_TRUE(run.Start());
    run.PressUntilEnded("Escape");
}

TEST(ProgramTest, LeftAltF4EndsTheProgram) {
    // A display of its own: other tests' windows cannot take the focus.
    PrivateXServer x;
    ASSERT_TRUE(x.running());
    if (!EngineSeesXtestKeys()) GTEST_SKIP() << "the engine's keyboard does not see XTEST keys";
    RunningProgram run;
    ASSERT_TRUE(run.Start());
    run.PressUntilEnded("Alt_L F4");
}

// F11 fills a 1024x768 screen and gives the window back as it was; Alt+Return
// does the same, and its Return never reaches the menu, which would start a
// game: the sea appears only when Return is pressed on its own.
TEST(ProgramTest, F11AndAltReturnSwitchFullScreenAndAltReturnSelectsNothing) {
    // A display of its own, with a window manager for desktop full screen.
    PrivateXServer x("1024x768x24", true);
    ASSERT_TRUE(x.running()) << "Xvfb with openbox";
    if (!EngineSeesXtestKeys()) GTEST_SKIP() << "the engine's keyboard does not see XTEST keys";
    RunningProgram run;
    ASSERT_TRUE(run.Start());
    EXPECT_TRUE(WaitForGeometry(run.window, "640x480", 5)) << "twice the screen fits 85% of 1024x768";

    run.Focus();
    testkit::HoldKeys("F11");
    EXPECT_TRUE(WaitForGeometry(run.window, "1024x768", 5)) << "F11 did not fill the screen";
    run.Focus();
    testkit::HoldKeys("F11");
    EXPECT_TRUE(WaitForGeometry(run.window, "640x480", 5)) << "F11 did not give the window back";

    run.Focus();
    testkit::HoldKeys("Alt_L Return", 0.15);
    EXPECT_TRUE(WaitForGeometry(run.window, "1024x768", 5)) << "Alt+Return did not fill the screen";
    // Many frames later, still the menu.
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    const testkit::Shot menu = testkit::GrabWindow(run.window);
    ASSERT_TRUE(menu.valid());
    EXPECT_FALSE(SeaShown(menu)) << "Alt+Return started a game";

    // Under load a short press can fall between two looks at the keys:
    // press again (at most three times) until the game starts.
    bool sea = false;
    for (int attempt = 0; attempt < 3 && !sea; ++attempt) {
        run.Focus();
        testkit::HoldKeys("Return", 0.3);
        const auto start = std::chrono::steady_clock::now();
        while (!sea && std::chrono::steady_clock::now() - start < std::chrono::seconds(4)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            sea = SeaShown(testkit::GrabWindow(run.window));
        }
    }
    EXPECT_TRUE(sea) << "Return on its own did not start a game";
    ASSERT_TRUE(testkit::SendCloseRequest(run.window));
    run.ExpectEndsWithCodeZero();
}

// The command line ends the program before any window: 0 for --version and
// --help, 2 for anything it cannot take, with no display to open at all.
TEST(ProgramTest, CommandLineExitCodesWithoutADisplay) {
    for (const auto& [args, code] : std::vector<std::pair<std::vector<std::string>, int>>{
             {{"--version"}, 0}, {{"--help"}, 0}, {{"--scale", "0"}, 2}, {{"--bogus"}, 2}}) {
        testkit::ChildProgram program(testkit::ProgramPath(), args, {"DISPLAY=", "SDL_VIDEODRIVER=x11"});
        int exitCode = -1;
        ASSERT_TRUE(program.WaitExit(10, exitCode)) << args[0];
        EXPECT_EQ(code, exitCode) << args[0];
        EXPECT_EQ(code == 0, program.output().rfind("aerox", 0) == 0 || program.output().rfind("Usage", 0) == 0)
            << args[0] << ": " << program.output();
    }
}
