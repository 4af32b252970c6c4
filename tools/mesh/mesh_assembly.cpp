#include "mesh_assembly.h"

#include <meshoptimizer.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <unordered_map>

#include "render3d/mesh_edges.h"
#include "render3d/mesh_format.h"

namespace {

struct VertexKey {
    ImportedVertex v;
    bool operator==(const VertexKey& o) const {
        return std::equal(v.position, v.position + 3, o.v.position) && std::equal(v.normal, v.normal + 3, o.v.normal) &&
               std::equal(v.texcoord, v.texcoord + 2, o.v.texcoord);
    }
};
struct VertexHash {
    size_t operator()(const VertexKey& k) const {
        size_t h = 1469598103934665603ull;
        const auto* bytes = reinterpret_cast<const unsigned char*>(&k.v);
        for (size_t i = 0; i < sizeof k.v; ++i) h = (h ^ bytes[i]) * 1099511628211ull;
        return h;
    }
};

bool Finite(const ImportedVertex& v) {
    for (float f : v.position)
        if (!std::isfinite(f)) return false;
    for (float f : v.normal)
        if (!std::isfinite(f)) return false;
    return std::isfinite(v.texcoord[0]) && std::isfinite(v.texcoord[1]);
}

// One mesh being filled: its vertices, indices and the part now open.
struct MeshUnderway {
    std::unordered_map<VertexKey, uint32_t, VertexHash> index;
    std::vector<uint32_t> indices;
    std::vector<ImportedVertex> vertices;
    Mesh mesh;
    size_t partFirst = 0;
};

// Ends the open part (if it has triangles), its triangles ordered for the
// vertex cache.
void ClosePart(MeshUnderway& m, const MeshMaterial& material) {
    const size_t count = m.indices.size() - m.partFirst;
    if (count == 0) return;
    meshopt_optimizeVertexCache(m.indices.data() + m.partFirst, m.indices.data() + m.partFirst, count,
                                m.vertices.size());
    m.mesh.parts.push_back(MeshPart{static_cast<uint32_t>(m.partFirst), static_cast<uint32_t>(count),
                                    static_cast<uint32_t>(m.mesh.materials.size())});
    m.mesh.materials.push_back(material);
    m.partFirst = m.indices.size();
}

// The vertices in the order the triangles first use them, the 16-bit
// indices, bounds and edges.
Mesh FinishMesh(MeshUnderway& m, const ImportedModel& model) {
    std::vector<unsigned int> remap(m.vertices.size());
    const size_t unique =
        meshopt_optimizeVertexFetchRemap(remap.data(), m.indices.data(), m.indices.size(), m.vertices.size());
    std::vector<ImportedVertex> ordered(unique);
    for (size_t v = 0; v < m.vertices.size(); ++v)
        if (remap[v] != ~0u) ordered[remap[v]] = m.vertices[v];
    Mesh mesh = std::move(m.mesh);
    for (const ImportedVertex& v : ordered) {
        mesh.positions.insert(mesh.positions.end(), v.position, v.position + 3);
        if (model.hasNormals) mesh.normals.insert(mesh.normals.end(), v.normal, v.normal + 3);
        if (model.hasTexcoords) mesh.texcoords.insert(mesh.texcoords.end(), v.texcoord, v.texcoord + 2);
    }
    for (uint32_t i : m.indices) mesh.indices.push_back(static_cast<uint16_t>(remap[i]));
    ComputeMeshBounds(mesh);
    BuildMeshEdges(mesh);
    m = MeshUnderway{};
    return mesh;
}

}  // namespace

bool AssembleMeshes(const ImportedModel& model, std::vector<Mesh>& meshes, std::string& error) {
    meshes.clear();
    const size_t triangles = model.corners.size() / 3;
    if (triangles == 0) {
        error = "it holds no triangles";
        return false;
    }
    // Triangles grouped by material, in the order the materials come.
    std::map<uint32_t, std::vector<size_t>> byMaterial;
    for (size_t t = 0; t < triangles; ++t) byMaterial[model.triangleMaterial[t]].push_back(t);
    MeshUnderway m;
    for (const auto& [materialIndex, list] : byMaterial) {
        const MeshMaterial material =
            materialIndex < model.materials.size() ? model.materials[materialIndex] : MeshMaterial{};
        for (size_t t : list) {
            VertexKey keys[3];
            for (int k = 0; k < 3; ++k) {
                const ImportedVertex& v = model.corners[3 * t + k];
                if (!Finite(v)) {
                    error = "a vertex has a number that is not finite (NaN or infinity)";
                    return false;
                }
                VertexKey& key = keys[k];
                std::memcpy(key.v.position, v.position, sizeof v.position);
                if (model.hasNormals) std::memcpy(key.v.normal, v.normal, sizeof v.normal);
                if (model.hasTexcoords) std::memcpy(key.v.texcoord, v.texcoord, sizeof v.texcoord);
                // -0 and +0 are one number: one bit pattern, so that they hash alike.
                for (float* f : {key.v.position, key.v.position + 1, key.v.position + 2, key.v.normal, key.v.normal + 1,
                                 key.v.normal + 2, key.v.texcoord, key.v.texcoord + 1})
                    if (*f == 0) *f = 0;
            }
            // 16-bit indices reach 65,536 vertices: a part that would pass
            // that goes on in the next mesh.
            size_t added = 0;
            for (int k = 0; k < 3; ++k) {
                bool known = m.index.count(keys[k]) != 0;
                for (int j = 0; j < k; ++j) known = known || keys[j] == keys[k];
                added += known ? 0 : 1;
            }
            if (m.vertices.size() + added > kMaxMeshVertices) {
                ClosePart(m, material);
                meshes.push_back(FinishMesh(m, model));
            }
            for (const VertexKey& key : keys) {
                const auto [at, isNew] = m.index.emplace(key, static_cast<uint32_t>(m.vertices.size()));
                if (isNew) m.vertices.push_back(key.v);
                m.indices.push_back(at->second);
            }
        }
        ClosePart(m, material);
    }
    meshes.push_back(FinishMesh(m, model));
    return true;
}
