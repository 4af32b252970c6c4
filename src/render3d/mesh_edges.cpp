#include "render3d/mesh_edges.h"

#include <cstring>
#include <unordered_map>

namespace {

struct PositionKey {
    uint32_t bits[3];
    bool operator==(const PositionKey& o) const { return std::memcmp(bits, o.bits, sizeof bits) == 0; }
};
struct PositionHash {
    size_t operator()(const PositionKey& k) const {
        return (k.bits[0] * 73856093u) ^ (k.bits[1] * 19349663u) ^ (k.bits[2] * 83492791u);
    }
};

PositionKey KeyOf(const float* p) {
    PositionKey key{};
    for (int a = 0; a < 3; ++a) {
        const float v = p[a] == 0.0f ? 0.0f : p[a];  // -0 and +0 weld
        std::memcpy(&key.bits[a], &v, 4);
    }
    return key;
}

}  // namespace

void BuildMeshEdges(Mesh& mesh) {
    mesh.edges.clear();
    const uint32_t vertices = mesh.VertexCount();
    std::vector<uint16_t> welded(vertices);
    std::unordered_map<PositionKey, uint16_t, PositionHash> first;
    first.reserve(vertices);
    for (size_t v = 0; v < vertices; ++v)
        welded[v] = first.emplace(KeyOf(&mesh.positions[3 * v]), static_cast<uint16_t>(v)).first->second;

    // An edge waiting for its second face, by (from, to) as its first face winds it.
    std::unordered_map<uint32_t, uint32_t> open;
    open.reserve(mesh.indices.size());
    const uint32_t faces = mesh.TriangleCount();
    for (uint32_t f = 0; f < faces; ++f) {
        for (int k = 0; k < 3; ++k) {
            const uint16_t a = welded[mesh.indices[3 * f + k]];
            const uint16_t b = welded[mesh.indices[3 * f + (k + 1) % 3]];
            if (a == b) continue;  // a degenerate triangle's collapsed side
            const auto reverse = open.find(static_cast<uint32_t>(b) << 16 | a);
            if (reverse != open.end()) {
                mesh.edges[reverse->second].face1 = f;
                open.erase(reverse);
                continue;
            }
            open[static_cast<uint32_t>(a) << 16 | b] = static_cast<uint32_t>(mesh.edges.size());
            mesh.edges.push_back(MeshEdge{a, b, f, kNoFace});
        }
    }
    mesh.closed = !mesh.edges.empty() && open.empty();
    for (const MeshEdge& e : mesh.edges) mesh.closed = mesh.closed && e.face1 != kNoFace;
}
