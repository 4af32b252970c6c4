#include <SDL.h>
#include <SDL_opengl.h>

#include "gfx/gl_profile.h"
#include "gfx/held_frame.h"

void AskForFixedPipelineGl() { SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY); }

int RgbaTextureFormat() { return GL_RGBA8; }

void SetTightUnpacking() {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
}

void SetRenderingHints() {
    held::ShadeModel(GL_FLAT);
    held::Hint(GL_PERSPECTIVE_CORRECTION_HINT, GL_FASTEST);
    held::Hint(GL_POLYGON_SMOOTH_HINT, GL_FASTEST);
}

bool KeepsUnchangedFrames() { return true; }
