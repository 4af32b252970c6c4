// The keys that belong to the window rather than to the game: Alt+Return
// and F11 switch between the window and the full screen.
#pragma once

struct SDL_KeyboardEvent;

// True for the press (not a repeat) of Alt+Return or F11.
bool IsFullscreenToggle(const SDL_KeyboardEvent& key);
