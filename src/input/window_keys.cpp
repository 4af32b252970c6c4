#include "input/window_keys.h"

#include <SDL.h>

bool IsFullscreenToggle(const SDL_KeyboardEvent& key) {
    if (key.type != SDL_KEYDOWN || key.repeat != 0) return false;
    const SDL_Scancode code = key.keysym.scancode;
    return code == SDL_SCANCODE_F11 || (code == SDL_SCANCODE_RETURN && (key.keysym.mod & KMOD_ALT) != 0);
}
