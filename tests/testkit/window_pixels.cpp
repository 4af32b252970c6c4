#include "testkit/window_pixels.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include "gfx/engine_context.h"
#include "gfx/gl_entry_points.h"
#include "gfx/offscreen_frame.h"

namespace testkit {

WindowPixels ShowAndReadWindow(OpenGLZodadodu& context) {
    constexpr GLenum kReadFramebuffer = 0x8CA8;
    ShowFrameInWindow(context);
    WindowPixels shot;
    SDL_GL_GetDrawableSize(context.window, &shot.width, &shot.height);
    shot.pixels.resize(static_cast<size_t>(shot.width) * shot.height * 4);
    Framebuffers().glBindFramebuffer(kReadFramebuffer, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, shot.width, shot.height, GL_RGBA, GL_UNSIGNED_BYTE, shot.pixels.data());
    Framebuffers().glBindFramebuffer(kReadFramebuffer, context.frame.drawsDirect ? 0 : context.frame.framebuffer);
    return shot;
}

}  // namespace testkit
