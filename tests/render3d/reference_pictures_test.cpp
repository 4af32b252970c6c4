// Three scenes compared with reference pictures made by this test
// (AEROX_WRITE_REFERENCES=1 writes them into tests/render3d/data/): each
// channel within a tolerance, a small share of pixels allowed to differ
// more (edges move by a pixel between Mesa versions). A failure writes the
// picture drawn and a difference picture beside the test program.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "aerox/aerox.h"
#include "gfx/engine_context.h"
#include "gfx/image.h"
#include "gfx/png_writer.h"
#include "gfx/window.h"
#include "render3d/scene_state.h"
#include "testkit/gl_fixture.h"

namespace {

constexpr int kChannelTolerance = 24;
constexpr double kDifferingShare = 0.005;

struct ReferenceScene {
    const char* name;
    std::function<void()> draw;
};

void Ground() {
    MakePlane(1, 30, 30);
    SetMeshColour(1, 0, 0xA0B0C0);
    DrawMesh(1, 0, 0, 0, 0, 0, 0, 1);
}

class ReferencePictures : public testkit::GlFixture {
protected:
    int WindowScale() const override { return 2; }
    void SetUp() override {
        GlFixture::SetUp();
        Scene() = SceneState{};
    }
    void TearDown() override {
        Scene() = SceneState{};
        GlFixture::TearDown();
    }
};

void WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgba) {
    std::string png;
    ASSERT_TRUE(EncodePngRgb(width, height, rgba.data(), png));
    testkit::WriteFile(path, png);
}

}  // namespace

TEST_F(ReferencePictures, ThreeScenesMatchTheirPictures) {
    const ReferenceScene scenes[] = {
        {"lit-shapes-with-shadows",
         [] {
             SetCamera(3, 4, 6, 0, 0.5, 0);
             SetAmbient(0x282828);
             SetLight(0, 0, 0.5, -1, -0.3, 0xFFFFFF);
             SetShadowLight(0);
             Ground();
             MakeCube(2, 1);
             SetMeshColour(2, 0, 0x2040C0);
             DrawMesh(2, -0.8, 0.5, 0, 30, 0, 0, 1);
             MakeSphere(3, 0.6, 24);
             SetMeshColour(3, 0, 0x30A040);
             DrawMesh(3, 1, 1.2, 0.5, 0, 0, 0, 1);
         }},
        {"point-light-two-casters",
         [] {
             SetCamera(0, 6, 5, 0, 0, 0);
             SetAmbient(0x202020);
             SetLight(1, 1, 0, 4, 0, 0xE0F0FF);
             SetShadowLight(1);
             Ground();
             MakeCube(2, 0.8);
             DrawMesh(2, -1, 1, 0, 45, 20, 0, 1);
             DrawMesh(2, 1, 1.5, 0.5, 0, 0, 30, 1.2);
         }},
        {"camera-in-the-shadow",
         [] {
             SetCamera(0, 1.2, 1, 0, 0, -3);
             SetCameraLens(75, 0.05);
             SetAmbient(0x303030);
             SetLight(0, 0, 0, -1, -0.5, 0xFFFFFF);
             SetShadowLight(0);
             Ground();
             MakeCube(2, 2.5);
             DrawMesh(2, 0, 5, 3, 0, 0, 0, 1);
             MakeSphere(3, 0.5, 16);
             DrawMesh(3, 0.8, 0.5, -2, 0, 0, 0, 1);
         }},
    };
    const char* source = std::getenv("AEROX_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    const bool write = std::getenv("AEROX_WRITE_REFERENCES") != nullptr;
    for (const ReferenceScene& scene : scenes) {
        Scene() = SceneState{};
        ClearScreen();
        Begin3D();
        scene.draw();
        End3D();
        const int width = g_engine->screenWidth, height = g_engine->screenHeight;
        const std::vector<uint8_t> drawn = ReadBackBuffer(*g_engine);
        const std::string path = std::string(source) + "/tests/render3d/data/" + scene.name + ".png";
        if (write) {
            WritePng(path, width, height, drawn);
            continue;
        }
        RgbaImage reference;
        ASSERT_TRUE(ReadPng(reference, path, kNoColourKey)) << path;
        ASSERT_EQ(reference.width, width);
        ASSERT_EQ(reference.height, height);
        std::vector<uint8_t> difference(drawn.size(), 0);
        int differing = 0;
        for (size_t i = 0; i < drawn.size(); i += 4) {
            int worst = 0;
            for (size_t c = 0; c < 3; ++c) worst = std::max(worst, std::abs(drawn[i + c] - reference.pixels[i + c]));
            differing += worst > kChannelTolerance ? 1 : 0;
            for (size_t c = 0; c < 3; ++c) difference[i + c] = static_cast<uint8_t>(std::min(255, worst * 4));
            difference[i + 3] = 255;
        }
        const int allowed = static_cast<int>(kDifferingShare * width * height);
        EXPECT_LE(differing, allowed) << scene.name << ": see render3d-" << scene.name << "-{drawn,difference}.png";
        if (differing > allowed) {
            WritePng(std::string("render3d-") + scene.name + "-drawn.png", width, height, drawn);
            WritePng(std::string("render3d-") + scene.name + "-difference.png", width, height, difference);
        }
    }
}
