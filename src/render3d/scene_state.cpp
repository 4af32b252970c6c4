#include "render3d/scene_state.h"

namespace {
// Made on first use and kept to the process's end; a game that never uses
// the 3D layer never makes it.
SceneState* g_scene = nullptr;
}  // namespace

SceneState& Scene() {
    if (g_scene == nullptr) g_scene = new SceneState;
    return *g_scene;
}

void ResetSceneFrame() {
    if (g_scene != nullptr) g_scene->recording = false;
}
