// The game's own meshes as the asset generator writes them: each file reads
// back through the engine's reader, the jet and the crate are closed (they
// cast shadows), the ground is open, and each has the shape and parts it is
// drawn with.
#include <gtest/gtest.h>

#include <string>

#include "aerox/assets/meshes.hpp"
#include "render3d/mesh_format.h"

namespace {

struct MeshCase {
    const char* file;
    bool closed;
    size_t parts;
    unsigned minTriangles;
    float size[3];  // the bounds' extent, within 0.05
};

TEST(GameMeshes, ReadBackClosedWhereTheyCastShadowsAndOfTheirSize) {
    const MeshCase cases[] = {
        {"jet.amsh", true, 5, 150, {2.4f, 0.82f, 2.8f}},
        {"crate.amsh", true, 4, 48, {1.0f, 1.0f, 1.0f}},
        {"ground.amsh", false, 1, 2, {16, 0, 16}},
    };
    const auto files = aerox::assets::buildMeshes();
    ASSERT_EQ(files.size(), std::size(cases));
    for (size_t i = 0; i < files.size(); ++i) {
        const MeshCase& c = cases[i];
        ASSERT_EQ(files[i].path, c.file);
        Mesh mesh;
        std::string error;
        ASSERT_TRUE(ReadMeshBytes(files[i].bytes.data(), files[i].bytes.size(), mesh, error)) << c.file << error;
        EXPECT_EQ(mesh.closed, c.closed) << c.file;
        EXPECT_EQ(mesh.parts.size(), c.parts) << c.file;
        EXPECT_GE(mesh.TriangleCount(), c.minTriangles) << c.file;
        EXPECT_EQ(mesh.normals.size(), mesh.positions.size()) << c.file;
        for (int axis = 0; axis < 3; ++axis)
            EXPECT_NEAR(mesh.boundsMax[axis] - mesh.boundsMin[axis], c.size[axis], 0.05f) << c.file << " axis " << axis;
    }
}

}  // namespace
