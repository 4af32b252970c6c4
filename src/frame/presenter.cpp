#include "frame/presenter.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include "commands.h"
#include "frame/clock.h"
#include "gfx/window.h"
#include "input/input_context.h"
#include "runtime/engine_context.h"
#include "runtime/engine_globals.h"

namespace {
FrameObserver g_frameObserver = nullptr;
void* g_frameObserverUser = nullptr;

constexpr int kScanEscape = 1;
constexpr int kScanLeftAlt = 56;
constexpr int kScanF4 = 62;

[[noreturn]] void Quit() {
    g_errorState.errorLine = g_errorState.currentLine;
    g_errorState.errorCode = 0;
    EndProgram();
}
}  // namespace

void SetFrameObserver(FrameObserver observer, void* user) {
    g_frameObserver = observer;
    g_frameObserverUser = user;
}

void WindowProc(const SDL_Event& event) {
    if (event.type == SDL_QUIT) EndProgram();
    if (event.type != SDL_WINDOWEVENT) return;
    switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            EndProgram();
        case SDL_WINDOWEVENT_FOCUS_LOST:
            if (g_settings.DebugMode == 0 && AutoPause && g_engine != nullptr) {
                RtString paused = g_caption + " <pause>";
                SetWindowCaption(*g_engine, paused.Text());
                Paused = true;
            }
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            if (g_settings.DebugMode == 0 && AutoPause && g_engine != nullptr) {
                SetWindowCaption(*g_engine, g_caption.Text());
                Paused = false;
            }
            break;
        default:
            break;
    }
}

int PumpMessages() {
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) WindowProc(event);
    return 1;
}

double FramePresent(OpenGLZodadodu& context) {
    if (g_frameObserver != nullptr) g_frameObserver(context, g_frameObserverUser);
    if (context.window != nullptr) SDL_GL_SwapWindow(context.window);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const double t0 = NowMs();
    Clock& clock = CurrentClock();
    double now = t0;
    for (;;) {
        PumpMessages();
        now = NowMs();
        if (now > context.frameStartTime) break;
        clock.WaitToward(context.frameStartTime);
    }
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
        if (EscapeEnds && KeyHeld(g_input, kScanEscape)) Quit();
        if (KeyHeld(g_input, kScanLeftAlt) && KeyHeld(g_input, kScanF4)) Quit();
    }
    if (g_engine == nullptr) return;
    if (FramePresent(*g_engine) == 0.0) Quit();
    glDisable(GL_BLEND);
    g_engine->currentAlpha = 1.0f;
    glColor4f(1, 1, 1, 1);
    SetViewport(*g_engine, 0, 0, 0, 0);
}

void SetFrameRate(double framesPerSecond) {
    if (g_engine == nullptr) return;
    const double rate = framesPerSecond > -2147483649.0 && framesPerSecond < 2147483648.0 ? framesPerSecond : 0;
    g_engine->framePeriod = FramePeriodFor(static_cast<int>(rate));
}

void SetScreenMode(double width, double height, double bitsPerPixel, double fullScreen) {
    if (g_engine == nullptr) return;
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
    if (g_engine == nullptr) return;
    auto toInt = [](double v) { return v > -1e6 && v < 1e6 ? static_cast<int>(v) : 0; };
    SetViewport(*g_engine, toInt(x), toInt(y), toInt(width), toInt(height));
}

void SetEscapeEnds(double on) { EscapeEnds = on != 0; }
void SetAutoPause(double on) { AutoPause = on != 0; }
