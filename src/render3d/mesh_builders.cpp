#include "render3d/mesh_builders.h"

#include <algorithm>
#include <cmath>

#include "render3d/mesh_edges.h"

namespace {

void AddVertex(Mesh& mesh, const float p[3], const float n[3], float u, float v) {
    mesh.positions.insert(mesh.positions.end(), p, p + 3);
    mesh.normals.insert(mesh.normals.end(), n, n + 3);
    mesh.texcoords.push_back(u);
    mesh.texcoords.push_back(v);
}

void AddTriangle(Mesh& mesh, uint32_t a, uint32_t b, uint32_t c) {
    for (uint32_t i : {a, b, c}) mesh.indices.push_back(static_cast<uint16_t>(i));
}

void Finish(Mesh& mesh) {
    mesh.materials.assign(1, MeshMaterial{});
    mesh.parts.assign(1, MeshPart{0, static_cast<uint32_t>(mesh.indices.size()), 0});
    ComputeMeshBounds(mesh);
    BuildMeshEdges(mesh);
}

}  // namespace

Mesh MakeCubeMesh(float size) {
    Mesh mesh;
    const float h = size / 2;
    // Each face: its normal n, and t, b with t x b = n, so that the corners
    // -t-b, +t-b, +t+b, -t+b run counter-clockwise seen from outside.
    struct Face {
        float n[3], t[3], b[3];
    };
    const Face faces[6] = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {{-1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
                           {{0, 1, 0}, {0, 0, 1}, {1, 0, 0}}, {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
                           {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}}, {{0, 0, -1}, {0, 1, 0}, {1, 0, 0}}};
    const float corner[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
    for (const Face& f : faces) {
        const uint32_t base = mesh.VertexCount();
        for (const auto& c : corner) {
            float p[3];
            for (int a = 0; a < 3; ++a) p[a] = h * (f.n[a] + c[0] * f.t[a] + c[1] * f.b[a]);
            AddVertex(mesh, p, f.n, (c[0] + 1) / 2, (c[1] + 1) / 2);
        }
        AddTriangle(mesh, base, base + 1, base + 2);
        AddTriangle(mesh, base, base + 2, base + 3);
    }
    Finish(mesh);
    return mesh;
}

Mesh MakeSphereMesh(float radius, int segments) {
    Mesh mesh;
    const int slices = std::clamp(segments, 3, 128);
    const int rings = std::max(2, slices / 2);
    const double pi = 3.14159265358979323846;
    for (int r = 0; r <= rings; ++r) {
        const double theta = pi * r / rings;
        for (int s = 0; s <= slices; ++s) {
            // The seam and the poles repeat positions exactly, so that they weld.
            const double phi = 2 * pi * (s % slices) / slices;
            double n[3] = {std::sin(theta) * std::cos(phi), std::cos(theta), std::sin(theta) * std::sin(phi)};
            if (r == 0 || r == rings) n[0] = n[2] = 0, n[1] = r == 0 ? 1 : -1;
            const float nf[3] = {static_cast<float>(n[0]), static_cast<float>(n[1]), static_cast<float>(n[2])};
            const float p[3] = {radius * nf[0], radius * nf[1], radius * nf[2]};
            AddVertex(mesh, p, nf, static_cast<float>(s) / slices, static_cast<float>(r) / rings);
        }
    }
    const uint32_t row = static_cast<uint32_t>(slices + 1);
    for (int r = 0; r < rings; ++r)
        for (int s = 0; s < slices; ++s) {
            const uint32_t a = r * row + s, b = a + 1, c = a + row, d = c + 1;
            // Outward from above: a (upper ring) -> b -> d -> c.
            // The pole rows would give one collapsed triangle each: left out.
            if (r != rings - 1) AddTriangle(mesh, a, d, c);
            if (r != 0) AddTriangle(mesh, a, b, d);
        }
    Finish(mesh);
    return mesh;
}

Mesh MakePlaneMesh(float width, float depth) {
    Mesh mesh;
    const float w = width / 2, d = depth / 2;
    const float up[3] = {0, 1, 0};
    const float corners[4][3] = {{-w, 0, -d}, {-w, 0, d}, {w, 0, d}, {w, 0, -d}};
    const float uv[4][2] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
    for (int i = 0; i < 4; ++i) AddVertex(mesh, corners[i], up, uv[i][0], uv[i][1]);
    AddTriangle(mesh, 0, 1, 2);
    AddTriangle(mesh, 0, 2, 3);
    Finish(mesh);
    return mesh;
}
