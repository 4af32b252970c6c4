// Shared pieces of the frame and window tests: a private temporary
// directory (so the engine log of one test is not another's), a window
// fixture, pixel access and a clock whose sleeps can act.
#pragma once
#include <SDL.h>
#include <SDL_opengl.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <memory>
#include <string>
#include <vector>

#include "frame/clock.h"
#include "gfx/window.h"
#include "input/input_context.h"
#include "gfx/engine_context.h"
#include "runtime/errors.h"
#include "runtime/temp_dir.h"
#include "testkit/testkit.h"

namespace frametest {

// Whether the first display offers a mode of exactly this size.
inline bool HasModeOfSize(int width, int height) {
    for (int i = 0; i < SDL_GetNumDisplayModes(0); ++i) {
        SDL_DisplayMode mode{};
        if (SDL_GetDisplayMode(0, i, &mode) == 0 && mode.w == width && mode.h == height) return true;
    }
    return false;
}

// Points TMPDIR at a fresh folder for this test process before anything
// reads it, and removes the folder at the end. The engine reads TMPDIR once
// a process: when an earlier test of the same process took that folder
// away, it is made again for this test, so that its log lines are kept.
class PrivateTempDirectory {
public:
    PrivateTempDirectory() {
        char pattern[] = "/tmp/aerox-frame-XXXXXX";
        if (mkdtemp(pattern) != nullptr) path_ = pattern;
        tmpdir_.Set(path_);
        std::error_code ignored;
        if (std::filesystem::create_directories(TempDirectory(), ignored)) madeEarlierFolder_ = TempDirectory();
    }
    ~PrivateTempDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
        if (!madeEarlierFolder_.empty()) std::filesystem::remove_all(madeEarlierFolder_, ignored);
    }
    std::string LogText() const { return testkit::ReadFile(LogFilePath()); }

private:
    std::string path_ = "/tmp";
    std::string madeEarlierFolder_;
    // Given back at the end: programs the next tests start get a folder
    // that is there.
    testkit::KeptEnvironmentVariable tmpdir_{"TMPDIR"};
};

// RGBA of screen pixel (x, y), top-left origin, from ReadBackBuffer.
inline uint32_t PixelAt(const std::vector<uint8_t>& frame, int x, int y, int width = 320) {
    const size_t i = (static_cast<size_t>(y) * width + x) * 4;
    return static_cast<uint32_t>(frame[i]) << 24 | static_cast<uint32_t>(frame[i + 1]) << 16 |
           static_cast<uint32_t>(frame[i + 2]) << 8 | frame[i + 3];
}
constexpr uint32_t kBlack = 0x000000FF;
constexpr uint32_t kRed = 0xFF0000FF;
constexpr uint32_t kGreen = 0x00FF00FF;

// A clock that never waits, like testkit::VirtualClock, whose sleeps can
// run a hook (for example to deliver the event that ends a pause). Fails
// the test by throwing once it has slept far too often.
class HookClock final : public Clock {
public:
    explicit HookClock(double startMs = 1000.0) : now_(startMs) { SetClock(this); }
    ~HookClock() override { SetClock(nullptr); }
    double Now() override { return now_; }
    void Sleep(double ms) override {
        if (ms > 0) now_ += ms;
        ++sleeps;
        if (sleeps > 1000) throw std::runtime_error("slept 1000 times: the engine hangs");
        if (onSleep) onSleep(sleeps);
    }
    void WaitToward(double deadlineMs) override {
        if (now_ <= deadlineMs) now_ = std::nextafter(deadlineMs, INFINITY);
    }
    void Advance(double ms) { now_ += ms; }

    int sleeps = 0;
    std::function<void(int)> onSleep;

private:
    double now_;
};

// Scripted keys for the presenter; none held until set. Installed for the
// fixture's lifetime so that keys typed into other windows of the shared X
// server never reach these tests.
struct ScriptedKeys {
    uint8_t held[256] = {};
    ScriptedKeys() { SetKeySource(&Fill, this); }
    ~ScriptedKeys() { SetKeySource(nullptr, nullptr); }
    void Hold(int scanCode) { held[scanCode & 255] = 0x80; }
    void ReleaseAll() { std::fill(std::begin(held), std::end(held), 0); }
    static void Fill(uint8_t keys[256], void* user) {
        std::copy_n(static_cast<ScriptedKeys*>(user)->held, 256, keys);
    }
};

// Marks the window events a test pushes.
constexpr Sint32 kScriptedEvent = 0x5A5A;

// Pushes a window event for the window as if the system had sent it.
inline void PushWindowEvent(SDL_Window* window, Uint8 kind) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = kind;
    event.window.windowID = SDL_GetWindowID(window);
    event.window.data1 = kScriptedEvent;
    SDL_PushEvent(&event);
}

// The X server is shared by tests running side by side, and without a
// window manager every window that opens takes the focus. While installed,
// this drops real focus and close events so that only the pushed ones
// reach the engine.
inline int OnlyScriptedWindowEvents(void*, SDL_Event* event) {
    if (event->type != SDL_WINDOWEVENT || event->window.data1 == kScriptedEvent) return 1;
    switch (event->window.event) {
        case SDL_WINDOWEVENT_FOCUS_LOST:
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_TAKE_FOCUS:
        case SDL_WINDOWEVENT_CLOSE:
            return 0;
        default:
            return 1;
    }
}
inline void IgnoreRealFocusEvents() {
    SDL_InitSubSystem(SDL_INIT_VIDEO);
    SDL_SetEventFilter(&OnlyScriptedWindowEvents, nullptr);
}

// A bare window and context (no EngineInit), 320x240 at 60 frames a second.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Open(60)) << SDL_GetError(); }
    void TearDown() override {
        context.reset();
        SDL_Quit();
    }
    bool Open(int framesPerSecond) {
        context = std::make_unique<OpenGLZodadodu>();
        if (!CreateGameWindow(*context, 320, 240, 0, framesPerSecond, 0)) return false;
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);  // a new back buffer holds anything
        return true;
    }
    // Draws an untextured axis-aligned rectangle in screen coordinates,
    // counter-clockwise in GL coordinates.
    static void FillRect(float x, float y, float w, float h, float r, float g, float b, float a = 1.0f) {
        glDisable(GL_TEXTURE_2D);
        glColor4f(r, g, b, a);
        glBegin(GL_QUADS);
        glVertex2f(x, -y);
        glVertex2f(x, -(y + h));
        glVertex2f(x + w, -(y + h));
        glVertex2f(x + w, -y);
        glEnd();
    }

    PrivateTempDirectory temp;
    std::unique_ptr<OpenGLZodadodu> context;
};

}  // namespace frametest
