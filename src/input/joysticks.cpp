#include "input/joysticks.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <vector>

#include "runtime/errors.h"

namespace {

struct Stick {
    SDL_Joystick* joystick = nullptr;
    SDL_JoystickID id = -1;
};

std::vector<Stick> g_sticks;
bool g_watching = false;
bool g_startedJoysticks = false;  // SDL's joystick layer was started here, not by the gamepads
bool g_unavailableLogged = false;
// Set from SDL's event watch, which runs on whichever thread queues an event.
std::atomic<bool> g_devicesChanged{true};

int WatchDevices(void*, SDL_Event* event) {
    if (event->type == SDL_JOYDEVICEADDED || event->type == SDL_JOYDEVICEREMOVED) g_devicesChanged = true;
    return 0;
}

bool Ready() {
    if (SDL_WasInit(SDL_INIT_JOYSTICK) == 0) {
        if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) {
            if (!g_unavailableLogged) AppendLogLine((std::string("No joysticks: ") + SDL_GetError()).c_str());
            g_unavailableLogged = true;
            return false;
        }
        g_startedJoysticks = true;
    }
    if (!g_watching) {
        SDL_AddEventWatch(WatchDevices, nullptr);
        g_watching = true;
        g_devicesChanged = true;
    }
    return true;
}

bool IsOpen(SDL_JoystickID id) {
    return std::any_of(g_sticks.begin(), g_sticks.end(), [id](const Stick& s) { return s.id == id; });
}

void Refresh() {
    if (!Ready() || !g_devicesChanged.exchange(false)) return;
    for (size_t i = g_sticks.size(); i-- > 0;) {
        if (SDL_JoystickGetAttached(g_sticks[i].joystick) == SDL_TRUE) continue;
        SDL_JoystickClose(g_sticks[i].joystick);
        g_sticks.erase(g_sticks.begin() + static_cast<std::ptrdiff_t>(i));
    }
    const int count = SDL_NumJoysticks();
    for (int i = 0; i < count; ++i) {
        const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(i);
        if (id < 0 || IsOpen(id)) continue;
        if (SDL_Joystick* joystick = SDL_JoystickOpen(i)) g_sticks.push_back({joystick, id});
    }
}

SDL_Joystick* At(int index) {
    Refresh();
    return index >= 0 && index < static_cast<int>(g_sticks.size()) ? g_sticks[static_cast<size_t>(index)].joystick
                                                                   : nullptr;
}

}  // namespace

int OpenJoystickCount() {
    Refresh();
    return static_cast<int>(g_sticks.size());
}

std::string OpenJoystickName(int index) {
    SDL_Joystick* joystick = At(index);
    const char* name = joystick != nullptr ? SDL_JoystickName(joystick) : nullptr;
    return name != nullptr ? name : "";
}

bool ReadJoystickAxis(int index, int axis, double& value) {
    SDL_Joystick* joystick = At(index);
    if (joystick == nullptr || axis < 0 || axis >= SDL_JoystickNumAxes(joystick)) return false;
    value = std::max(-1.0, SDL_JoystickGetAxis(joystick, axis) / 32767.0);
    return true;
}

bool ReadJoystickButton(int index, int button, bool& held) {
    SDL_Joystick* joystick = At(index);
    if (joystick == nullptr || button < 0 || button >= SDL_JoystickNumButtons(joystick)) return false;
    held = SDL_JoystickGetButton(joystick, button) != 0;
    return true;
}

void ShutdownJoysticks() {
    for (const Stick& stick : g_sticks) SDL_JoystickClose(stick.joystick);
    g_sticks.clear();
    if (g_watching) SDL_DelEventWatch(WatchDevices, nullptr);
    g_watching = false;
    if (g_startedJoysticks) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    g_startedJoysticks = false;
    g_devicesChanged = true;
}
