#include <SDL.h>

#include "gfx/warning_box.h"

void ShowWarningBox(const char* title, const char* text) {
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, title, text, nullptr);
}
