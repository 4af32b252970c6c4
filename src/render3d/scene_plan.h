// The front end of the 3D layer: from the recorded draws and the lights,
// what each pass draws this frame (which meshes, with which matrices, and
// the shadow volumes' vertices). No GL here; the back end draws a plan.
#pragma once
#include <cstdint>
#include <vector>

#include "render3d/projection.h"
#include "render3d/scene_state.h"

struct PlannedDraw {
    const Mesh* mesh = nullptr;
    const MeshSlotState* slot = nullptr;
    Mat4 model;
    bool visible = true;       // false: wholly behind the camera, its shadow drawn only
    bool casts = false;        // its volume is in the plan
    uint32_t volumeFirst = 0;  // first vertex of its volume (4 floats each)
    uint32_t volumeCount = 0;  // vertices of its volume, 3 a triangle
};

struct ScenePlan {
    Mat4 projection;
    Mat4 view;
    std::vector<PlannedDraw> draws;
    std::vector<float> volumeVertices;  // x, y, z, w in each caster's own space
    bool shadows = false;               // the shadow light is on and something casts
    // Scratch for the silhouettes, kept between frames.
    std::vector<uint8_t> facing;
    std::vector<uint32_t> silhouette;
};

// Fills plan for the scene's recorded draws, seen through a viewport of
// the given aspect (width / height). plan's vectors keep their storage.
void PlanScene(SceneState& scene, float aspect, ScenePlan& plan);

// Appends one caster's shadow volume for a light in its own space (see
// FindSilhouette): the silhouette's sides and, as caps, the faces turned
// away from the light, once where they are (turned round) and once
// extruded to infinity (w = 0). Returns the vertices added.
uint32_t AppendShadowVolume(const Mesh& mesh, const float light[4], std::vector<uint8_t>& facing,
                            std::vector<uint32_t>& silhouette, std::vector<float>& out);
