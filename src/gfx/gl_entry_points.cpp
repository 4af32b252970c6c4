#include "gfx/gl_entry_points.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <cstdlib>
#include <cstring>
#include <string>

MultitextureEntryPoints g_multitexture;

const MultitextureEntryPoints& Multitexture() {
    if (g_multitexture.looked) return g_multitexture;
    const auto* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (extensions == nullptr) return g_multitexture;  // no context yet: look again later
    g_multitexture.looked = true;
    if (std::strstr(extensions, "GL_ARB_multitexture") != nullptr) {
        g_multitexture.glActiveTextureARB =
            reinterpret_cast<MultitextureEntryPoints::ActiveTextureFn>(SDL_GL_GetProcAddress("glActiveTextureARB"));
        g_multitexture.glMultiTexCoord2fARB =
            reinterpret_cast<MultitextureEntryPoints::MultiTexCoord2fFn>(SDL_GL_GetProcAddress("glMultiTexCoord2fARB"));
        if (g_multitexture.glActiveTextureARB == nullptr) g_multitexture.glMultiTexCoord2fARB = nullptr;
    }
    return g_multitexture;
}

FramebufferEntryPoints g_framebuffers;

namespace {

bool HasExtension(const char* extensions, const char* name) {
    const size_t length = std::strlen(name);
    for (const char* at = extensions; (at = std::strstr(at, name)) != nullptr; at += length)
        if ((at == extensions || at[-1] == ' ') && (at[length] == ' ' || at[length] == '\0')) return true;
    return false;
}

template <typename Fn>
void Load(Fn& target, const char* name, const char* suffix) {
    const std::string full = std::string(name) + suffix;
    target = reinterpret_cast<Fn>(SDL_GL_GetProcAddress(full.c_str()));
}

}  // namespace

const FramebufferEntryPoints& Framebuffers() {
    if (g_framebuffers.looked) return g_framebuffers;
    const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    const auto* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (version == nullptr || extensions == nullptr) return g_framebuffers;  // no context yet: look again later
    g_framebuffers.looked = true;
    const char* suffix = nullptr;
    if (std::atoi(version) >= 3 || HasExtension(extensions, "GL_ARB_framebuffer_object"))
        suffix = "";
    else if (HasExtension(extensions, "GL_EXT_framebuffer_object") &&
             HasExtension(extensions, "GL_EXT_framebuffer_blit") &&
             HasExtension(extensions, "GL_EXT_packed_depth_stencil"))
        suffix = "EXT";
    if (suffix == nullptr) return g_framebuffers;
    FramebufferEntryPoints& f = g_framebuffers;
    Load(f.glGenFramebuffers, "glGenFramebuffers", suffix);
    Load(f.glDeleteFramebuffers, "glDeleteFramebuffers", suffix);
    Load(f.glBindFramebuffer, "glBindFramebuffer", suffix);
    Load(f.glFramebufferRenderbuffer, "glFramebufferRenderbuffer", suffix);
    Load(f.glCheckFramebufferStatus, "glCheckFramebufferStatus", suffix);
    Load(f.glGenRenderbuffers, "glGenRenderbuffers", suffix);
    Load(f.glDeleteRenderbuffers, "glDeleteRenderbuffers", suffix);
    Load(f.glBindRenderbuffer, "glBindRenderbuffer", suffix);
    Load(f.glRenderbufferStorage, "glRenderbufferStorage", suffix);
    Load(f.glBlitFramebuffer, "glBlitFramebuffer", suffix);
    const bool all = f.glGenFramebuffers && f.glDeleteFramebuffers && f.glBindFramebuffer &&
                     f.glFramebufferRenderbuffer && f.glCheckFramebufferStatus && f.glGenRenderbuffers &&
                     f.glDeleteRenderbuffers && f.glBindRenderbuffer && f.glRenderbufferStorage && f.glBlitFramebuffer;
    if (!all) {
        f = FramebufferEntryPoints{};
        f.looked = true;
    }
    return g_framebuffers;
}
