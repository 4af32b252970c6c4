#include "engine/startup.h"

#include <SDL.h>

#include <cstdio>
#include <string>

#include "engine/engine_globals.h"
#include "engine/saved_settings.h"
#include "frame/clock.h"
#include "aerox/frames.h"
#include "frame/presenter.h"
#include "gfx/data_resolver.h"
#include "gfx/engine_context.h"
#include "aerox/drawing.h"
#include "gfx/window.h"
#include "input/input_context.h"
#include "runtime/errors.h"
#include "aerox/numbers.h"
#include "runtime/program_path.h"
#include "runtime/startup_steps.h"
#include "runtime/sys_files.h"
#include "sound/sound.h"
#include "sound/sound_opening.h"
#include "userdata/userdata.h"

RtString g_commandLine;

std::string ProgramDirectoryOf(const std::string& programPath) {
    for (size_t i = programPath.size(); i-- > 1;) {
        if (programPath[i] == '/' || programPath[i] == '\\') return programPath.substr(0, i);
    }
    return programPath;
}

int EngineInit(const char* caption, const char* userFolder) {
    // The program has its own main() (SDL_MAIN_HANDLED): SDL is not to wait for one of its own.
    SDL_SetMainReady();
    ClearStartupSteps();
    MarkStartupStep("main");
    AutoPause = true;
    g_engine = new OpenGLZodadodu;
    // The previous run's log goes before the window is made, so that the
    // renderer line the window writes is this run's and stays in the log.
    RemoveFile(LogFilePath());
    // The player's last choices; the command line overrides them for this run.
    InitUserData(userFolder != nullptr && *userFolder != '\0' ? userFolder : caption);
    const UserSettings saved = LoadSessionSettings();
    MarkStartupStep("user folder, settings");
    const int windowScale = g_settings.windowScale > 0 ? g_settings.windowScale : saved.scale;
    const bool desktopFullscreen =
        g_settings.desktopFullscreen >= 0 ? g_settings.desktopFullscreen != 0 : saved.fullscreen;
    // The sound device opens on a thread of its own while the window and
    // its GL context are made (the window system's side started first: the
    // two start nothing of SDL in common then).
    const bool video = StartVideo();
    MarkStartupStep("video");
    CreateSound();
    if (video) StartOpeningSound(g_soundDevice);
    if (!video || !CreateGameWindow(*g_engine, g_settings.screenWidth, g_settings.screenHeight, 0, g_settings.frameRate,
                                    g_settings.multisampleSamples, windowScale)) {
        FinishOpeningSound();
        // Nothing can be shown without a window: end at once.
        EndProgram();
    }
    MarkStartupStep("window shown");
    SetWindowCaption(*g_engine, caption);
    g_caption = caption;
    g_input = new InputContext;
    SeedRandom(static_cast<uint32_t>(static_cast<int64_t>(NowMs())));
    if (g_settings.fullScreen == 0)
        EnterWindowed(*g_engine);
    else
        EnterFullscreen(*g_engine);
    if (desktopFullscreen && g_settings.fullScreen == 0) SetDesktopFullscreen(*g_engine, true);
    KeepWindowChoices();
    MarkStartupStep("window mode");
    // Before the gamepads: SDL starts one subsystem at a time.
    FinishOpeningSound();
    SetMixVolume(saved.volume / 100.0);
    MarkStartupStep("sound (the rest of its opening)");
    InitInput(g_input, g_engine->window, g_settings.captureMouse != 0);
    MarkStartupStep("input, gamepads");
    g_engine->currentFont = 0;
    const std::string directory = ProgramDirectoryOf(ProgramPath());
    // Failure to change directory is ignored: assets are then looked up
    // relative to wherever the program was started.
    if (!directory.empty()) ChangeDirectory(directory);
    CreateDataResolvers(directory);
    MarkStartupStep("data folders");
    ClearScreen();
    g_frameClock.thisFrame = g_frameClock.previousFrame = g_frameClock.startup = NowMs();
    FramePresent(*g_engine);
    MarkStartupStep("first frame");
    SetViewport(*g_engine, 0, 0, 0, 0);
    double width = 0, height = 0;
    GetScreenSize(width, height);
    LoadFont("", 0);
    // smalfont.bmp beside the program replaces the built-in font; a game
    // without one keeps the built-in font, which is no failure to log.
    if (std::string font; ResolveAssetFile("smalfont.bmp", font)) LoadFont("smalfont.bmp", 0);
    double charWidth = 0, charHeight = 0;
    GetFontSize(charWidth, charHeight);
    MarkStartupStep("font");
    PrintText("Loading...", (width - 10 * charWidth) * 0.5, (height - charHeight) * 0.5);
    ShowScreen();
    MarkStartupStep("loading frame");
    Paused = false;
    g_frameClock.thisFrame = g_frameClock.previousFrame = g_frameClock.startup = NowMs();
    std::fputs("Init OK\n", stdout);
    std::fflush(stdout);
    return 0;
}
