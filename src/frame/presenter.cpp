#include "frame/presenter.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include "frame/clock.h"
#include "aerox/frames.h"
#include "frame/screenshot.h"
#include "gfx/draw.h"
#include "gfx/engine_context.h"
#include "gfx/held_frame.h"
#include "aerox/drawing.h"
#include "gfx/offscreen_frame.h"
#include "gfx/window.h"
#include "input/input_context.h"
#include "input/window_keys.h"
#include "render3d/scene_state.h"
#include "runtime/errors.h"
#include "runtime/engine_required.h"
#include "runtime/startup_settings.h"

bool AutoPause = false;
bool EscapeEnds = true;
bool Paused = false;
RtString g_caption;

namespace {
FrameObserver g_frameObserver = nullptr;
void* g_frameObserverUser = nullptr;
bool g_frameObserverUsesGl = true;

constexpr int kScanEscape = 1;
// Set when Escape starts ending the program while it is held: the press
// that a screen took as "back" must not end the program on the next one.
bool g_escapeAwaitsRelease = false;
constexpr int kScanLeftAlt = 56;
constexpr int kScanF4 = 62;
constexpr int kScanF12 = 88;

[[noreturn]] void Quit() {
    g_errorState.errorLine = g_errorState.currentLine;
    g_errorState.errorCode = 0;
    EndProgram();
}
}  // namespace

namespace {
FrameOverlay g_frameOverlay = nullptr;
}  // namespace

void SetFrameOverlay(FrameOverlay overlay) { g_frameOverlay = overlay; }

void SetFrameObserver(FrameObserver observer, void* user, bool usesGl) {
    g_frameObserver = observer;
    g_frameObserverUser = user;
    g_frameObserverUsesGl = usesGl;
}

namespace {
bool IsEngineWindow(Uint32 windowID) {
    return g_engine != nullptr && g_engine->window != nullptr && windowID == SDL_GetWindowID(g_engine->window);
}
}  // namespace

void WindowProc(const SDL_Event& event) {
    // A quit request (the last window closed, or the process asked to stop).
    if (event.type == SDL_QUIT) EndProgram();
    // Alt+Return and F11: the input layer hides the press from the game.
    if (event.type == SDL_KEYDOWN && IsFullscreenToggle(event.key) && IsEngineWindow(event.key.windowID)) {
        DrawHeldFrameNow();
        SetDesktopFullscreen(*g_engine, !IsFullscreen(*g_engine));
    }
    if (event.type != SDL_WINDOWEVENT || !IsEngineWindow(event.window.windowID)) return;
    // Exposed, resized, shown again: the window's picture is to be drawn anew.
    DrawHeldFrameNow();
    switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            // The close button; the error state is left as it is.
            EndProgram();
        case SDL_WINDOWEVENT_FOCUS_LOST:
            // Let the screen saver run again while another window is in front.
            SDL_EnableScreenSaver();
            if (g_settings.DebugMode == 0 && AutoPause) {
                RtString paused = g_caption + " <pause>";
                SetWindowCaption(*g_engine, paused.Text());
                Paused = true;
            }
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            // No screen saver and no monitor power-off while we have focus.
            SDL_DisableScreenSaver();
            if (g_settings.DebugMode == 0 && AutoPause) {
                SetWindowCaption(*g_engine, g_caption.Text());
                Paused = false;
            }
            break;
        default: break;
    }
}

int PumpMessages() {
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) WindowProc(event);
    return 1;
}

