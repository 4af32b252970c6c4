// The 3D layer drawn by Mesa into the offscreen frame and read back: light
// on faces, shadows on the ground (also with the camera inside a shadow
// and a caster cut by the near plane), and the 2D picture on top. Probes
// are world points put on the screen with ProjectX/ProjectY and compared
// with what the fixed pipeline's lighting gives, within a tolerance.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "aerox/aerox.h"
#include "render3d/scene_state.h"
#include "runtime/engine_required.h"
#include "testkit/gl_fixture.h"

using testkit::Screen;

namespace {

constexpr int kAmbient = 0x30;  // the ambient light of every scene here
// A white surface facing a white light at 45 degrees, plus the ambient.
const int kLitAt45 = kAmbient + static_cast<int>(255 * std::sqrt(0.5));

struct Probe {
    const char* what;
    float x, y, z;  // a world point
    int grey;       // its expected level, every channel
};

struct SceneCase {
    const char* name;
    std::function<void()> draw;  // between Begin3D and End3D
    std::vector<Probe> probes;
};

class SceneDrawing : public testkit::GlFixture {
protected:
    int WindowScale() const override { return 2; }  // into the offscreen frame
    void SetUp() override {
        GlFixture::SetUp();
        Scene() = SceneState{};
        SetAmbient(kAmbient * 0x010101);
        SetCameraLens(60, 0.1);
    }
    void TearDown() override {
        Scene() = SceneState{};
        GlFixture::TearDown();
    }
    static void Ground() {
        ASSERT_EQ(MakePlane(1, 40, 40), 1);
        DrawMesh(1, 0, 0, 0, 0, 0, 0, 1);
    }
    void ExpectProbes(const SceneCase& c, int tolerance = 10) {
        Screen s;
        for (const Probe& p : c.probes) {
            const double x = ProjectX(p.x, p.y, p.z), y = ProjectY(p.x, p.y, p.z);
            ASSERT_GE(x, 0) << c.name << ": " << p.what;
            const testkit::Rgba got = s.At(static_cast<int>(x), static_cast<int>(y));
            for (int channel : {got.r, got.g, got.b})
                EXPECT_NEAR(channel, p.grey, tolerance)
                    << c.name << ": " << p.what << " at (" << x << ", " << y << ") is " << got;
        }
    }
};

}  // namespace

TEST_F(SceneDrawing, LightShadowAndAmbientWhereExpected) {
    const SceneCase cases[] = {
        {"a face toward the light",
         [] {
             SetCamera(0, 0, 5, 0, 0, 0);
             SetLight(0, 0, 0, -1, -1, 0xFFFFFF);
             MakeCube(2, 2);
             DrawMesh(2, 0, 0, 0, 0, 0, 0, 1);
         },
         {{"front face", 0, 0, 1, kLitAt45}, {"top face", 0, 1, 0.5f, kLitAt45}}},
        {"a face turned away",
         [] {
             SetCamera(0, 0, 5, 0, 0, 0);
             SetLight(0, 0, 0, 0, 1, 0xFFFFFF);
             MakeCube(2, 2);
             DrawMesh(2, 0, 0, 0, 0, 0, 0, 1);
         },
         {{"front face", 0, 0, 1, kAmbient}}},
        {"a cube's shadow on the ground",
         [] {
             SetCamera(0, 5, 6, 0, 0, 0);
             SetLight(0, 0, 1, -1, 0, 0xFFFFFF);
             SetShadowLight(0);
             Ground();
             MakeCube(2, 1);
             DrawMesh(2, 0, 0.5, 0, 0, 0, 0, 1);
         },
         {{"ground in the shadow", 1.2f, 0, 0, kAmbient},
          {"ground beside the shadow", -1.5f, 0, 0, kLitAt45},
          {"ground in front of it", 1.2f, 0, 1.5f, kLitAt45},
          {"the cube's lit top", 0, 1, 0, kLitAt45}}},
        {"the camera inside a shadow volume",
         [] {
             SetCamera(0, 1.5, 0.8, 0, 0, -2);
             SetLight(0, 0, 0, -1, -1, 0xFFFFFF);
             SetShadowLight(0);
             Ground();
             MakeCube(2, 3);
             DrawMesh(2, 0, 8, 8, 0, 0, 0, 1);  // above and behind the camera
         },
         // The shadow falls from (-1.5..1.5, 6.5..9.5, 6.5..9.5) along (0, -1, -1).
         {{"ground in the shadow", 0, 0, -0.5f, kAmbient}, {"ground past it", 0, 0, -4, kLitAt45}}},
        {"a caster cut by the near plane",
         [] {
             SetCamera(0, 2, 4, 0, 0, 0);
             SetLight(0, 0, 0, -1, -1, 0xFFFFFF);
             SetShadowLight(0);
             Ground();
             MakeCube(2, 1);
             DrawMesh(2, 0.3, 2, 3.8, 0, 0, 0, 1);  // around the camera
         },
         {{"ground in the shadow", 0.3f, 0, 1.5f, kAmbient}, {"ground beside it", -1.5f, 0, 1.5f, kLitAt45}}},
        {"two overlapping shadows",
         [] {
             SetCamera(0, 6, 7, 0, 0, 0);
             SetLight(0, 0, 1, -1, 0, 0xFFFFFF);
             SetShadowLight(0);
             Ground();
             MakeCube(2, 1);
             DrawMesh(2, 0, 0.5, -0.3, 0, 0, 0, 1);
             DrawMesh(2, 0, 0.5, 0.3, 0, 0, 0, 1);
         },
         {{"both shadows", 1.2f, 0, 0, kAmbient},
          {"one shadow", 1.2f, 0, -0.7f, kAmbient},
          {"no shadow", 1.2f, 0, 1.3f, kLitAt45}}},
        {"an open mesh casts nothing",
         [] {
             SetCamera(0, 5, 6, 0, 0, 0);
             SetLight(0, 0, 1, -1, 0, 0xFFFFFF);
             SetShadowLight(0);
             Ground();
             MakePlane(2, 1, 1);
             DrawMesh(2, 0, 1, 0, 0, 0, 0, 1);
         },
         {{"ground where its shadow would be", 1.1f, 0, 0, kLitAt45}, {"the open mesh, lit", 0, 1, 0, kLitAt45}}},
    };
    for (const SceneCase& c : cases) {
        Scene() = SceneState{};
        SetAmbient(kAmbient * 0x010101);
        ClearScreen();
        Begin3D();
        c.draw();
        End3D();
        ExpectProbes(c);
    }
}

