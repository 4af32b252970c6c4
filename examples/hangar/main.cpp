// Hangar: the engine's 3D layer. The Aerox jet turns over the floor, a
// crate stands beside it (the kit's jet.amsh and crate.amsh, copied beside
// the program; shapes of its own without them), and both cast shadows from a
// point light the arrow keys move around; dragging with the left mouse
// button turns the camera round the scene. The frame rate is printed on
// top in 2D. Escape ends it.
#include <aerox/aerox.h>

#include <cmath>

namespace {

constexpr double kUp = 0xC8, kDown = 0xD0, kLeft = 0xCB, kRight = 0xCD;
constexpr double kFloor = 0, kCrate = 1, kBlock = 2, kNose = 3, kBody = 4, kTail = 5, kJet = 6;
constexpr double kPi = 3.14159265358979;

// 1 when the jet comes from its mesh file.
double MakeMeshes() {
    MakePlane(kFloor, 16, 16);
    SetMeshColour(kFloor, 0, 0x606870);
    if (LoadMesh(kCrate, "crate.amsh") == 0) {
        MakeCube(kCrate, 1);
        SetMeshColour(kCrate, 0, 0x2070B0);
    }
    MakeCube(kBlock, 0.25);
    SetMeshColour(kBlock, 0, 0xC0C0C0);
    MakeSphere(kNose, 0.22, 16);
    MakeSphere(kBody, 0.3, 16);
    MakeSphere(kTail, 0.26, 16);
    for (double slot : {kNose, kBody, kTail}) SetMeshColour(slot, 0, 0xD0D0D0);
    SetMeshColour(kNose, 0, 0x3030C0);
    return LoadMesh(kJet, "jet.amsh");
}

// The jet at (x, y, z), heading along yaw: a body of three spheres, wings
// and a fin of blocks. Each piece is closed, so each casts a shadow.
void DrawJet(double x, double y, double z, double yaw) {
    const double c = std::cos(yaw * kPi / 180), s = std::sin(yaw * kPi / 180);
    // A point of the jet's own frame (forward along its z) in the world.
    auto at = [&](double slot, double side, double up, double forward) {
        DrawMesh(slot, x + c * side + s * forward, y + up, z - s * side + c * forward, yaw, 0, 0, 1);
    };
    at(kNose, 0, 0, 0.55);
    at(kBody, 0, 0, 0.1);
    at(kTail, 0, 0, -0.35);
    for (int i = 1; i <= 4; ++i) {
        at(kBlock, 0.2 * i, -0.05, 0.05 - 0.06 * i);
        at(kBlock, -0.2 * i, -0.05, 0.05 - 0.06 * i);
    }
    at(kBlock, 0, 0.25, -0.55);
    at(kBlock, 0, 0.45, -0.65);
}

void Game() {
    const double jetFromFile = MakeMeshes();
    SetAmbient(0x303030);
    SetCameraLens(60, 0.1);
    SetShadowLight(0);
    double lightAngle = 40, cameraAngle = 0, turn = 0;
    double dragFrom = -1;
    double width = 0, height = 0;
    GetScreenSize(width, height);
    for (;;) {
        // The light circles the scene on Left and Right; Up and Down raise it.
        static double lightHeight = 5;
        lightAngle += 2 * (KeyDown(kRight) - KeyDown(kLeft));
        lightHeight = std::fmax(1.5, std::fmin(9, lightHeight + 0.1 * (KeyDown(kUp) - KeyDown(kDown))));
        if (MouseButton(1) > 0) {
            if (dragFrom >= 0) cameraAngle += (MouseX() - dragFrom) * 0.5;
            dragFrom = MouseX();
        } else {
            dragFrom = -1;
        }
        turn += 1;
        const double lx = 4 * std::cos(lightAngle * kPi / 180), lz = 4 * std::sin(lightAngle * kPi / 180);
        SetLight(0, 1, lx, lightHeight, lz, 0xFFF0E0);
        SetCamera(7 * std::sin(cameraAngle * kPi / 180), 4, 7 * std::cos(cameraAngle * kPi / 180), 0, 0.5, 0);

        DrawRect(0, 0, width - 1, height - 1, 0x201810);
        Begin3D();
        DrawMesh(kFloor, 0, 0, 0, 0, 0, 0, 1);
        DrawMesh(kCrate, 2, 0.5, -1, 20, 0, 0, 1);
        if (jetFromFile > 0)
            DrawMesh(kJet, 0, 1.6, 0, turn, 0, 0, 1);
        else
            DrawJet(0, 1.6, 0, turn);
        End3D();

        PrintText("HANGAR  " + RtString(static_cast<int>(std::lround(1000 / GetFrameTime()))) + " FPS", 8, 8);
        PrintText("ARROWS MOVE THE LIGHT, DRAG TURNS THE CAMERA", 8, height - 16);
        if (ProjectX(0, 2.4, 0) >= 0) PrintText("JET", ProjectX(0, 2.4, 0) - 12, ProjectY(0, 2.4, 0));
        ShowScreen();
    }
}

}  // namespace

int main(int argc, char** argv) {
    StartupSettings settings;
    settings.caption = "Hangar";
    settings.version = "1.0";
    settings.screenWidth = 480;
    settings.screenHeight = 360;
    return RunGame(argc, argv, settings, &Game);
}
