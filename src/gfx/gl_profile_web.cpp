// A browser has WebGL 1, which SDL asks for as OpenGL ES 2.0; emscripten's
// emulation runs the fixed pipeline's calls on it. WebGL 1 knows neither
// sized texture formats nor row lengths and skips when unpacking, and has
// no shading model or hints of that kind: each would only be an error in
// the page's console.
#include <SDL.h>
#include <SDL_opengl.h>

#include "gfx/gl_profile.h"

void AskForFixedPipelineGl() {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
}

int RgbaTextureFormat() { return GL_RGBA; }

void SetTightUnpacking() { glPixelStorei(GL_UNPACK_ALIGNMENT, 1); }

void SetRenderingHints() {}

// The page shows the canvas whenever the thread is handed to it: every frame
// is drawn.
bool KeepsUnchangedFrames() { return false; }
