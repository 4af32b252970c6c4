// What the 3D commands keep between calls: the mesh slots, the camera, the
// lights and the draws recorded since Begin3D. One per process, as the
// engine context is.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "render3d/mesh.h"
#include "render3d/projection.h"

constexpr int kMeshSlots = 4096;
constexpr int kLights = 8;

struct MeshSlotState {
    std::unique_ptr<Mesh> mesh;
    std::vector<uint32_t> partColour;  // per part, from its material at first
    std::vector<int> partTexture;      // per part: a sprite slot or -1
    std::vector<int> partShader;       // per part: a shader slot or -1 (the engine's lighting)
    bool openCasterLogged = false;     // "casts no shadow" said once
};

struct LightState {
    bool on = false;
    int kind = 0;                  // 0 directional, 1 point
    float vector[3] = {0, -1, 0};  // direction travelled, or position
    uint32_t colour = 0xFFFFFF;
    float range = 0;  // 0: no fading
};

struct CameraState {
    float eye[3] = {0, 0, 5};
    float target[3] = {0, 0, 0};
    float fieldOfView = 60;
    float nearPlane = 0.1f;
};

struct DrawRecord {
    int slot = 0;
    Mat4 model;
};

struct SceneState {
    std::array<MeshSlotState, kMeshSlots> meshes;
    CameraState camera;
    std::array<LightState, kLights> lights;
    uint32_t ambient = 0x303030;
    int shadowLight = -1;
    bool recording = false;
    std::vector<DrawRecord> draws;  // keeps its storage from frame to frame
};

SceneState& Scene();

// The frame's end as the presenter sees it: a recording left open is dropped.
void ResetSceneFrame();
