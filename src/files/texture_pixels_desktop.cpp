#include <SDL_opengl.h>

#include "files/texture_pixels.h"

bool ReadTextureRgba(unsigned int name, int, int, uint8_t* rgba) {
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return glGetError() == GL_NO_ERROR;
}
