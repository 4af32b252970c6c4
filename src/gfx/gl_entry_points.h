// The GL_ARB_multitexture entry points that drawing uses when the GL has
// them. Null pointers mean single-texture binding.
#pragma once

struct MultitextureEntryPoints {
    using ActiveTextureFn = void (*)(unsigned int unit);
    using MultiTexCoord2fFn = void (*)(unsigned int unit, float s, float t);
    ActiveTextureFn glActiveTextureARB = nullptr;
    MultiTexCoord2fFn glMultiTexCoord2fARB = nullptr;
    bool looked = false;  // the extension string has been read
};

// Process-wide, like the GL functions themselves.
extern MultitextureEntryPoints g_multitexture;

// Reads the extension string once (a GL context must be current) and loads
// the two entry points when "GL_ARB_multitexture" is in it.
const MultitextureEntryPoints& Multitexture();

// Framebuffer objects and the framebuffer blit (GL 3.0, ARB_framebuffer_object
// or the EXT trio with packed depth and stencil), which the offscreen frame
// needs. All null when the GL has none of them.
struct FramebufferEntryPoints {
    using GenFn = void (*)(int count, unsigned int* names);
    using DeleteFn = void (*)(int count, const unsigned int* names);
    using BindFn = void (*)(unsigned int target, unsigned int name);
    using AttachRenderbufferFn = void (*)(unsigned int target, unsigned int attachment, unsigned int renderbufferTarget,
                                          unsigned int renderbuffer);
    using CheckStatusFn = unsigned int (*)(unsigned int target);
    using StorageFn = void (*)(unsigned int target, unsigned int format, int width, int height);
    using BlitFn = void (*)(int srcX0, int srcY0, int srcX1, int srcY1, int dstX0, int dstY0, int dstX1, int dstY1,
                            unsigned int mask, unsigned int filter);
    GenFn glGenFramebuffers = nullptr;
    DeleteFn glDeleteFramebuffers = nullptr;
    BindFn glBindFramebuffer = nullptr;
    AttachRenderbufferFn glFramebufferRenderbuffer = nullptr;
    CheckStatusFn glCheckFramebufferStatus = nullptr;
    GenFn glGenRenderbuffers = nullptr;
    DeleteFn glDeleteRenderbuffers = nullptr;
    BindFn glBindRenderbuffer = nullptr;
    StorageFn glRenderbufferStorage = nullptr;
    BlitFn glBlitFramebuffer = nullptr;
    bool looked = false;
    bool available() const { return glBlitFramebuffer != nullptr; }
};

extern FramebufferEntryPoints g_framebuffers;

// Looks the entry points up once (a GL context must be current); either
// every one of them is there or none is kept.
const FramebufferEntryPoints& Framebuffers();
