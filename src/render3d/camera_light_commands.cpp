// The camera and light commands: plain state, read when End3D draws.
#include <cmath>
#include <cstdint>

#include "aerox/scene3d.h"
#include "gfx/engine_context.h"
#include "render3d/command_arguments.h"
#include "render3d/projection.h"
#include "render3d/scene_state.h"
#include "runtime/engine_required.h"

namespace {

uint32_t ColourOf(double colour) {
    return std::isfinite(colour) && std::fabs(colour) < 9e18
               ? static_cast<uint32_t>(static_cast<int64_t>(colour)) & 0xFFFFFF
               : 0;
}

// Where a point lands in the current viewport, in screen pixels; false
// behind the camera (or before the engine runs).
bool Project(const char* command, double x, double y, double z, double& sx, double& sy) {
    if (!RequireEngine(g_engine != nullptr, command)) return false;
    const SceneState& scene = Scene();
    const int width = g_engine->viewportWidth > 0 ? g_engine->viewportWidth : g_engine->screenWidth;
    const int height = g_engine->viewportHeight > 0 ? g_engine->viewportHeight : g_engine->screenHeight;
    if (width <= 0 || height <= 0) return false;
    const Mat4 viewProjection =
        Multiply(InfinitePerspective(scene.camera.fieldOfView, static_cast<float>(width) / static_cast<float>(height),
                                     scene.camera.nearPlane),
                 LookAt(scene.camera.eye, scene.camera.target));
    const float point[4] = {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z), 1};
    float clip[4];
    Transform(viewProjection, point, clip);
    if (!(clip[3] > 0)) return false;
    sx = g_engine->viewportX + (clip[0] / clip[3] + 1) / 2 * width;
    sy = g_engine->viewportY + (1 - clip[1] / clip[3]) / 2 * height;
    return std::isfinite(sx) && std::isfinite(sy);
}

}  // namespace

void SetCamera(double x, double y, double z, double lookX, double lookY, double lookZ) {
    const double all[6] = {x, y, z, lookX, lookY, lookZ};
    for (double v : all)
        if (!Finite("SetCamera", "a coordinate", v)) return;
    if (x == lookX && y == lookY && z == lookZ) {
        Log3d("SetCamera", "the camera looks at its own position");
        return;
    }
    CameraState& camera = Scene().camera;
    for (int a = 0; a < 3; ++a) {
        camera.eye[a] = static_cast<float>(all[a]);
        camera.target[a] = static_cast<float>(all[3 + a]);
    }
}

double SetCameraLens(double fieldOfView, double nearPlane) {
    if (!(fieldOfView >= 1 && fieldOfView <= 179) || !(nearPlane > 0 && nearPlane < 1e6)) {
        Log3d("SetCameraLens", "field of view " + NumberText3d(fieldOfView) + " or near plane " +
                                   NumberText3d(nearPlane) + " out of range");
        return 0;
    }
    Scene().camera.fieldOfView = static_cast<float>(fieldOfView);
    Scene().camera.nearPlane = static_cast<float>(nearPlane);
    return 1;
}

double ProjectX(double x, double y, double z) {
    double sx = 0, sy = 0;
    return Project("ProjectX", x, y, z, sx, sy) ? sx : -1;
}

double ProjectY(double x, double y, double z) {
    double sx = 0, sy = 0;
    return Project("ProjectY", x, y, z, sx, sy) ? sy : -1;
}

void SetAmbient(double colour) { Scene().ambient = ColourOf(colour); }

double SetLight(double light, double kind, double x, double y, double z, double colour) {
    const int n = LightNumber("SetLight", light);
    if (n < 0) return 0;
    if (kind != 0 && kind != 1) {
        Log3d("SetLight", "kind " + NumberText3d(kind) + " is not 0 (directional) or 1 (point)");
        return 0;
    }
    if (!Finite("SetLight", "x", x) || !Finite("SetLight", "y", y) || !Finite("SetLight", "z", z)) return 0;
    if (kind == 0 && x == 0 && y == 0 && z == 0) {
        Log3d("SetLight", "a directional light needs a direction");
        return 0;
    }
    LightState& state = Scene().lights[n];
    state.on = true;
    state.kind = static_cast<int>(kind);
    state.vector[0] = static_cast<float>(x);
    state.vector[1] = static_cast<float>(y);
    state.vector[2] = static_cast<float>(z);
    state.colour = ColourOf(colour);
    return 1;
}

double SetLightRange(double light, double range) {
    const int n = LightNumber("SetLightRange", light);
    if (n < 0) return 0;
    if (!(range >= 0 && range < 1e18)) {
        Log3d("SetLightRange", "range " + NumberText3d(range) + " is not 0 or above");
        return 0;
    }
    Scene().lights[n].range = static_cast<float>(range);
    return 1;
}

void LightOff(double light) {
    const int n = LightNumber("LightOff", light);
    if (n >= 0) Scene().lights[n].on = false;
}

double SetShadowLight(double light) {
    if (light == -1) {
        Scene().shadowLight = -1;
        return 1;
    }
    const int n = LightNumber("SetShadowLight", light);
    if (n < 0) return 0;
    Scene().shadowLight = n;
    return 1;
}
