// The silhouette of a mesh seen from a light: the edges between a face
// turned toward the light and one turned away.
#pragma once
#include <cstdint>
#include <vector>

#include "render3d/mesh.h"

// light: x, y, z, w in the mesh's own space; w = 1 for a point light at
// (x, y, z), w = 0 for light coming from the direction (x, y, z).
// Fills facing with one flag per triangle (1: turned toward the light) and
// silhouette with the indices of the silhouette edges, each with a flag in
// bit 31 set when its second face is the lit one. Both vectors keep their
// storage, so a frame after the first allocates nothing.
void FindSilhouette(const Mesh& mesh, const float light[4], std::vector<uint8_t>& facing,
                    std::vector<uint32_t>& silhouette);

constexpr uint32_t kSilhouetteFlipped = 0x80000000u;
