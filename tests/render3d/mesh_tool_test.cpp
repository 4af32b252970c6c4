// aerox-mesh run as a process on models the test writes: OBJ and glTF in,
// a mesh file the engine loads out; broken models refused with the reason
// and exit code 1, and no output file left behind.
#include <gtest/gtest.h>
#ifdef AEROX_MESH_TOOL
#include <sys/wait.h>  // only where the tool is built: Linux
#endif

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "render3d/mesh_format.h"
#include "testkit/testkit.h"

namespace {

const char* kCubeObj = R"(mtllib cube.mtl
v -1 -1 -1
v 1 -1 -1
v 1 1 -1
v -1 1 -1
v -1 -1 1
v 1 -1 1
v 1 1 1
v -1 1 1
usemtl red
f 1 4 3 2
f 5 6 7 8
f 1 2 6 5
usemtl blue
f 2 3 7 6
f 3 4 8 7
f 4 1 5 8
)";
const char* kCubeMtl = "newmtl red\nKd 1 0 0\nNs 40\nmap_Kd crate.png\nnewmtl blue\nKd 0 0 1\n";
// One triangle, its three positions in a base64 buffer.
const char* kTriangleGltf =
    R"({"asset":{"version":"2.0"},"meshes":[{"primitives":[{"attributes":{"POSITION":0}}]}],)"
    R"("accessors":[{"bufferView":0,"componentType":5126,"count":COUNT,"type":"VEC3"}],)"
    R"("bufferViews":[{"buffer":0,"byteLength":36}],"buffers":[{"byteLength":36,)"
    R"("uri":"data:application/octet-stream;base64,AAAAAAAAAAAAAAAAAACAPwAAAAAAAAAAAAAAAAAAgD8AAAAA"}],)"
    R"("nodes":[{"mesh":0,"translation":[0,2,0]}],"scenes":[{"nodes":[0]}],"scene":0})";

std::string WithCount(const char* count) {
    std::string text = kTriangleGltf;
    text.replace(text.find("COUNT"), 5, count);
    return text;
}

struct ToolRun {
    int exitCode = -1;
    std::string errors;
};

}  // namespace

class MeshTool : public ::testing::Test {
protected:
    void SetUp() override {
#ifndef AEROX_MESH_TOOL
        GTEST_SKIP() << "aerox-mesh is not built here";
#endif
    }
    ToolRun Convert([[maybe_unused]] const std::string& input, [[maybe_unused]] const std::string& output) {
        ToolRun run;
#ifdef AEROX_MESH_TOOL
        const std::string errors = folder_.File("errors.txt");
        const std::string command =
            std::string("'") + AEROX_MESH_TOOL + "' '" + input + "' '" + output + "' >/dev/null 2>'" + errors + "'";
        const int status = std::system(command.c_str());
        run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        run.errors = testkit::ReadFile(errors);
#endif
        return run;
    }
    std::string Write(const char* name, const std::string& text) {
        std::string path = folder_.File(name);
        testkit::WriteFile(path, text);
        return path;
    }
    testkit::TempFolder folder_;
};

TEST_F(MeshTool, ObjAndGltfBecomeMeshFiles) {
    Write("cube.mtl", kCubeMtl);
    const std::string out = folder_.File("cube.amsh");
    ToolRun run = Convert(Write("cube.obj", kCubeObj), out);
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    Mesh mesh;
    std::string error;
    ASSERT_TRUE(ReadMeshFile(out, mesh, error)) << error;
    EXPECT_EQ(mesh.VertexCount(), 8u);  // welded: the OBJ has no normals to keep apart
    EXPECT_EQ(mesh.TriangleCount(), 12u);
    EXPECT_TRUE(mesh.closed);
    ASSERT_EQ(mesh.parts.size(), 2u);
    EXPECT_EQ(mesh.materials[mesh.parts[0].material].colour, 0x0000FFu);
    EXPECT_EQ(mesh.materials[mesh.parts[0].material].texture, "crate.png");
    EXPECT_EQ(mesh.materials[mesh.parts[1].material].colour, 0xFF0000u);

    const std::string triangle = folder_.File("triangle.amsh");
    run = Convert(Write("triangle.gltf", WithCount("3")), triangle);
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    ASSERT_TRUE(ReadMeshFile(triangle, mesh, error)) << error;
    EXPECT_EQ(mesh.TriangleCount(), 1u);
    EXPECT_FALSE(mesh.closed);
    EXPECT_EQ(mesh.boundsMin[1], 2.0f) << "placed by its node";
}

TEST_F(MeshTool, BrokenModelsAreRefusedWithTheReason) {
    struct Case {
        const char* name;
        const char* file;
        std::string text;
        const char* reason;
    };
    const Case cases[] = {
        {"OBJ face past the vertices", "bad.obj", "v 0 0 0\nv 1 0 0\nf 1 2 7\n", "not there"},
        {"OBJ without faces", "empty.obj", "v 0 0 0\n", "no triangles"},
        {"glTF accessor past its buffer", "long.gltf", WithCount("300"), "past its buffer"},
        {"glTF that is not JSON", "broken.gltf", "{not json", "parse error"},
        {"not a model", "model.txt", "hello", "not a .gltf"},
    };
    for (const Case& c : cases) {
        const std::string out = folder_.File(std::string(c.file) + ".amsh");
        const ToolRun run = Convert(Write(c.file, c.text), out);
        EXPECT_EQ(run.exitCode, 1) << c.name;
        EXPECT_NE(run.errors.find(c.reason), std::string::npos) << c.name << ": " << run.errors;
        EXPECT_FALSE(std::filesystem::exists(out)) << c.name;
    }
}

// A grid of 300 x 300 vertices (90,000, more than 16-bit indices reach) in
// one material: the part is split over model.amsh and model-2.amsh, each
// within the limit, every triangle kept once.
TEST_F(MeshTool, AModelOfTooManyVerticesIsSplitOverSeveralFiles) {
    constexpr int kSide = 300;
    std::string obj;
    obj.reserve(6'000'000);
    for (int z = 0; z < kSide; ++z)
        for (int x = 0; x < kSide; ++x) obj += "v " + std::to_string(x) + " 0 " + std::to_string(z) + "\n";
    for (int z = 0; z + 1 < kSide; ++z)
        for (int x = 0; x + 1 < kSide; ++x) {
            const int a = z * kSide + x + 1, b = a + 1, c = a + kSide, d = c + 1;
            obj += "f " + std::to_string(a) + " " + std::to_string(c) + " " + std::to_string(b) + "\n";
            obj += "f " + std::to_string(b) + " " + std::to_string(c) + " " + std::to_string(d) + "\n";
        }
    const ToolRun run = Convert(Write("grid.obj", obj), folder_.File("grid.amsh"));
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    uint32_t triangles = 0;
    for (const char* name : {"grid.amsh", "grid-2.amsh"}) {
        Mesh mesh;
        std::string error;
        ASSERT_TRUE(ReadMeshFile(folder_.File(name), mesh, error)) << name << ": " << error;
        EXPECT_LE(mesh.VertexCount(), kMaxMeshVertices) << name;
        EXPECT_GT(mesh.VertexCount(), 10000u) << name;
        triangles += mesh.TriangleCount();
    }
    EXPECT_EQ(triangles, 2u * (kSide - 1) * (kSide - 1));
    EXPECT_FALSE(std::filesystem::exists(folder_.File("grid-3.amsh")));
}
