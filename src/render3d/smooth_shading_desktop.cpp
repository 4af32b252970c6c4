#include <SDL.h>
#include <SDL_opengl.h>

#include "render3d/smooth_shading.h"

void UseSmoothShading() { glShadeModel(GL_SMOOTH); }
