#include "gfx/offscreen_frame.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include "gfx/engine_context.h"
#include "gfx/frame_scaling.h"
#include "gfx/frame_through_surface.h"
#include "gfx/gl_entry_points.h"

namespace {

// Framebuffer tokens of GL 3.0; the EXT extensions use the same values.
constexpr GLenum kFramebuffer = 0x8D40;
constexpr GLenum kReadFramebuffer = 0x8CA8;
constexpr GLenum kDrawFramebuffer = 0x8CA9;
constexpr GLenum kRenderbuffer = 0x8D41;
constexpr GLenum kColourAttachment0 = 0x8CE0;
constexpr GLenum kDepthAttachment = 0x8D00;
constexpr GLenum kStencilAttachment = 0x8D20;
constexpr GLenum kDepth24Stencil8 = 0x88F0;
constexpr GLenum kFramebufferComplete = 0x8CD5;

void Forget(OpenGLZodadodu& context) { context.frame = OpenGLZodadodu::OffscreenFrame{}; }

}  // namespace

bool HasOffscreenFrame(const OpenGLZodadodu& context) { return context.frame.framebuffer != 0; }

void ChooseFrameTarget(OpenGLZodadodu& context) {
    OpenGLZodadodu::OffscreenFrame& frame = context.frame;
    if (frame.framebuffer == 0 || context.window == nullptr) return;
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(context.window, &width, &height);
    const bool direct = width == frame.width && height == frame.height;
    if (direct == frame.drawsDirect) return;
    frame.drawsDirect = direct;
    Framebuffers().glBindFramebuffer(kFramebuffer, direct ? 0 : frame.framebuffer);
}

void ReleaseOffscreenFrame(OpenGLZodadodu& context) {
    OpenGLZodadodu::OffscreenFrame& frame = context.frame;
    // Names of a GL context that is gone went with it.
    if (frame.framebuffer != 0 && frame.owner == context.glContext && SDL_GL_GetCurrentContext() == frame.owner) {
        const FramebufferEntryPoints& fb = Framebuffers();
        fb.glBindFramebuffer(kFramebuffer, 0);
        fb.glDeleteFramebuffers(1, &frame.framebuffer);
        fb.glDeleteRenderbuffers(1, &frame.colour);
        fb.glDeleteRenderbuffers(1, &frame.depthStencil);
    }
    Forget(context);
}

bool PrepareOffscreenFrame(OpenGLZodadodu& context) {
    const FramebufferEntryPoints& fb = Framebuffers();
    if (!fb.available() || context.screenWidth <= 0 || context.screenHeight <= 0) {
        ReleaseOffscreenFrame(context);
        return false;
    }
    OpenGLZodadodu::OffscreenFrame& frame = context.frame;
    if (frame.framebuffer != 0 && frame.owner == context.glContext && frame.width == context.screenWidth &&
        frame.height == context.screenHeight) {
        fb.glBindFramebuffer(kFramebuffer, frame.drawsDirect ? 0 : frame.framebuffer);
        return true;
    }
    ReleaseOffscreenFrame(context);
    fb.glGenRenderbuffers(1, &frame.colour);
    fb.glBindRenderbuffer(kRenderbuffer, frame.colour);
    fb.glRenderbufferStorage(kRenderbuffer, GL_RGB8, context.screenWidth, context.screenHeight);
    fb.glGenRenderbuffers(1, &frame.depthStencil);
    fb.glBindRenderbuffer(kRenderbuffer, frame.depthStencil);
    fb.glRenderbufferStorage(kRenderbuffer, kDepth24Stencil8, context.screenWidth, context.screenHeight);
    fb.glBindRenderbuffer(kRenderbuffer, 0);
    fb.glGenFramebuffers(1, &frame.framebuffer);
    fb.glBindFramebuffer(kFramebuffer, frame.framebuffer);
    fb.glFramebufferRenderbuffer(kFramebuffer, kColourAttachment0, kRenderbuffer, frame.colour);
    fb.glFramebufferRenderbuffer(kFramebuffer, kDepthAttachment, kRenderbuffer, frame.depthStencil);
    fb.glFramebufferRenderbuffer(kFramebuffer, kStencilAttachment, kRenderbuffer, frame.depthStencil);
    frame.owner = context.glContext;
    frame.width = context.screenWidth;
    frame.height = context.screenHeight;
    if (fb.glCheckFramebufferStatus(kFramebuffer) != kFramebufferComplete) {
        ReleaseOffscreenFrame(context);
        return false;
    }
    // The read buffer belongs to the framebuffer object: set once, every
    // read of the screen (pixels, grabs, read-backs) reads the frame.
    glDrawBuffer(kColourAttachment0);
    glReadBuffer(kColourAttachment0);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    return true;
}

bool ShowFrameInWindow(OpenGLZodadodu& context) {
    const OpenGLZodadodu::OffscreenFrame& frame = context.frame;
    if (frame.framebuffer == 0 || frame.drawsDirect || context.window == nullptr) return true;
    if (context.framesThroughSurface && ShowFrameThroughSurface(context)) return false;
    const FramebufferEntryPoints& fb = Framebuffers();
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(context.window, &width, &height);
    const PixelRect to = FramePlacement(frame.width, frame.height, width, height);
    fb.glBindFramebuffer(kDrawFramebuffer, 0);
    if (to.width != width || to.height != height) {
        // The bars; the clear colour is the engine's black at all times.
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    fb.glBlitFramebuffer(0, 0, frame.width, frame.height, to.x, to.y, to.x + to.width, to.y + to.height,
                         GL_COLOR_BUFFER_BIT, GL_NEAREST);
    fb.glBindFramebuffer(kReadFramebuffer, frame.framebuffer);
    fb.glBindFramebuffer(kDrawFramebuffer, frame.framebuffer);
    return true;
}
