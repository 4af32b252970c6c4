// The mesh slot commands. They need no window: meshes are plain memory,
// drawn from client-side arrays, so they outlive any GL context.
#include <cmath>
#include <memory>
#include <string>

#include "aerox/scene3d.h"
#include "gfx/data_resolver.h"
#include "gfx/engine_context.h"
#include "render3d/command_arguments.h"
#include "render3d/mesh_builders.h"
#include "render3d/mesh_format.h"
#include "render3d/scene_state.h"

namespace {

void Fill(int slot, Mesh&& mesh) {
    MeshSlotState& state = Scene().meshes[slot];
    state = MeshSlotState{};
    for (const MeshPart& part : mesh.parts) {
        state.partColour.push_back(mesh.materials[part.material].colour);
        state.partTexture.push_back(-1);
        state.partShader.push_back(-1);
    }
    state.mesh = std::make_unique<Mesh>(std::move(mesh));
}

bool Size(const char* command, const char* what, double value) {
    if (value > 0 && value < 1e9) return true;
    Log3d(command, std::string(what) + " " + NumberText3d(value) + " is not above 0");
    return false;
}

// The part number of a slot's mesh, or -1 (logged).
int PartNumber(const char* command, const MeshSlotState& state, double part) {
    if (!(part >= 0 && part < static_cast<double>(state.partColour.size()))) {
        Log3d(command,
              "part " + NumberText3d(part) + " is not one of the mesh's " + std::to_string(state.partColour.size()));
        return -1;
    }
    return static_cast<int>(part);
}

}  // namespace

double LoadMesh(double slot, const RtString& path) {
    const int n = MeshSlotNumber("LoadMesh", slot);
    if (n < 0) return 0;
    Scene().meshes[n] = MeshSlotState{};
    const std::string name = path.Text();
    std::string resolved;
    if (!ResolveAssetFile(name, resolved)) resolved = name;
    Mesh mesh;
    std::string error;
    if (!ReadMeshFile(resolved, mesh, error)) {
        // The path cut short and its control bytes hidden, as the loads of pictures do.
        LogLoadFailure("LoadMesh", name, ("a mesh file: " + error).c_str());
        return 0;
    }
    Fill(n, std::move(mesh));
    return 1;
}

void FreeMesh(double slot) {
    const int n = MeshSlotNumber("FreeMesh", slot);
    if (n >= 0) Scene().meshes[n] = MeshSlotState{};
}

double MakeCube(double slot, double size) {
    const int n = MeshSlotNumber("MakeCube", slot);
    if (n < 0 || !Size("MakeCube", "size", size)) return 0;
    Fill(n, MakeCubeMesh(static_cast<float>(size)));
    return 1;
}

double MakeSphere(double slot, double radius, double segments) {
    const int n = MeshSlotNumber("MakeSphere", slot);
    if (n < 0 || !Size("MakeSphere", "radius", radius)) return 0;
    if (!(segments >= 3 && segments < 129)) {
        Log3d("MakeSphere", "segments " + NumberText3d(segments) + " is not 3..128");
        return 0;
    }
    Fill(n, MakeSphereMesh(static_cast<float>(radius), static_cast<int>(segments)));
    return 1;
}

double MakePlane(double slot, double width, double depth) {
    const int n = MeshSlotNumber("MakePlane", slot);
    if (n < 0 || !Size("MakePlane", "width", width) || !Size("MakePlane", "depth", depth)) return 0;
    Fill(n, MakePlaneMesh(static_cast<float>(width), static_cast<float>(depth)));
    return 1;
}

double MeshTriangles(double slot) {
    const MeshSlotState* state = FilledMeshSlot("MeshTriangles", slot);
    return state == nullptr ? 0 : state->mesh->TriangleCount();
}

double MeshSize(double slot, double axis) {
    const MeshSlotState* state = FilledMeshSlot("MeshSize", slot);
    if (state == nullptr) return 0;
    if (!(axis >= 0 && axis < 3)) {
        Log3d("MeshSize", "axis " + NumberText3d(axis) + " is not 0, 1 or 2");
        return 0;
    }
    const int a = static_cast<int>(axis);
    return static_cast<double>(state->mesh->boundsMax[a]) - state->mesh->boundsMin[a];
}

double MeshClosed(double slot) {
    const MeshSlotState* state = FilledMeshSlot("MeshClosed", slot);
    return state != nullptr && state->mesh->closed ? 1 : 0;
}

double SetMeshColour(double slot, double part, double colour) {
    MeshSlotState* state = FilledMeshSlot("SetMeshColour", slot);
    if (state == nullptr) return 0;
    const int p = PartNumber("SetMeshColour", *state, part);
    if (p < 0 || !Finite("SetMeshColour", "colour", colour)) return 0;
    state->partColour[p] = static_cast<uint32_t>(static_cast<int64_t>(colour)) & 0xFFFFFF;
    return 1;
}

double SetMeshTexture(double slot, double part, double spriteSlot) {
    MeshSlotState* state = FilledMeshSlot("SetMeshTexture", slot);
    if (state == nullptr) return 0;
    const int p = PartNumber("SetMeshTexture", *state, part);
    if (p < 0) return 0;
    if (spriteSlot == -1) {
        state->partTexture[p] = -1;
        return 1;
    }
    // The sprite store lives with the engine: before it starts, no sprite is loaded.
    if (!(spriteSlot >= 0 && spriteSlot < kSpriteSlotCount) || g_engine == nullptr ||
        g_engine->sprites[static_cast<int>(spriteSlot)].imageWidth <= 0) {
        Log3d("SetMeshTexture", "sprite slot " + NumberText3d(spriteSlot) + " holds no picture");
        return 0;
    }
    state->partTexture[p] = static_cast<int>(spriteSlot);
    return 1;
}
