// WebGL's fixed-pipeline emulation shades smoothly always and knows no
// shading model: the call would only be an error in the page's console.
#include "render3d/smooth_shading.h"

void UseSmoothShading() {}
