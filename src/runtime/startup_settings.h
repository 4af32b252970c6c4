// The settings the program entry fixes before start-up: read by every layer
// (the screen size by the window, DebugMode by the presenter and the
// program end), so they live at the bottom with the other plain values.
#pragma once
#include "aerox/program.h"

extern StartupSettings g_settings;
