#include "render3d/stencil_entry_points.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <cstdlib>

namespace {
StencilEntryPoints g_stencil;
}

const StencilEntryPoints& StencilOps() {
    if (g_stencil.looked) return g_stencil;
    const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if (version == nullptr) return g_stencil;  // no context yet: look again later
    g_stencil.looked = true;
    // "OpenGL ES 2.0 ..." (WebGL) has it as well as any desktop GL from 2.0 on.
    const bool es = version[0] == 'O';
    if (es || std::atoi(version) >= 2)
        g_stencil.glStencilOpSeparate =
            reinterpret_cast<StencilEntryPoints::StencilOpSeparateFn>(SDL_GL_GetProcAddress("glStencilOpSeparate"));
    return g_stencil;
}
