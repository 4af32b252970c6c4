// The fixed pipeline's lighting calls that a desktop GL and the browser's
// emulation of it (over WebGL) take differently: the emulation lights with
// the material alone (no colour tracking) and knows no fading of lights.
#pragma once

// Makes the colours given next the surface's ambient and diffuse colour,
// and (where the GL has the switch) normals of scaled meshes unit length.
void BeginSurfaceColours();
// The surface's colour (ambient and diffuse), specular colour and shininess.
void SetSurfaceColour(const float colour[4], const float specular[4], float shininess);
// A point light's fading: 1 / (1 + quadratic * distance squared).
void SetLightFading(unsigned int light, float quadratic);
// Back to the colour state the 2D drawing expects.
void EndSurfaceColours();
