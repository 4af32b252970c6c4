// The frame presenter on a virtual clock: the grid of frame slots, the
// waiting time it reports, and ShowScreen's events, pause, quit keys and
// per-frame resets, inside a started engine.

#include <cstdio>
#include <filesystem>

#include "aerox/aerox.h"
#include "frame/frame_fixture.h"
#include "frame/presenter.h"
#include "engine/engine_globals.h"
#include "engine/startup.h"
#include "runtime/program_path.h"
#include "testkit/gfx_files.h"

using namespace frametest;

namespace {
constexpr double kPeriod60 = 1000.0 / 60.0;
constexpr int kEscape = 1, kLeftAlt = 56, kF4 = 62, kRightAlt = 0x80 + 56;
}  // namespace

// --- the grid, on a bare window

class GridTest : public WindowTest {
protected:
    void SetUp() override {
        clock = std::make_unique<testkit::VirtualClock>(1000.0);
        WindowTest::SetUp();  // the first deadline is the creation time: 1000
    }
    void TearDown() override {
        WindowTest::TearDown();
        clock.reset();
    }
    std::unique_ptr<testkit::VirtualClock> clock;
};

TEST_F(GridTest, LateFrameIsShownAtOnceAndTheMissedSlotIsSkipped) {
    ASSERT_DOUBLE_EQ(1000.0, context->frameStartTime);
    FramePresent(*context);  // released at the grid's origin
    EXPECT_NEAR(1000.0, clock->Now(), 1e-9);

    clock->Advance(5);  // a 5 ms frame waits the rest of its slot
    EXPECT_NEAR(kPeriod60 - 5 + 1, FramePresent(*context), 1e-9);
    const double T = clock->Now();
    EXPECT_NEAR(1000.0 + kPeriod60, T, 1e-9);

    clock->Advance(40);  // the next frame takes 40 ms: shown at once...
    EXPECT_DOUBLE_EQ(1.0, FramePresent(*context));
    EXPECT_DOUBLE_EQ(T + 40, clock->Now());
    // ...the slot at T + 33.3 is gone, and the one after is on the grid.
    FramePresent(*context);
    EXPECT_NEAR(T + 50, clock->Now(), 1e-9);
    FramePresent(*context);
    EXPECT_NEAR(T + 50 + kPeriod60, clock->Now(), 1e-9);
}

TEST_F(GridTest, SixtyFramesASecondKeepTheGridWithoutDrift) {
    EXPECT_DOUBLE_EQ(1000.0 / 60.0, context->framePeriod);
    FramePresent(*context);
    for (int frame = 1; frame <= 600; ++frame) {
        clock->Advance(frame % 7);  // drawing time varies; the grid does not
        FramePresent(*context);
        ASSERT_NEAR(1000.0 + frame * kPeriod60, clock->Now(), 1e-6) << "frame " << frame;
    }
}

TEST_F(GridTest, FrameRateZeroReleasesEveryTwoMilliseconds) {
    context.reset();
    ASSERT_TRUE(Open(0));
    const double start = context->frameStartTime;
    FramePresent(*context);
    for (int frame = 1; frame <= 10; ++frame) {
        FramePresent(*context);
        EXPECT_NEAR(start + 2.0 * frame, clock->Now(), 1e-9);
    }
    clock->Advance(3);  // a 3 ms frame skips one 2 ms slot
    FramePresent(*context);
    FramePresent(*context);
    EXPECT_NEAR(start + 24.0, clock->Now(), 1e-9);
}

// --- ShowScreen inside a started engine

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        IgnoreRealFocusEvents();
        testing::internal::CaptureStdout();
        bool ended = false;
        try {
            testkit::EndCatcher catcher;
            EngineInit("Aerox");
        } catch (const testkit::ProgramEnded&) {
            ended = true;
        }
        startupOutput = testing::internal::GetCapturedStdout();
        ASSERT_FALSE(ended) << "start-up ended the program: " << SDL_GetError();
        ASSERT_NE(nullptr, g_engine);
        ASSERT_NE(nullptr, g_engine->window);
    }
    void TearDown() override {
        if (g_engine != nullptr) testkit::ExpectProgramEnd([] { EndProgram(); });
    }
    std::string Caption() const { return SDL_GetWindowTitle(g_engine->window); }

    PrivateTempDirectory temp;
    HookClock clock;
    ScriptedKeys keys;  // none held unless a test holds one
    std::string startupOutput;
};

TEST_F(EngineTest, StartUpSaysInitOkAndLeavesTheEngineReady) {
    EXPECT_EQ("Init OK\n", startupOutput);
    EXPECT_EQ("Aerox", Caption());
    EXPECT_STREQ("Aerox", g_caption.Text());
    EXPECT_TRUE(AutoPause);
    EXPECT_TRUE(EscapeEnds);
    EXPECT_FALSE(Paused);
    EXPECT_EQ(320, g_engine->screenWidth);
    EXPECT_EQ(240, g_engine->screenHeight);
    EXPECT_FALSE(g_engine->fullScreen);
    EXPECT_DOUBLE_EQ(kPeriod60, g_engine->framePeriod);
    EXPECT_DOUBLE_EQ(1.0f, g_engine->currentAlpha);
    EXPECT_DOUBLE_EQ(0.0, GetTimer());
    // The working directory is the program's own.
    const std::filesystem::path program(ProgramPath());
    EXPECT_EQ(program.parent_path(), std::filesystem::current_path());
}

