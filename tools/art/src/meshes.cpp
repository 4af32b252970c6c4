#include "aerox/assets/meshes.hpp"

#include <cmath>

#include "render3d/mesh_builders.h"
#include "render3d/mesh_edges.h"
#include "render3d/mesh_format.h"

namespace aerox::assets {

namespace {

constexpr float kPi = 3.14159265f;

struct Placement {
    float scale[3] = {1, 1, 1};
    float offset[3] = {0, 0, 0};
};

MeshMaterial Material(uint32_t colour, uint32_t specular = 0, float shininess = 0) {
    MeshMaterial m;
    m.colour = colour;
    m.specular = specular;
    m.shininess = shininess;
    return m;
}

// Adds the piece, scaled per axis and moved, as one part of the material.
// Normals follow the scaling (divided by it, then made unit length).
void Append(Mesh& into, const Mesh& piece, const Placement& at, uint32_t material) {
    const auto base = static_cast<uint16_t>(into.VertexCount());
    for (size_t v = 0; v < piece.VertexCount(); ++v) {
        float n[3] = {0, 1, 0};
        float length = 0;
        for (int k = 0; k < 3; ++k) {
            into.positions.push_back(piece.positions[3 * v + k] * at.scale[k] + at.offset[k]);
            n[k] = piece.normals[3 * v + k] / at.scale[k];
            length += n[k] * n[k];
        }
        length = std::sqrt(length);
        for (float c : n) into.normals.push_back(length > 0 ? c / length : 0);
        into.texcoords.push_back(piece.texcoords[2 * v]);
        into.texcoords.push_back(piece.texcoords[2 * v + 1]);
    }
    const auto first = static_cast<uint32_t>(into.indices.size());
    for (uint16_t i : piece.indices) into.indices.push_back(static_cast<uint16_t>(base + i));
    into.parts.push_back(MeshPart{first, static_cast<uint32_t>(piece.indices.size()), material});
}

void Finish(Mesh& mesh) {
    ComputeMeshBounds(mesh);
    BuildMeshEdges(mesh);
}

// A body of revolution along z: rings of the given radii at the given z,
// closed at both ends by a tip on the axis.
Mesh Lathe(const std::vector<float>& z, const std::vector<float>& radius, int sides) {
    Mesh m;
    auto vertex = [&m](float x, float y, float zz, float nx, float ny, float nz) {
        m.positions.insert(m.positions.end(), {x, y, zz});
        m.normals.insert(m.normals.end(), {nx, ny, nz});
        m.texcoords.insert(m.texcoords.end(), {0, 0});
    };
    const auto rings = static_cast<int>(z.size());
    vertex(0, 0, z.front() - radius.front(), 0, 0, -1);  // the tail's tip
    for (int r = 0; r < rings; ++r)
        for (int s = 0; s < sides; ++s) {
            const float a = 2 * kPi * static_cast<float>(s) / static_cast<float>(sides);
            vertex(radius[r] * std::cos(a), radius[r] * std::sin(a), z[r], std::cos(a), std::sin(a), 0);
        }
    const auto nose = static_cast<uint16_t>(m.VertexCount());
    vertex(0, 0, z.back() + 3 * radius.back(), 0, 0, 1);
    auto ring = [sides](int r, int s) { return static_cast<uint16_t>(1 + r * sides + (s % sides)); };
    for (int s = 0; s < sides; ++s) {
        m.indices.insert(m.indices.end(), {0, ring(0, s + 1), ring(0, s)});
        for (int r = 0; r + 1 < rings; ++r)
            m.indices.insert(m.indices.end(), {ring(r, s), ring(r, s + 1), ring(r + 1, s + 1), ring(r, s),
                                               ring(r + 1, s + 1), ring(r + 1, s)});
        m.indices.insert(m.indices.end(), {ring(rings - 1, s), ring(rings - 1, s + 1), nose});
    }
    return m;
}

}  // namespace

Mesh makeJetMesh() {
    Mesh jet;
    jet.materials = {Material(0xB8B0A8, 0x404040, 24), Material(0x3050C0), Material(0x603020, 0x606060, 64)};
    Append(jet, Lathe({-1.3f, -0.9f, 0.2f, 0.9f}, {0.12f, 0.2f, 0.22f, 0.16f}, 12), {}, 0);
    const Mesh block = MakeCubeMesh(1);
    Append(jet, block, {{2.4f, 0.05f, 0.7f}, {0, -0.05f, 0}}, 0);                        // wings
    Append(jet, block, {{1.0f, 0.04f, 0.35f}, {0, 0, -1.05f}}, 0);                       // tailplanes
    Append(jet, block, {{0.04f, 0.5f, 0.4f}, {0, 0.35f, -1.05f}}, 1);                    // the fin, in the game's blue
    Append(jet, MakeSphereMesh(0.5f, 12), {{0.26f, 0.2f, 0.6f}, {0, 0.16f, 0.55f}}, 2);  // canopy
    Finish(jet);
    return jet;
}

Mesh makeCrateMesh() {
    Mesh crate;
    crate.materials = {Material(0x2A6A9C), Material(0x1A4A70)};
    const Mesh block = MakeCubeMesh(1);
    Append(crate, block, {{0.9f, 0.9f, 0.9f}, {0, 0, 0}}, 0);
    // Planks round the middle and along the edges, standing out a little.
    Append(crate, block, {{1.0f, 0.12f, 1.0f}, {0, 0.44f, 0}}, 1);
    Append(crate, block, {{1.0f, 0.12f, 1.0f}, {0, -0.44f, 0}}, 1);
    Append(crate, block, {{1.0f, 0.12f, 1.0f}, {0, 0, 0}}, 1);
    Finish(crate);
    return crate;
}

Mesh makeGroundMesh() {
    Mesh ground = MakePlaneMesh(16, 16);
    ground.materials = {Material(0x606870)};
    return ground;
}

std::vector<AssetFile> buildMeshes() {
    return {{"jet.amsh", WriteMeshBytes(makeJetMesh())},
            {"crate.amsh", WriteMeshBytes(makeCrateMesh())},
            {"ground.amsh", WriteMeshBytes(makeGroundMesh())}};
}

}  // namespace aerox::assets
