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