TEST_F(SceneDrawing, TwoDDrawnAfterEnd3DLiesOnTop) {
    SetCamera(0, 0, 5, 0, 0, 0);
    SetLight(0, 0, 0, 0, -1, 0x0000FF);
    MakeCube(2, 3);
    Begin3D();
    DrawMesh(2, 0, 0, 0, 0, 0, 0, 1);
    End3D();
    DrawRect(150, 110, 159, 119, 0x00FF00);
    LoadFont("", 0);
    PrintText("A", 170, 110);
    Screen s;
    EXPECT_TRUE(s.Is(155, 115, 0, 255, 0)) << s.At(155, 115);
    EXPECT_TRUE(s.Is(173, 111, 255, 255, 255)) << s.At(173, 111);
    // The cube, red, is around them.
    EXPECT_GT(s.At(190, 130).r, 200) << s.At(190, 130);
    EXPECT_EQ(s.At(190, 130).g, s.At(190, 130).b);
}

TEST_F(SceneDrawing, DrawsOutsideBegin3DAreRefused) {
    MakeCube(2, 1);
    EXPECT_EQ(DrawMesh(2, 0, 0, 0, 0, 0, 0, 1), 0);
    End3D();
    Begin3D();
    EXPECT_EQ(DrawMesh(2, 0, 0, 0, 0, 0, 0, 1), 1);
    EXPECT_EQ(DrawMesh(3, 0, 0, 0, 0, 0, 0, 1), 0);  // empty
    EXPECT_EQ(DrawMesh(2, 0, 0, 0, 0, 0, 0, 0), 0);  // no size
    EXPECT_EQ(DrawMesh(2, NAN, 0, 0, 0, 0, 0, 1), 0);
    ShowScreen();  // the frame's end drops the recording
    EXPECT_EQ(DrawMesh(2, 0, 0, 0, 0, 0, 0, 1), 0);
}

TEST_F(SceneDrawing, ProjectionOfPointsBehindTheCameraIsMinusOne) {
    SetCamera(0, 0, 5, 0, 0, 0);
    EXPECT_NEAR(ProjectX(0, 0, 0), 160, 0.01);
    EXPECT_NEAR(ProjectY(0, 0, 0), 120, 0.01);
    EXPECT_GT(ProjectX(1, 0, 0), 160);
    EXPECT_LT(ProjectY(0, 1, 0), 120);  // up is up the screen
    EXPECT_EQ(ProjectX(0, 0, 6), -1);
    EXPECT_EQ(ProjectY(0, 0, 6), -1);
}

TEST_F(SceneDrawing, ATexturedPartShowsItsPictureLitAndAnEmptySlotIsRefused) {
    // Left half red, right half blue, on a 12 x 12 picture: it fills only
    // part of its 16 x 16 texture, which the texture coordinates must allow for.
    testkit::Picture picture(12, 12, 0xFF0000FF);
    for (int y = 0; y < 12; ++y)
        for (int x = 6; x < 12; ++x) picture.Set(x, y, 0x0000FFFF);
    LoadPicture(5, picture);
    SetCamera(0, 0, 5, 0, 0, 0);
    SetLight(0, 0, 0, 0, -1, 0xFFFFFF);
    MakeCube(2, 2);
    ASSERT_EQ(SetMeshTexture(2, 0, 5), 1);
    EXPECT_EQ(SetMeshTexture(2, 0, 6), 0) << "an empty sprite slot";
    Begin3D();
    DrawMesh(2, 0, 0, 0, 0, 0, 0, 1);
    End3D();
    Screen s;
    const double left = ProjectX(-0.5, 0, 1), right = ProjectX(0.7, 0, 1), y = ProjectY(0, 0, 1);
    const testkit::Rgba red = s.At(static_cast<int>(left), static_cast<int>(y));
    const testkit::Rgba blue = s.At(static_cast<int>(right), static_cast<int>(y));
    EXPECT_GT(red.r, 200) << red;
    EXPECT_LT(red.b, 20) << red;
    EXPECT_GT(blue.b, 200) << blue;
    EXPECT_LT(blue.r, 20) << blue;
}
