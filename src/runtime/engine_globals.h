// The process-wide objects of the engine: the start-up settings, the flags
// that steer the frame presenter, the caption, and the pointers to the
// engine objects that EngineInit creates and EndProgram releases.
#pragma once
#include "runtime/rt_string.h"

class OpenGLZodadodu;
struct InputContext;

// Written by the program main before EngineInit reads them.
struct StartupSettings {
    int screenWidth = 320;
    int screenHeight = 240;
    int frameRate = 60;
    int fullScreen = 0;
    int multisampleSamples = 0;
    int DebugMode = 0;
    int captureMouse = 0;
};
extern StartupSettings g_settings;

// Pause while the window is inactive (set on by EngineInit).
extern bool AutoPause;
// Escape ends the program (on from the start).
extern bool EscapeEnds;
// Set while the window has lost the focus; ShowScreen then holds the game.
extern bool Paused;

// The title given to EngineInit ("Aerox"); the paused caption is built from it.
extern RtString g_caption;
// The command-line text after the program name.
extern RtString g_commandLine;

// Set once the software-renderer warning was given (at most once a process).
extern bool g_softwareWarningShown;

extern OpenGLZodadodu* g_engine;
extern InputContext* g_input;
