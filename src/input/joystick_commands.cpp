// The joystick commands over joysticks.h: a number that names no joystick,
// axis or button gives 0 (or "") and one log line.
#include <cstdio>
#include <string>

#include "aerox/input.h"
#include "input/input_context.h"
#include "input/joysticks.h"
#include "runtime/engine_required.h"
#include "runtime/errors.h"

namespace {
void Log(const char* command, const std::string& why) { AppendLogLine((std::string(command) + ": " + why).c_str()); }

// A whole number 0..1023 cut from the double, or -1.
int Number(double v) { return v >= 0 && v < 1024 ? static_cast<int>(v) : -1; }

std::string Shown(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", v);
    return text;
}
}  // namespace

double JoystickCount() {
    if (!RequireEngine(g_input != nullptr, "JoystickCount")) return 0;
    return OpenJoystickCount();
}

RtString JoystickName(double index) {
    if (!RequireEngine(g_input != nullptr, "JoystickName")) return RtString();
    const int i = Number(index);
    if (i < 0 || i >= OpenJoystickCount()) {
        Log("JoystickName", "no joystick " + Shown(index));
        return RtString();
    }
    return RtString(OpenJoystickName(i).c_str());
}

double JoystickAxis(double index, double axis) {
    if (!RequireEngine(g_input != nullptr, "JoystickAxis")) return 0;
    double value = 0;
    if (!ReadJoystickAxis(Number(index), Number(axis), value)) {
        Log("JoystickAxis", "no axis " + Shown(axis) + " on joystick " + Shown(index));
        return 0;
    }
    return value;
}

double JoystickButton(double index, double button) {
    if (!RequireEngine(g_input != nullptr, "JoystickButton")) return 0;
    bool held = false;
    if (!ReadJoystickButton(Number(index), Number(button), held)) {
        Log("JoystickButton", "no button " + Shown(button) + " on joystick " + Shown(index));
        return 0;
    }
    return held ? 1 : 0;
}
