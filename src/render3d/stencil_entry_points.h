// Two-sided stencil operations (GL 2.0, or WebGL), which let one pass over
// the shadow volumes count both their faces. Null when the GL has neither:
// the volumes are then drawn twice, once for each side.
#pragma once

struct StencilEntryPoints {
    using StencilOpSeparateFn = void (*)(unsigned int face, unsigned int stencilFail, unsigned int depthFail,
                                         unsigned int depthPass);
    StencilOpSeparateFn glStencilOpSeparate = nullptr;
    bool looked = false;
};

// Looks the entry point up once (a GL context must be current).
const StencilEntryPoints& StencilOps();
