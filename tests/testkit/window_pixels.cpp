#include "testkit/window_pixels.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <cstring>

#include "gfx/engine_context.h"
#include "gfx/gl_entry_points.h"
#include "gfx/offscreen_frame.h"

namespace testkit {

WindowPixels ShowAndReadWindow(OpenGLZodadodu& context) {
    constexpr GLenum kReadFramebuffer = 0x8CA8;
    WindowPixels shot;
    if (!ShowFrameInWindow(context)) {
        // Shown through the window's surface: read that, as the X server got it.
        SDL_Surface* surface = SDL_GetWindowSurface(context.window);
        shot.throughSurface = true;
        shot.width = surface->w;
        shot.height = surface->h;
        shot.pixels.resize(static_cast<size_t>(shot.width) * shot.height * 4);
        for (int y = 0; y < shot.height; ++y)
            for (int x = 0; x < shot.width; ++x) {
                Uint32 pixel = 0;
                std::memcpy(&pixel, static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch + x * 4, 4);
                uint8_t* to = shot.pixels.data() + (static_cast<size_t>(shot.height - 1 - y) * shot.width + x) * 4;
                SDL_GetRGBA(pixel, surface->format, &to[0], &to[1], &to[2], &to[3]);
            }
        return shot;
    }
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
