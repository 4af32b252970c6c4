// The X window behind an SDL window, for driving it with xdotool. Kept
// apart because the X headers' macros clash with GoogleTest.
#pragma once

struct SDL_Window;

// 0 when the window is not an X11 window.
unsigned long XWindowOf(SDL_Window* window);
