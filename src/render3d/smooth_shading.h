// Smooth shading for the 3D passes where the GL has a shading model (the
// 2D state asks for flat shading again when it is restored).
#pragma once

void UseSmoothShading();
