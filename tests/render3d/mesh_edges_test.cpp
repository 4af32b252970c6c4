// The welded edge list and the silhouettes found from it.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "render3d/mesh_builders.h"
#include "render3d/mesh_edges.h"
#include "render3d/silhouette.h"

namespace {

int OpenEdges(const Mesh& mesh) {
    int open = 0;
    for (const MeshEdge& e : mesh.edges) open += e.face1 == kNoFace ? 1 : 0;
    return open;
}

// The mesh without the triangles first .. first + count - 1, edges rebuilt.
Mesh WithoutTriangles(Mesh mesh, size_t first, size_t count) {
    mesh.indices.erase(mesh.indices.begin() + 3 * first, mesh.indices.begin() + 3 * (first + count));
    BuildMeshEdges(mesh);
    return mesh;
}

}  // namespace

TEST(MeshEdges, CountsAndClosedness) {
    struct Case {
        const char* name;
        Mesh mesh;
        size_t edges;
        int open;
        bool closed;
    };
    // A triangulated cube: 12 sides and 6 face diagonals, welded across its
    // 24 unshared-normal vertices. Without one triangle, that triangle's
    // 3 edges have one face each; without a whole square side (2 triangles),
    // its diagonal goes too and its 4 sides are left open.
    const Case cases[] = {
        {"cube", MakeCubeMesh(1), 18, 0, true},
        {"cube less one triangle", WithoutTriangles(MakeCubeMesh(1), 0, 1), 18, 3, false},
        {"cube less one side", WithoutTriangles(MakeCubeMesh(1), 0, 2), 17, 4, false},
        {"plane", MakePlaneMesh(2, 2), 5, 4, false},
        // 8 slices, 4 rings: 8 * 3 ring edges, 8 * 4 meridian edges, 8 * 2 diagonals.
        {"sphere", MakeSphereMesh(1, 8), 72, 0, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.mesh.edges.size(), c.edges) << c.name;
        EXPECT_EQ(OpenEdges(c.mesh), c.open) << c.name;
        EXPECT_EQ(c.mesh.closed, c.closed) << c.name;
    }
}

TEST(MeshEdges, EachEdgeRunsAsItsFirstFaceWindsIt) {
    const Mesh cube = MakeCubeMesh(1);
    for (const MeshEdge& e : cube.edges) {
        const uint16_t* tri = &cube.indices[3 * e.face0];
        bool found = false;
        for (int k = 0; k < 3; ++k) {
            const float* a = &cube.positions[3 * tri[k]];
            const float* b = &cube.positions[3 * tri[(k + 1) % 3]];
            found = found || (std::equal(a, a + 3, &cube.positions[3 * e.v0]) &&
                              std::equal(b, b + 3, &cube.positions[3 * e.v1]));
        }
        EXPECT_TRUE(found);
    }
}

TEST(Silhouette, EdgesBetweenLitAndUnlitFaces) {
    struct Case {
        const char* name;
        float light[4];
        size_t edges;
        int litFaces;
    };
    const Case cases[] = {
        {"point light off a corner", {5, 6, 7, 1}, 6, 6},
        {"from a corner's direction", {1, 1, 1, 0}, 6, 6},
        {"straight overhead", {0, 1, 0, 0}, 4, 2},
        {"point light in front of one face", {0.1f, 0.2f, 3, 1}, 4, 2},
    };
    const Mesh cube = MakeCubeMesh(1);
    std::vector<uint8_t> facing;
    std::vector<uint32_t> silhouette;
    for (const Case& c : cases) {
        FindSilhouette(cube, c.light, facing, silhouette);
        EXPECT_EQ(silhouette.size(), c.edges) << c.name;
        int lit = 0;
        for (uint8_t f : facing) lit += f;
        EXPECT_EQ(lit, c.litFaces) << c.name;
        // The flag names the lit face of each edge.
        for (uint32_t s : silhouette) {
            const MeshEdge& e = cube.edges[s & ~kSilhouetteFlipped];
            EXPECT_EQ(facing[(s & kSilhouetteFlipped) != 0 ? e.face1 : e.face0], 1) << c.name;
        }
    }
}

TEST(Silhouette, AFrameAfterTheFirstKeepsItsStorage) {
    const Mesh sphere = MakeSphereMesh(1, 32);
    std::vector<uint8_t> facing;
    std::vector<uint32_t> silhouette;
    const float light[4] = {3, 4, 5, 1};
    FindSilhouette(sphere, light, facing, silhouette);
    const void* before[2] = {facing.data(), silhouette.data()};
    FindSilhouette(sphere, light, facing, silhouette);
    EXPECT_EQ(before[0], facing.data());
    EXPECT_EQ(before[1], silhouette.data());
    EXPECT_GT(silhouette.size(), 16u);
}
