// The edge list shadow volumes need: vertices welded by position, each edge
// with the one or two triangles that share it.
#pragma once
#include "render3d/mesh.h"

// Rebuilds mesh.edges and mesh.closed from the positions and indices. Two
// triangles share an edge when they run along it in opposite directions;
// an edge met a third time, or twice in the same direction, is kept as a
// further one-face edge (the mesh is then not closed).
void BuildMeshEdges(Mesh& mesh);
