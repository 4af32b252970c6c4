#include <SDL.h>
#include <SDL_opengl.h>

#include "render3d/fixed_lighting.h"

void BeginSurfaceColours() {
    glEnable(GL_NORMALIZE);  // DrawMesh scales
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
}

void SetSurfaceColour(const float colour[4], const float specular[4], float shininess) {
    glColor4fv(colour);
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT, GL_SHININESS, shininess);
}

void SetLightFading(unsigned int light, float quadratic) {
    glLightf(light, GL_CONSTANT_ATTENUATION, 1);
    glLightf(light, GL_LINEAR_ATTENUATION, 0);
    glLightf(light, GL_QUADRATIC_ATTENUATION, quadratic);
}

void EndSurfaceColours() { glDisable(GL_COLOR_MATERIAL); }
