#include "render3d/silhouette.h"

void FindSilhouette(const Mesh& mesh, const float light[4], std::vector<uint8_t>& facing,
                    std::vector<uint32_t>& silhouette) {
    const uint32_t faces = mesh.TriangleCount();
    facing.resize(faces);
    silhouette.clear();
    const float* p = mesh.positions.data();
    const uint16_t* index = mesh.indices.data();
    for (size_t f = 0; f < faces; ++f) {
        const float* a = p + size_t{3} * index[3 * f];
        const float* b = p + size_t{3} * index[3 * f + 1];
        const float* c = p + size_t{3} * index[3 * f + 2];
        const float ux = b[0] - a[0], uy = b[1] - a[1], uz = b[2] - a[2];
        const float vx = c[0] - a[0], vy = c[1] - a[1], vz = c[2] - a[2];
        const float nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
        // Toward the light: from the face to the light's position, or the direction it comes from.
        const float lx = light[0] - light[3] * a[0], ly = light[1] - light[3] * a[1], lz = light[2] - light[3] * a[2];
        facing[f] = nx * lx + ny * ly + nz * lz > 0 ? 1 : 0;
    }
    const uint32_t edges = static_cast<uint32_t>(mesh.edges.size());
    for (uint32_t e = 0; e < edges; ++e) {
        const MeshEdge& edge = mesh.edges[e];
        const uint8_t first = facing[edge.face0];
        const uint8_t second = edge.face1 == kNoFace ? 0 : facing[edge.face1];
        if (first != second) silhouette.push_back(first != 0 ? e : (e | kSilhouetteFlipped));
    }
}
