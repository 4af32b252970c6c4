// The game's entry, called once the engine is ready, and the settings the
// engine starts it with.
#pragma once
#include <aerox/aerox.h>

// Aerox's start-up: its caption, version and per-user folder; the engine's
// 320x240 screen at 60 frames a second.
StartupSettings AeroxSettings();

void GameMain();
