// The .amsh reader and writer: meshes written then read back equal, and
// files that are cut short, corrupt or hostile refused with a reason.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "render3d/mesh_builders.h"
#include "render3d/mesh_format.h"

namespace {

void ExpectSameMesh(const Mesh& a, const Mesh& b) {
    EXPECT_EQ(a.positions, b.positions);
    EXPECT_EQ(a.normals, b.normals);
    EXPECT_EQ(a.texcoords, b.texcoords);
    EXPECT_EQ(a.colours, b.colours);
    EXPECT_EQ(a.indices, b.indices);
    ASSERT_EQ(a.parts.size(), b.parts.size());
    for (size_t i = 0; i < a.parts.size(); ++i) {
        EXPECT_EQ(a.parts[i].firstIndex, b.parts[i].firstIndex);
        EXPECT_EQ(a.parts[i].indexCount, b.parts[i].indexCount);
        EXPECT_EQ(a.parts[i].material, b.parts[i].material);
    }
    ASSERT_EQ(a.materials.size(), b.materials.size());
    for (size_t i = 0; i < a.materials.size(); ++i) {
        EXPECT_EQ(a.materials[i].colour, b.materials[i].colour);
        EXPECT_EQ(a.materials[i].specular, b.materials[i].specular);
        EXPECT_EQ(a.materials[i].shininess, b.materials[i].shininess);
        EXPECT_EQ(a.materials[i].texture, b.materials[i].texture);
    }
    ASSERT_EQ(a.edges.size(), b.edges.size());
    for (size_t i = 0; i < a.edges.size(); ++i) {
        EXPECT_EQ(a.edges[i].v0, b.edges[i].v0);
        EXPECT_EQ(a.edges[i].v1, b.edges[i].v1);
        EXPECT_EQ(a.edges[i].face0, b.edges[i].face0);
        EXPECT_EQ(a.edges[i].face1, b.edges[i].face1);
    }
    EXPECT_EQ(a.closed, b.closed);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(a.boundsMin[k], b.boundsMin[k]);
        EXPECT_EQ(a.boundsMax[k], b.boundsMax[k]);
    }
}

// A cube with two parts, two materials (one textured) and vertex colours.
Mesh RichCube() {
    Mesh mesh = MakeCubeMesh(2);
    mesh.colours.assign(mesh.VertexCount(), 0x102030);
    mesh.materials = {MeshMaterial{0x0000FF, 0x404040, 32, "crate.png"}, MeshMaterial{0x00FF00, 0, 0, ""}};
    mesh.parts = {MeshPart{0, 18, 0}, MeshPart{18, 18, 1}};
    return mesh;
}

uint32_t Get32(const std::vector<uint8_t>& b, size_t at) {
    uint32_t v = 0;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) { std::memcpy(b.data() + at, &v, 4); }

// The byte offset of a section's table entry.
size_t EntryOf(const std::vector<uint8_t>& b, const char* tag) {
    uint32_t want = 0;
    std::memcpy(&want, tag, 4);
    for (size_t at = 16; at + 12 <= 16 + 12 * static_cast<size_t>(Get32(b, 12)); at += 12)
        if (Get32(b, at) == want) return at;
    ADD_FAILURE() << "no section " << tag;
    return 16;
}

}  // namespace

TEST(MeshFormat, WrittenThenReadBackEqual) {
    for (const Mesh& mesh : {MakeCubeMesh(1), MakeSphereMesh(1.5f, 12), MakePlaneMesh(4, 2), RichCube()}) {
        const std::vector<uint8_t> bytes = WriteMeshBytes(mesh);
        Mesh back;
        std::string error;
        ASSERT_TRUE(ReadMeshBytes(bytes.data(), bytes.size(), back, error)) << error;
        ExpectSameMesh(mesh, back);
    }
}

