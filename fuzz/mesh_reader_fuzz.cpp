// Feeds arbitrary bytes to the .amsh reader; what it accepts must hold
// together: every index, part and edge inside the mesh, every position
// finite. Accepted meshes then have their silhouette found and are written
// and read back.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "render3d/mesh_format.h"
#include "render3d/silhouette.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Mesh mesh;
    std::string error;
    if (!ReadMeshBytes(data, size, mesh, error)) {
        if (error.empty() || mesh.VertexCount() != 0) __builtin_trap();
        return 0;
    }
    const uint32_t vertices = mesh.VertexCount();
    if (vertices == 0 || vertices > kMaxMeshVertices || mesh.parts.empty() || mesh.materials.empty()) __builtin_trap();
    for (float v : mesh.positions)
        if (!std::isfinite(v)) __builtin_trap();
    for (uint16_t i : mesh.indices)
        if (i >= vertices) __builtin_trap();
    for (const MeshPart& p : mesh.parts)
        if (p.firstIndex + static_cast<uint64_t>(p.indexCount) > mesh.indices.size() ||
            p.material >= mesh.materials.size())
            __builtin_trap();
    std::vector<uint8_t> facing;
    std::vector<uint32_t> silhouette;
    const float light[4] = {1, 2, 3, 1};
    FindSilhouette(mesh, light, facing, silhouette);
    const std::vector<uint8_t> again = WriteMeshBytes(mesh);
    Mesh back;
    if (!ReadMeshBytes(again.data(), again.size(), back, error) || back.indices != mesh.indices) __builtin_trap();
    return 0;
}
