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
    // How big the window shows the screen: a whole scale, 0 for the scale
    // the player chose last time (settings.ini), else the largest that fits
    // the display comfortably.
    int windowScale = 0;
    // 1: start in desktop full screen (the display mode stays), 0: in a
    // window, -1: as the player chose last time.
    int desktopFullscreen = -1;
};
extern StartupSettings g_settings;
