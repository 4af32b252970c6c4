// Shader programs written in GLSL ES 1.00, compiled by Mesa for a real
// window: a part drawn with one, its uniforms set by name, and shaders that
// do not compile or link refused with the compiler's word in the log.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "aerox/aerox.h"
#include "gfx/engine_context.h"
#include "render3d/scene_state.h"
#include "render3d/shader_store.h"
#include "runtime/errors.h"
#include "testkit/gl_fixture.h"

using testkit::Screen;

namespace {

const char* kVertex = R"(
attribute vec3 a_position;
attribute vec3 a_normal;
uniform mat4 u_modelViewProjection;
uniform mat4 u_modelView;
uniform vec4 u_light;
varying float v_light;
void main() {
    vec3 n = normalize((u_modelView * vec4(a_normal, 0.0)).xyz);
    v_light = max(dot(n, normalize(u_light.xyz)), 0.0);
    gl_Position = u_modelViewProjection * vec4(a_position, 1.0);
}
)";

const char* kFragment = R"(
uniform vec4 u_tint;
uniform vec3 u_ambient;
uniform vec3 u_lightColour;
varying float v_light;
void main() { gl_FragColor = vec4(u_tint.rgb * (u_ambient + u_lightColour * v_light), 1.0); }
)";

class Shaders : public testkit::GlFixture {
protected:
    int WindowScale() const override { return 2; }
    void SetUp() override {
        GlFixture::SetUp();
        Scene() = SceneState{};
        SetCamera(0, 0, 5, 0, 0, 0);
        SetAmbient(0x303030);
        SetLight(0, 0, 0, 0, -1, 0xFFFFFF);  // straight onto the front face
        MakeCube(1, 2);
    }
    void TearDown() override {
        for (ShaderSlot& slot : ShaderSlots()) ReleaseShaderSlot(slot, g_engine->glContext);
        Scene() = SceneState{};
        GlFixture::TearDown();
    }
    std::string File(const char* name, const std::string& text) {
        const std::string path = folder_.File(name);
        testkit::WriteFile(path, text);
        return path;
    }
    testkit::Rgba FrontFace() {
        ClearScreen();
        Begin3D();
        DrawMesh(1, 0, 0, 0, 0, 0, 0, 1);
        End3D();
        return Screen().At(160, 120);
    }
    static size_t LogSize() { return testkit::ReadFile(LogFilePath()).size(); }
    static std::string LogSince(size_t start) { return testkit::ReadFile(LogFilePath()).substr(start); }
};

}  // namespace

TEST_F(Shaders, APartDrawsWithItsProgramAndItsNumbers) {
    ASSERT_EQ(LoadShader(3, File("v.glsl", kVertex).c_str(), File("f.glsl", kFragment).c_str()), 1);
    ASSERT_EQ(SetShaderNumber(3, "u_tint", 0, 1, 0.5, 1), 1);
    ASSERT_EQ(SetMeshShader(1, 0, 3), 1);
    testkit::Rgba c = FrontFace();
    EXPECT_NEAR(c.r, 0, 2) << c;
    EXPECT_NEAR(c.g, 255, 2) << c;  // 0x30 ambient + the whole light, clamped
    EXPECT_NEAR(c.b, (48 + 255) / 2, 3) << c;
    // With the shadow light, the light comes in its own pass: the same sum.
    SetShadowLight(0);
    c = FrontFace();
    EXPECT_NEAR(c.b, (48 + 255) / 2, 3) << c;
    SetShadowLight(-1);
    ASSERT_EQ(SetMeshShader(1, 0, -1), 1);
    c = FrontFace();
    EXPECT_EQ(c.r, c.g) << "the engine's white lighting again: " << c;
}

TEST_F(Shaders, BadShadersAndNamesGiveZeroAndOneLogLine) {
    const std::string vertex = File("v.glsl", kVertex), fragment = File("f.glsl", kFragment);
    const std::string broken = File("broken.glsl", "void main() { gl_FragColor = vec4(1.0) + ; }");
    // Declares a varying the vertex shader never writes, read: a link error on Mesa.
    const std::string unlinked =
        File("unlinked.glsl", "varying vec3 v_other;\nvoid main() { gl_FragColor = vec4(v_other, 1.0); }");
    struct Case {
        const char* name;
        std::function<double()> call;
        const char* said;
    };
    const Case cases[] = {
        {"fragment does not compile", [&] { return LoadShader(1, vertex.c_str(), broken.c_str()); },
         "does not compile"},
        {"missing file", [&] { return LoadShader(1, "none.glsl", fragment.c_str()); }, "cannot be opened"},
        {"slot 256", [&] { return LoadShader(256, vertex.c_str(), fragment.c_str()); }, "not 0..255"},
        {"empty shader slot", [] { return SetShaderNumber(7, "u_tint", 1, 1, 1, 1); }, "holds no shader"},
        {"unknown uniform", [] { return SetShaderNumber(2, "u_nothing", 1, 0, 0, 0); }, "no uniform"},
        {"mesh shader from an empty slot", [] { return SetMeshShader(1, 0, 9); }, "holds no shader"},
        {"mesh part 1 of one", [] { return SetMeshShader(1, 1, 2); }, "part"},
    };
    ASSERT_EQ(LoadShader(2, vertex.c_str(), fragment.c_str()), 1);
    for (const Case& c : cases) {
        const size_t start = LogSize();
        EXPECT_EQ(c.call(), 0) << c.name;
        const std::string said = LogSince(start);
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << c.name << ": " << said;
        EXPECT_NE(said.find(c.said), std::string::npos) << c.name << ": " << said;
    }
    const size_t start = LogSize();
    EXPECT_EQ(LoadShader(1, vertex.c_str(), unlinked.c_str()), 0);
    const std::string said = LogSince(start);
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_NE(said.find("do not link"), std::string::npos) << said;
}
