// The engine's settings between runs: read once at start-up and applied,
// written again whenever a game changes one through its command.
#pragma once
#include "userdata/settings.h"

// Reads settings.ini (defaults when there is none) and keeps it as the
// session's settings; the caller applies what it needs at start-up.
const UserSettings& LoadSessionSettings();
// The session's settings as they are now.
const UserSettings& SessionSettings();
// Replaces the session's settings and saves them when they changed.
void UpdateSessionSettings(const UserSettings& settings);
// From now on, a window scale or full-screen choice the player makes (the
// game's commands, Alt+Return, F11) is kept in the session's settings.
void KeepWindowChoices();
