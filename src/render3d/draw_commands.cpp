// Begin3D, DrawMesh and End3D: the draws are recorded, then planned (front
// end) and drawn (back end) at End3D. The record and the plan keep their
// storage, so a steady scene allocates nothing from frame to frame.
#include <cmath>

#include "aerox/scene3d.h"
#include "gfx/engine_context.h"
#include "render3d/command_arguments.h"
#include "render3d/scene_gl_passes.h"
#include "render3d/scene_plan.h"
#include "render3d/scene_state.h"
#include "runtime/engine_required.h"

namespace {

ScenePlan& Plan() {
    static ScenePlan* plan = new ScenePlan;
    return *plan;
}

// Said once per process: a game that draws outside Begin3D does it every frame.
void LogOutsideOnce(const char* command, bool& said) {
    if (said) return;
    said = true;
    Log3d(command, "called outside Begin3D and End3D, nothing drawn");
}

}  // namespace

void Begin3D() {
    if (!RequireEngine(g_engine != nullptr, "Begin3D")) return;
    SceneState& scene = Scene();
    scene.draws.clear();
    scene.recording = true;
}

double DrawMesh(double slot, double x, double y, double z, double yaw, double pitch, double roll, double scale) {
    if (!RequireEngine(g_engine != nullptr, "DrawMesh")) return 0;
    SceneState& scene = Scene();
    if (!scene.recording) {
        static bool said = false;
        LogOutsideOnce("DrawMesh", said);
        return 0;
    }
    if (FilledMeshSlot("DrawMesh", slot) == nullptr) return 0;
    const double numbers[7] = {x, y, z, yaw, pitch, roll, scale};
    for (double v : numbers)
        if (!Finite("DrawMesh", "a position, angle or scale", v)) return 0;
    if (!(scale > 0)) {
        Log3d("DrawMesh", "scale " + NumberText3d(scale) + " is not above 0");
        return 0;
    }
    scene.draws.push_back(DrawRecord{
        static_cast<int>(slot),
        ModelMatrix(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z), static_cast<float>(yaw),
                    static_cast<float>(pitch), static_cast<float>(roll), static_cast<float>(scale))});
    return 1;
}

void End3D() {
    if (!RequireEngine(g_engine != nullptr, "End3D")) return;
    SceneState& scene = Scene();
    if (!scene.recording) {
        static bool said = false;
        LogOutsideOnce("End3D", said);
        return;
    }
    scene.recording = false;
    OpenGLZodadodu& context = *g_engine;
    const int width = context.viewportWidth > 0 ? context.viewportWidth : context.screenWidth;
    const int height = context.viewportHeight > 0 ? context.viewportHeight : context.screenHeight;
    if (context.window == nullptr || width <= 0 || height <= 0) return;
    ScenePlan& plan = Plan();
    PlanScene(scene, static_cast<float>(width) / static_cast<float>(height), plan);
    DrawScenePlan(context, scene, plan);
    scene.draws.clear();
}
