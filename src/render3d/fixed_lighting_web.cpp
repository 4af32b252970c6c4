// emscripten's emulation takes the material through glMaterialfv only and
// has no glColorMaterial, glMaterialf or glLightf: each would be an
// undefined symbol at link time.
#include <SDL.h>
#include <SDL_opengl.h>

#include "render3d/fixed_lighting.h"

void BeginSurfaceColours() {}

void SetSurfaceColour(const float colour[4], const float specular[4], float shininess) {
    glColor4fv(colour);  // for anything drawn unlit
    glMaterialfv(GL_FRONT, GL_AMBIENT, colour);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, colour);
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    const float shine[4] = {shininess, 0, 0, 0};
    glMaterialfv(GL_FRONT, GL_SHININESS, shine);
}

void SetLightFading(unsigned int, float) {}

void EndSurfaceColours() {}