TEST(MeshFormat, UnknownSectionsAreSkipped) {
    std::vector<uint8_t> bytes = WriteMeshBytes(MakeCubeMesh(1));
    // A later minor version's section: the bounds entry renamed.
    std::memcpy(bytes.data() + EntryOf(bytes, "BNDS"), "FUTR", 4);
    Mesh back;
    std::string error;
    ASSERT_TRUE(ReadMeshBytes(bytes.data(), bytes.size(), back, error)) << error;
    EXPECT_EQ(back.TriangleCount(), 12u);
    EXPECT_FLOAT_EQ(back.boundsMax[0], 0.5f);  // worked out from the positions
}

TEST(MeshFormat, EveryTruncationIsRefused) {
    const std::vector<uint8_t> bytes = WriteMeshBytes(RichCube());
    for (size_t size = 0; size < bytes.size(); ++size) {
        Mesh back;
        std::string error;
        EXPECT_FALSE(ReadMeshBytes(bytes.data(), size, back, error)) << size;
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(back.VertexCount(), 0u);
    }
}

TEST(MeshFormat, CorruptFilesAreRefusedWithTheReason) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* name;
        std::function<void(std::vector<uint8_t>&)> corrupt;
        const char* reason;
    };
    const Case cases[] = {
        {"not the format", [](auto& b) { b[0] = 'X'; }, "not a mesh file"},
        {"newer major version", [](auto& b) { b[4] = 2; }, "newer version"},
        {"section count huge", [](auto& b) { Put32(b, 12, 0x7FFFFFFF); }, "section table"},
        {"offset past the end", [](auto& b) { Put32(b, EntryOf(b, "POSN") + 4, static_cast<uint32_t>(b.size() + 4)); },
         "past the end"},
        {"2 GB section size", [](auto& b) { Put32(b, EntryOf(b, "INDX") + 8, 0x80000000u); }, "past the end"},
        {"4 GB offset wraps", [](auto& b) { Put32(b, EntryOf(b, "INDX") + 4, 0xFFFFFFF0u); }, "past the end"},
        {"index beyond the vertices",
         [](auto& b) {
             const size_t at = Get32(b, EntryOf(b, "INDX") + 4);
             b[at] = 24;
             b[at + 1] = 0;
         },
         "index beyond"},
        {"NaN position", [nan](auto& b) { std::memcpy(b.data() + Get32(b, EntryOf(b, "POSN") + 4) + 8, &nan, 4); },
         "non-finite"},
        {"part past the indices", [](auto& b) { Put32(b, Get32(b, EntryOf(b, "PART") + 4) + 16, 36); }, "part"},
        {"part with a missing material", [](auto& b) { Put32(b, Get32(b, EntryOf(b, "PART") + 4) + 8, 2); }, "part"},
        {"texture name outside the strings", [](auto& b) { Put32(b, Get32(b, EntryOf(b, "MATL") + 4) + 12, 999); },
         "texture name"},
        {"edge beyond the faces", [](auto& b) { Put32(b, Get32(b, EntryOf(b, "EDGE") + 4) + 4, 12); }, "edge"},
        {"positions not whole vertices", [](auto& b) { Put32(b, EntryOf(b, "POSN") + 8, 8); }, "positions"},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = WriteMeshBytes(RichCube());
        c.corrupt(bytes);
        Mesh back;
        std::string error;
        EXPECT_FALSE(ReadMeshBytes(bytes.data(), bytes.size(), back, error)) << c.name;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.name << ": " << error;
        EXPECT_EQ(back.VertexCount(), 0u) << c.name;
    }
}

TEST(MeshFormat, ClosedComesFromTheEdgesNotTheFlag) {
    Mesh open = MakePlaneMesh(1, 1);
    open.closed = true;  // a lying flag
    const std::vector<uint8_t> bytes = WriteMeshBytes(open);
    Mesh back;
    std::string error;
    ASSERT_TRUE(ReadMeshBytes(bytes.data(), bytes.size(), back, error)) << error;
    EXPECT_FALSE(back.closed);
}
