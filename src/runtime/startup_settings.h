// The settings the program entry fixes before start-up: read by every layer
// (the screen size by the window, DebugMode by the presenter and the
// program end), so they live at the bottom with the other plain values.
#pragma once

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
