// What both importers hand over: triangles of whole vertices with a
// material each, welded into the engine's Mesh (identical vertices shared,
// one part per material, each part's triangles ordered for the vertex
// cache, the edge list built).
#pragma once
#include <string>
#include <vector>

#include "render3d/mesh.h"

struct ImportedVertex {
    float position[3] = {0, 0, 0};
    float normal[3] = {0, 0, 0};
    float texcoord[2] = {0, 0};
};

struct ImportedModel {
    std::vector<ImportedVertex> corners;  // three per triangle
    std::vector<uint32_t> triangleMaterial;
    std::vector<MeshMaterial> materials;
    bool hasNormals = false;
    bool hasTexcoords = false;
};

// One mesh, or several when the model has more vertices than 16-bit
// indices reach (65,536): its parts are then split, each mesh taking the
// triangles in order until the next would pass the limit. False with the
// reason when the model has no triangles or a number that is not finite.
bool AssembleMeshes(const ImportedModel& model, std::vector<Mesh>& meshes, std::string& error);
