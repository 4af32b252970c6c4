// Meshes made in code, for tests and quick scenes: centred on the origin,
// wound counter-clockwise seen from outside, with normals, texture
// coordinates, one white part and their edge list.
#pragma once
#include "render3d/mesh.h"

// A cube of side size: 24 vertices (4 a face, for sharp normals), 12 triangles.
Mesh MakeCubeMesh(float size);
// A sphere of segments (3..128) slices and segments / 2 (at least 2) rings.
Mesh MakeSphereMesh(float radius, int segments);
// A flat rectangle in the x-z plane facing up (+y): 2 triangles, open.
Mesh MakePlaneMesh(float width, float depth);
