// A mesh as the 3D layer holds it: one vertex array of at most 65,536
// vertices (16-bit indices), triangles in parts with a material each, and
// the welded edge list that shadow volumes are built from.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

constexpr uint32_t kMaxMeshVertices = 65536;
// Marks the missing second face of an edge that only one triangle has.
constexpr uint32_t kNoFace = 0xFFFFFFFFu;

struct MeshPart {
    uint32_t firstIndex = 0;
    uint32_t indexCount = 0;
    uint32_t material = 0;
};

struct MeshMaterial {
    uint32_t colour = 0xFFFFFF;  // 0x00BBGGRR
    uint32_t specular = 0;       // 0x00BBGGRR
    float shininess = 0;         // 0..128
    std::string texture;         // a name for the game to resolve; may be empty
};

// Each edge's vertices are welded ones (the first vertex at that position),
// wound as the first face winds them.
struct MeshEdge {
    uint16_t v0 = 0, v1 = 0;
    uint32_t face0 = 0;
    uint32_t face1 = kNoFace;
};

struct Mesh {
    float boundsMin[3] = {0, 0, 0};
    float boundsMax[3] = {0, 0, 0};
    std::vector<float> positions;   // x, y, z per vertex
    std::vector<float> normals;     // x, y, z per vertex, or empty
    std::vector<float> texcoords;   // u, v per vertex, or empty
    std::vector<uint32_t> colours;  // 0x00BBGGRR per vertex, or empty
    std::vector<uint16_t> indices;  // three per triangle
    std::vector<MeshPart> parts;
    std::vector<MeshMaterial> materials;
    std::vector<MeshEdge> edges;
    bool closed = false;  // every edge has two faces: it may cast shadows

    uint32_t VertexCount() const { return static_cast<uint32_t>(positions.size() / 3); }
    uint32_t TriangleCount() const { return static_cast<uint32_t>(indices.size() / 3); }
};

// Sets the bounds from the positions (all zero for no vertices).
void ComputeMeshBounds(Mesh& mesh);
