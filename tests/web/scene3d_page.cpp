// A page of the web tests (not shipped): one still 3D scene, a white cube
// on white ground under a light from the side, so that the cube's shadow
// falls to its right. Where the shadow, the lit ground beside it and the
// cube's top land on the screen goes to the console once, for
// tests/web/play.js to read those pixels from the canvas.
#include <aerox/aerox.h>

#include <cstdio>

namespace {

constexpr double kGround = 1, kCube = 2;

struct Probe {
    const char* name;
    double x, y, z;
};
// In the shadow: only the ambient light. Beside it and on the cube's top:
// the ambient and the light at 45 degrees.
constexpr Probe kProbes[] = {{"shadow", 1.2, 0, 0}, {"beside", -1.5, 0, 0}, {"top", 0, 1, 0}};

void Game() {
    MakePlane(kGround, 40, 40);
    MakeCube(kCube, 1);
    SetAmbient(0x303030);
    SetCameraLens(60, 0.1);
    SetCamera(0, 5, 6, 0, 0, 0);
    SetLight(0, 0, 1, -1, 0, 0xFFFFFF);
    SetShadowLight(0);
    double width = 0, height = 0;
    GetScreenSize(width, height);
    for (int frame = 0;; ++frame) {
        DrawRect(0, 0, width - 1, height - 1, 0x000000);
        Begin3D();
        DrawMesh(kGround, 0, 0, 0, 0, 0, 0, 1);
        DrawMesh(kCube, 0, 0.5, 0, 0, 0, 0, 1);
        End3D();
        ShowScreen();
        if (frame == 2) {
            for (const Probe& p : kProbes)
                std::printf("scene3d probe %s %d %d\n", p.name, static_cast<int>(ProjectX(p.x, p.y, p.z)),
                            static_cast<int>(ProjectY(p.x, p.y, p.z)));
            std::fflush(stdout);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    StartupSettings settings;
    settings.caption = "Scene3D";
    settings.version = "1.0";
    return RunGame(argc, argv, settings, &Game);
}