double FramePresent(OpenGLZodadodu& context) {
    if (context.window != nullptr) {
        if (g_frameOverlay != nullptr) g_frameOverlay(context);
        if (g_frameObserver != nullptr) {
            if (g_frameObserverUsesGl) DrawHeldFrameNow();
            g_frameObserver(context, g_frameObserverUser);
        }
        // A frame equal to the one on the screen is neither drawn nor shown.
        if (!FinishHeldFrame() && ShowFrameInWindow(context)) SDL_GL_SwapWindow(context.window);
    }
    const double t0 = NowMs();
    Clock& clock = CurrentClock();
    double now = t0;
    // Until the deadline: dispatch what is queued, then let the clock wait a
    // step (it sleeps while the deadline is far and spins, or returns for the
    // caller to spin, when it is near, so the release stays exact). Events
    // are not dispatched again once the deadline has passed: that would
    // only delay the release.
    PumpMessages();
    for (;;) {
        now = NowMs();
        if (now > context.frameStartTime) break;
        clock.WaitToward(context.frameStartTime);
        now = NowMs();
        if (now > context.frameStartTime) break;
        PumpMessages();
    }
    // The next frame starts on a clear screen once the wait is over: a
    // browser shows the canvas whenever the wait hands it the thread, and a
    // clear before that would be what it shows.
    if (context.window != nullptr) {
        const bool drewDirect = context.frame.drawsDirect;
        ChooseFrameTarget(context);
        if (context.frame.drawsDirect != drewDirect) ForgetShownFrame();
        BeginHeldFrame();
        held::Clear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    // The next slot of the grid; slots already past are skipped, not made up.
    context.frameStartTime += context.framePeriod;
    if (context.framePeriod > 0) {
        while (now > context.frameStartTime) context.frameStartTime += context.framePeriod;
    }
    return (now - t0) + 1.0;
}

void ShowScreen() {
    g_frameClock.previousFrame = g_frameClock.thisFrame;
    g_frameClock.thisFrame = NowMs();
    while (Paused) {
        PumpMessages();
        CurrentClock().Sleep(100);
    }
    if (g_input != nullptr) {
        PollKeyboard(g_input);
        g_input->mouseRefreshPending = true;
        const bool escape = KeyHeld(g_input, kScanEscape);
        if (!escape) g_escapeAwaitsRelease = false;
        if (EscapeEnds && escape && !g_escapeAwaitsRelease) Quit();
        if (KeyHeld(g_input, kScanLeftAlt) && KeyHeld(g_input, kScanF4)) Quit();
        // Before the frame is shown, while it is still there to be read.
        ScreenshotOnKey(g_engine, KeyHeld(g_input, kScanF12));
        NextKeyFrame(g_input);
    }
    if (!RequireEngine(g_engine != nullptr, "ShowScreen")) return;
    if (FramePresent(*g_engine) == 0.0) Quit();
    // A fresh drawing state for the next frame, with background image 0
    // (when one is set) underneath everything the game draws.
    held::Disable(GL_BLEND);
    g_engine->currentAlpha = 1.0f;
    held::Color4f(1, 1, 1, 1);
    DrawBackgroundImage(*g_engine, 0);
    SetViewport(*g_engine, 0, 0, 0, 0);
    // A 3D recording never ended belongs to the frame just shown.
    ResetSceneFrame();
}

void SetFrameRate(double framesPerSecond) {
    if (!RequireEngine(g_engine != nullptr, "SetFrameRate")) return;
    const double rate = framesPerSecond > -2147483649.0 && framesPerSecond < 2147483648.0 ? framesPerSecond : 0;
    g_engine->framePeriod = FramePeriodFor(static_cast<int>(rate));
}

void SetScreenMode(double width, double height, double bitsPerPixel, double fullScreen) {
    if (!RequireEngine(g_engine != nullptr, "SetScreenMode")) return;
    auto toInt = [](double v) { return v > 0 && v < 65536 ? static_cast<int>(v) : 0; };
    if (toInt(width) != 0) g_engine->screenWidth = toInt(width);
    if (toInt(height) != 0) g_engine->screenHeight = toInt(height);
    if (toInt(bitsPerPixel) != 0) g_engine->bitsPerPixel = toInt(bitsPerPixel);
    if (fullScreen != 0)
        EnterFullscreen(*g_engine);
    else
        EnterWindowed(*g_engine);
}

void Viewport(double x, double y, double width, double height) {
    if (!RequireEngine(g_engine != nullptr, "Viewport")) return;
    auto toInt = [](double v) { return v > -1e6 && v < 1e6 ? static_cast<int>(v) : 0; };
    SetViewport(*g_engine, toInt(x), toInt(y), toInt(width), toInt(height));
}

void SetEscapeEnds(double on) {
    // The keyboard tells whether Escape is held as it is switched on.
    if (!RequireEngine(g_input != nullptr, "SetEscapeEnds")) return;
    if (on != 0 && !EscapeEnds && KeyHeld(g_input, kScanEscape)) g_escapeAwaitsRelease = true;
    EscapeEnds = on != 0;
}
void SetAutoPause(double on) {
    // Start-up sets it anew: a choice made before would be lost unsaid.
    if (!RequireEngine(g_engine != nullptr, "SetAutoPause")) return;
    AutoPause = on != 0;
}
