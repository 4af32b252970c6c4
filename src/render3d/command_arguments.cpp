#include "render3d/command_arguments.h"

#include <cmath>
#include <cstdio>

#include "aerox/program.h"
#include "render3d/scene_state.h"

void Log3d(const char* command, const std::string& why) { AppendLogLine((std::string(command) + ": " + why).c_str()); }

std::string NumberText3d(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

int MeshSlotNumber(const char* command, double slot) {
    if (!(slot >= 0 && slot < kMeshSlots)) {
        Log3d(command, "mesh slot " + NumberText3d(slot) + " is not 0..4095");
        return -1;
    }
    return static_cast<int>(slot);
}

MeshSlotState* FilledMeshSlot(const char* command, double slot) {
    const int n = MeshSlotNumber(command, slot);
    if (n < 0) return nullptr;
    MeshSlotState& state = Scene().meshes[n];
    if (state.mesh == nullptr) {
        Log3d(command, "mesh slot " + std::to_string(n) + " is empty");
        return nullptr;
    }
    return &state;
}

int LightNumber(const char* command, double light) {
    if (!(light >= 0 && light < kLights)) {
        Log3d(command, "light " + NumberText3d(light) + " is not 0..7");
        return -1;
    }
    return static_cast<int>(light);
}

bool Finite(const char* command, const char* what, double value) {
    if (std::isfinite(value)) return true;
    Log3d(command, std::string(what) + " is not a finite number");
    return false;
}
