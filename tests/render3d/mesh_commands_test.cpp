// The mesh, camera and light commands without a window: what they give
// back, and bad input answered with the failure value and one log line.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "aerox/aerox.h"
#include "render3d/mesh_builders.h"
#include "render3d/mesh_format.h"
#include "render3d/scene_state.h"
#include "runtime/errors.h"
#include "testkit/testkit.h"

namespace {

size_t LogSize() { return testkit::ReadFile(LogFilePath()).size(); }

int LogLinesSince(size_t start) {
    const std::string log = testkit::ReadFile(LogFilePath());
    int lines = 0;
    for (size_t i = start; i < log.size(); ++i) lines += log[i] == '\n';
    return lines;
}

const double kNan = std::numeric_limits<double>::quiet_NaN();

class MeshCommands : public ::testing::Test {
protected:
    void SetUp() override { Scene() = SceneState{}; }
    void TearDown() override { Scene() = SceneState{}; }
    std::string WriteMesh(const std::string& name, const std::vector<uint8_t>& bytes) {
        const std::string path = folder_.File(name);
        testkit::WriteFile(path, std::string(bytes.begin(), bytes.end()));
        return path;
    }
    testkit::TempFolder folder_;
};

}  // namespace

TEST_F(MeshCommands, MadeAndLoadedMeshesAnswerForThemselves) {
    ASSERT_EQ(MakeCube(0, 2), 1);
    EXPECT_EQ(MeshTriangles(0), 12);
    EXPECT_EQ(MeshSize(0, 1), 2);
    EXPECT_EQ(MeshClosed(0), 1);
    ASSERT_EQ(MakePlane(4095, 6, 3), 1);
    EXPECT_EQ(MeshSize(4095, 0), 6);
    EXPECT_EQ(MeshSize(4095, 2), 3);
    EXPECT_EQ(MeshClosed(4095), 0);
    ASSERT_EQ(MakeSphere(7, 1, 16), 1);
    EXPECT_EQ(MeshClosed(7), 1);
    EXPECT_NEAR(MeshSize(7, 0), 2, 1e-6);

    const std::string path = WriteMesh("sphere.amsh", WriteMeshBytes(MakeSphereMesh(2, 10)));
    ASSERT_EQ(LoadMesh(3, path.c_str()), 1);
    EXPECT_EQ(MeshTriangles(3), MakeSphereMesh(2, 10).TriangleCount());
    EXPECT_EQ(MeshClosed(3), 1);
    EXPECT_EQ(SetMeshColour(3, 0, 0x0000FF), 1);
    EXPECT_EQ(SetMeshTexture(3, 0, -1), 1);
    FreeMesh(3);
    EXPECT_EQ(MeshTriangles(3), 0);
}

TEST_F(MeshCommands, BadInputGivesTheFailureValueAndOneLogLine) {
    ASSERT_EQ(MakeCube(1, 1), 1);
    std::vector<uint8_t> newer = WriteMeshBytes(MakeCubeMesh(1));
    newer[4] = 9;
    const std::string newerPath = WriteMesh("newer.amsh", newer);
    const std::string textPath = WriteMesh("text.amsh", {'h', 'e', 'l', 'l', 'o'});
    struct Case {
        const char* name;
        std::function<double()> call;
        double failure;
    };
    const Case cases[] = {
        {"missing file", [] { return LoadMesh(2, "no-such.amsh"); }, 0},
        {"not the format", [&] { return LoadMesh(2, textPath.c_str()); }, 0},
        {"newer major version", [&] { return LoadMesh(2, newerPath.c_str()); }, 0},
        {"slot 4096", [] { return MakeCube(4096, 1); }, 0},
        {"slot -1", [] { return MeshTriangles(-1); }, 0},
        {"slot NaN", [] { return MakePlane(kNan, 1, 1); }, 0},
        {"empty slot", [] { return MeshClosed(9); }, 0},
        {"size 0", [] { return MakeCube(2, 0); }, 0},
        {"sphere of 2 segments", [] { return MakeSphere(2, 1, 2); }, 0},
        {"axis 3", [] { return MeshSize(1, 3); }, 0},
        {"part 1 of one", [] { return SetMeshColour(1, 1, 0); }, 0},
        {"empty sprite slot", [] { return SetMeshTexture(1, 0, 5); }, 0},
        {"light 8", [] { return SetLight(8, 0, 0, -1, 0, 0xFFFFFF); }, 0},
        {"light kind 2", [] { return SetLight(0, 2, 0, -1, 0, 0xFFFFFF); }, 0},
        {"direction of length 0", [] { return SetLight(0, 0, 0, 0, 0, 0xFFFFFF); }, 0},
        {"negative range", [] { return SetLightRange(0, -1); }, 0},
        {"shadow light 8", [] { return SetShadowLight(8); }, 0},
        {"lens of 180 degrees", [] { return SetCameraLens(180, 0.1); }, 0},
        {"near plane 0", [] { return SetCameraLens(60, 0); }, 0},
    };
    for (const Case& c : cases) {
        const size_t start = LogSize();
        EXPECT_EQ(c.call(), c.failure) << c.name;
        EXPECT_EQ(LogLinesSince(start), 1) << c.name;
    }
    EXPECT_EQ(MeshTriangles(2), 0) << "a failed load leaves the slot empty";
}

TEST_F(MeshCommands, LightsAndCameraKeepWhatTheyAreGiven) {
    ASSERT_EQ(SetLight(3, 1, 1, 2, 3, 0x112233), 1);
    ASSERT_EQ(SetLightRange(3, 10), 1);
    ASSERT_EQ(SetShadowLight(3), 1);
    const LightState& light = Scene().lights[3];
    EXPECT_TRUE(light.on);
    EXPECT_EQ(light.kind, 1);
    EXPECT_EQ(light.colour, 0x112233u);
    EXPECT_EQ(light.range, 10);
    EXPECT_EQ(Scene().shadowLight, 3);
    LightOff(3);
    EXPECT_FALSE(Scene().lights[3].on);
    EXPECT_EQ(SetShadowLight(-1), 1);
    EXPECT_EQ(Scene().shadowLight, -1);
    SetCamera(1, 2, 3, 1, 2, 3);  // looks at itself: refused
    EXPECT_EQ(Scene().camera.eye[2], 5);
}
