#include <SDL_opengl.h>

#include "gfx/texture_alpha.h"

bool ReadTextureAlpha(unsigned int name, int, int, uint8_t* alpha) {
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_ALPHA, GL_UNSIGNED_BYTE, alpha);
    return true;
}