TEST(StartupLogTest, LogHoldsOnlyThisRunsRendererLine) {
    PrivateTempDirectory temp;
    g_softwareWarningShown = false;  // as at the start of a program
    testkit::WriteFile(LogFilePath(), "a line from an earlier run\r\n");
    HookClock clock;
    testing::internal::CaptureStdout();
    EngineInit("Aerox");
    testing::internal::GetCapturedStdout();
    const bool software = RendererIsSoftware(reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    EXPECT_EQ(software ? "OpenGL Software Emulation\r\n" : "OpenGL Hardware Support\r\n", temp.LogText());
    testkit::ExpectProgramEnd([] { EndProgram(); });
}

TEST(StartupFailureTest, NoWindowEndsTheProgramAtOnce) {
    PrivateTempDirectory temp;
    const testkit::KeptEnvironmentVariable driver("SDL_VIDEODRIVER");
    driver.Set("no-such-driver");
    testing::internal::CaptureStdout();
    const double code = testkit::ExpectProgramEnd([] { EngineInit("Aerox"); });
    EXPECT_EQ("", testing::internal::GetCapturedStdout()) << "no Init OK without a window";
    EXPECT_EQ(0.0, code);
    EXPECT_EQ(nullptr, g_engine);
}

TEST(StartupTest, ProgramDirectoryIsThePathUpToItsLastSeparator) {
    EXPECT_EQ("C:\\games", ProgramDirectoryOf("C:\\games\\game.exe"));
    EXPECT_EQ("/usr/local/games", ProgramDirectoryOf("/usr/local/games/aerox"));
    EXPECT_EQ("/opt/a\\b", ProgramDirectoryOf("/opt/a\\b/aerox"));
    EXPECT_EQ("/opt/a/b", ProgramDirectoryOf("/opt/a/b\\aerox"));
    EXPECT_EQ("aerox", ProgramDirectoryOf("aerox"));
    EXPECT_EQ("/aerox", ProgramDirectoryOf("/aerox")) << "the first character is never a cut";
    EXPECT_EQ("", ProgramDirectoryOf(""));
}

TEST_F(EngineTest, FocusLostPausesUntilFocusComesBack) {
    ShowScreen();
    PushWindowEvent(g_engine->window, SDL_WINDOWEVENT_FOCUS_LOST);
    ShowScreen();  // the event is dispatched while this frame waits
    EXPECT_TRUE(Paused);
    EXPECT_EQ("Aerox <pause>", Caption());
    EXPECT_TRUE(SDL_IsScreenSaverEnabled());

    clock.sleeps = 0;
    clock.onSleep = [this](int sleeps) {
        if (sleeps == 3) PushWindowEvent(g_engine->window, SDL_WINDOWEVENT_FOCUS_GAINED);
    };
    const double before = clock.Now();
    ShowScreen();  // held in the pause loop until the focus returns
    clock.onSleep = nullptr;
    EXPECT_EQ(4, clock.sleeps) << "the event pushed during the 3rd sleep is seen before the 4th test";
    EXPECT_GE(clock.Now() - before, 400.0);
    EXPECT_FALSE(Paused);
    EXPECT_EQ("Aerox", Caption());
    EXPECT_FALSE(SDL_IsScreenSaverEnabled());
    // Time ran on while paused: the deadline is long past, so the frame
    // after the pause goes out at once and the grid continues from there.
    const double now = clock.Now();
    EXPECT_GT(g_engine->frameStartTime, now);
    EXPECT_LE(g_engine->frameStartTime, now + kPeriod60);
}

TEST_F(EngineTest, WithoutAutoPauseFocusLossChangesNothing) {
    SetAutoPause(0);
    PushWindowEvent(g_engine->window, SDL_WINDOWEVENT_FOCUS_LOST);
    ShowScreen();
    ShowScreen();
    EXPECT_FALSE(Paused);
    EXPECT_EQ("Aerox", Caption());
    EXPECT_EQ(0, clock.sleeps);
}

TEST_F(EngineTest, CloseRequestEndsTheProgramLeavingTheErrorStateAlone) {
    SetAutoPause(0);
    g_errorState.errorCode = 9;
    PushWindowEvent(g_engine->window, SDL_WINDOWEVENT_CLOSE);
    EXPECT_EQ(9.0, testkit::ExpectProgramEnd([] { ShowScreen(); }));
    EXPECT_EQ(nullptr, g_engine);
}

TEST_F(EngineTest, EscapeEndsTheProgramWithCodeZero) {
    SetAutoPause(0);
    g_errorState.errorCode = 5;
    keys.Hold(kEscape);
    EXPECT_EQ(0.0, testkit::ExpectProgramEnd([] { ShowScreen(); }));
}

TEST_F(EngineTest, EscapeDoesNothingWhenSwitchedOffButAltF4StillEnds) {
    SetAutoPause(0);
    SetEscapeEnds(0);
    keys.Hold(kEscape);
    ShowScreen();
    keys.ReleaseAll();
    keys.Hold(kF4);
    ShowScreen();
    keys.Hold(kRightAlt);
    ShowScreen();  // only the left Alt counts
    ASSERT_NE(nullptr, g_engine);
    keys.Hold(kLeftAlt);
    EXPECT_EQ(0.0, testkit::ExpectProgramEnd([] { ShowScreen(); }));
}

// A screen that took Escape as "back" turns Escape's ending on again while
// the key is still down: only a new press ends the program.
TEST_F(EngineTest, EscapeSwitchedOnWhileHeldWaitsForItsRelease) {
    SetAutoPause(0);
    SetEscapeEnds(0);
    keys.Hold(kEscape);
    ShowScreen();
    SetEscapeEnds(1);
    ShowScreen();
    SetEscapeEnds(1);  // again: still the same press
    ShowScreen();
    ASSERT_NE(nullptr, g_engine);
    keys.ReleaseAll();
    ShowScreen();
    keys.Hold(kEscape);
    EXPECT_EQ(0.0, testkit::ExpectProgramEnd([] { ShowScreen(); }));
}

TEST_F(EngineTest, ShowScreenStampsTheFrameAndResetsTheDrawingState) {
    SetAutoPause(0);
    ShowScreen();
    const double stamp = g_frameClock.thisFrame;
    clock.Advance(7);
    glEnable(GL_BLEND);
    g_engine->currentAlpha = 0.25f;
    glColor4f(1, 0, 0, 0.5f);
    SetViewport(*g_engine, 10, 20, 100, 50);
    const double beforeShow = clock.Now();
    ShowScreen();
    EXPECT_DOUBLE_EQ(stamp, g_frameClock.previousFrame);
    EXPECT_DOUBLE_EQ(beforeShow, g_frameClock.thisFrame);
    EXPECT_GT(GetFrameTime(), 7.0);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FLOAT_EQ(1.0f, g_engine->currentAlpha);
    GLfloat colour[4] = {};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(1.0f, colour[0] * colour[1] * colour[2] * colour[3]);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(0, viewport[0]);
    EXPECT_EQ(0, viewport[1]);
    EXPECT_EQ(320, viewport[2]);
    EXPECT_EQ(240, viewport[3]);
    EXPECT_EQ(0, g_engine->viewportX);
}

TEST_F(EngineTest, EachNewFrameIsClearedThenGetsBackgroundImageZero) {
    SetAutoPause(0);
    // In this test's own temporary folder (the fixture's, removed afterwards).
    const std::string path = std::string(std::getenv("TMPDIR")) + "/back.bmp";
    testkit::WriteFile(path, testkit::BmpBytes(testkit::Picture(20, 10, 0x102030FF), 24));
    LoadBackground(path.c_str());
    ASSERT_EQ(g_engine->backgrounds[0].tiles.size(), 1u);
    for (int frame = 0; frame < 2; ++frame) {
        DrawRect(100, 100, 110, 110, 0xFFFFFF);  // this frame's drawing
        ShowScreen();
        const std::vector<uint8_t> next = ReadBackBuffer(*g_engine);
        ASSERT_EQ(next.size(), 320u * 240u * 4u);
        EXPECT_EQ(PixelAt(next, 0, 0), 0x102030FFu) << frame;
        EXPECT_EQ(PixelAt(next, 19, 9), 0x102030FFu) << frame;
        EXPECT_EQ(PixelAt(next, 20, 9), kBlack) << frame;
        EXPECT_EQ(PixelAt(next, 105, 105), kBlack) << frame;
    }
    ClearScreen();
    ShowScreen();
    EXPECT_EQ(PixelAt(ReadBackBuffer(*g_engine), 0, 0), kBlack) << "no background image: only the clear";
}

TEST_F(EngineTest, FrameRateAndViewportCommands) {
    SetFrameRate(0);
    EXPECT_DOUBLE_EQ(2.0, g_engine->framePeriod);
    SetFrameRate(50.9);
    EXPECT_DOUBLE_EQ(20.0, g_engine->framePeriod);
    SetFrameRate(std::nan(""));
    EXPECT_DOUBLE_EQ(2.0, g_engine->framePeriod);
    SetFrameRate(60);
    EXPECT_DOUBLE_EQ(kPeriod60, g_engine->framePeriod);
    Viewport(10.9, 20.2, 100.7, 50.1);
    EXPECT_EQ(10, g_engine->viewportX);
    EXPECT_EQ(20, g_engine->viewportY);
    EXPECT_EQ(100, g_engine->viewportWidth);
    EXPECT_EQ(50, g_engine->viewportHeight);
    SetScreenMode(0, 0, 0, 1);  // no 320x240 mode on the test display: stays windowed
    EXPECT_DOUBLE_EQ(kPeriod60, g_engine->framePeriod);
    SetScreenMode(0, 0, 0, 0);
    EXPECT_FALSE(g_engine->fullScreen);
    EXPECT_EQ(320, g_engine->screenWidth);
}
