#include "gfx/gl_entry_points.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <cstring>

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
