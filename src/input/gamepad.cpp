// The pads over SDL's game-controller layer. Plugging in and out is noticed
// through SDL's controller events, watched as they are queued: the frame
// presenter drains the queue for window events, so the pads cannot wait to
// read the events from it.
#include "input/gamepad.h"

#include <SDL.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/errors.h"
#include "runtime/program_path.h"
#include "runtime/sys_files.h"

namespace {

constexpr int kScanReturn = 28, kScanLeftCtrl = 29;
constexpr int kScanUp = 200, kScanLeft = 203, kScanRight = 205, kScanDown = 208;

struct Pad {
    SDL_GameController* controller = nullptr;
    SDL_JoystickID id = -1;
    // The stick's arrows held in the last poll, for the hysteresis.
    bool left = false, right = false, up = false, down = false;
};

bool g_ready = false;
std::vector<Pad> g_pads;
// Set from SDL's event watch, which runs on whichever thread queues an event.
std::atomic<bool> g_devicesChanged{false};

void Log(const std::string& text) { AppendLogLine(text.c_str()); }

int WatchDevices(void*, SDL_Event* event) {
    if (event->type == SDL_CONTROLLERDEVICEADDED || event->type == SDL_CONTROLLERDEVICEREMOVED) g_devicesChanged = true;
    return 0;
}

// SDL would load any file whole, however large or whatever it is (a pipe
// would never end): only a plain file of a bounded size reaches it.
void AddMappingFile(const std::string& path) {
    if (path.empty() || !PathExists(path)) return;
    const std::string name = "Gamepad mappings " + path;
    if (!IsReadableFile(path)) {
        Log(name + " ignored: not a plain file");
        return;
    }
    std::FILE* file = OpenFile(path, "rb");
    if (file == nullptr) {
        Log(name + " could not be opened");
        return;
    }
    std::string bytes(kGamepadMappingFileMaxBytes + 1, '\0');
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    std::fclose(file);
    if (bytes.size() > kGamepadMappingFileMaxBytes) {
        Log(name + " ignored: larger than 4 MiB");
        return;
    }
    SDL_RWops* source = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    if (source == nullptr || SDL_GameControllerAddMappingsFromRW(source, 1) <= 0) Log(name + " gave no mapping");
}

bool IsOpen(SDL_JoystickID id) {
    for (const Pad& pad : g_pads)
        if (pad.id == id) return true;
    return false;
}

void OpenNewPads() {
    const int count = SDL_NumJoysticks();
    for (int i = 0; i < count; ++i) {
        if (SDL_IsGameController(i) == SDL_FALSE) continue;
        const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(i);
        if (id < 0 || IsOpen(id)) continue;
        SDL_GameController* controller = SDL_GameControllerOpen(i);
        if (controller == nullptr) {
            Log(std::string("Gamepad could not be opened: ") + SDL_GetError());
            continue;
        }
        Pad pad;
        pad.controller = controller;
        pad.id = id;
        g_pads.push_back(pad);
        const char* name = SDL_GameControllerName(controller);
        Log(std::string("Gamepad connected: ") + (name != nullptr ? name : "(no name)"));
    }
}

// A pad pulled out takes its keys with it: it is simply not read again.
void CloseRemovedPads() {
    for (size_t i = g_pads.size(); i-- > 0;) {
        if (SDL_GameControllerGetAttached(g_pads[i].controller) == SDL_TRUE) continue;
        SDL_GameControllerClose(g_pads[i].controller);
        g_pads.erase(g_pads.begin() + static_cast<std::ptrdiff_t>(i));
        Log("Gamepad disconnected");
    }
}

bool StickHolds(bool wasHeld, int travel) { return travel >= (wasHeld ? kStickRelease : kStickPress); }

void ReadPad(Pad& pad, uint8_t padKeys[256]) {
    SDL_GameController* c = pad.controller;
    // The axis runs -32768..32767; negated as int so that full travel is
    // the same on both sides.
    const int x = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTX);
    const int y = SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTY);
    pad.left = StickHolds(pad.left, -x);
    pad.right = StickHolds(pad.right, x);
    pad.up = StickHolds(pad.up, -y);
    pad.down = StickHolds(pad.down, y);
    auto button = [c](SDL_GameControllerButton b) { return SDL_GameControllerGetButton(c, b) != 0; };
    auto hold = [padKeys](int scanCode, bool held) {
        if (held) padKeys[scanCode] = 0x80;
    };
    hold(kScanLeft, pad.left || button(SDL_CONTROLLER_BUTTON_DPAD_LEFT));
    hold(kScanRight, pad.right || button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT));
    hold(kScanUp, pad.up || button(SDL_CONTROLLER_BUTTON_DPAD_UP));
    hold(kScanDown, pad.down || button(SDL_CONTROLLER_BUTTON_DPAD_DOWN));
    const bool south = button(SDL_CONTROLLER_BUTTON_A);
    hold(kScanLeftCtrl, south);
    hold(kScanReturn, south || button(SDL_CONTROLLER_BUTTON_START));
}

}  // namespace

std::string GamepadMappingFile() {
    const std::string program = ProgramPath();
    const size_t slash = program.find_last_of("/\\");
    if (slash == std::string::npos) return "";
    return program.substr(0, slash + 1) + "gamecontrollerdb.txt";
}

bool InitGamepads(const std::string& mappingFile) {
    if (g_ready) return true;
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        Log(std::string("No gamepads: ") + SDL_GetError());
        return false;
    }
    AddMappingFile(mappingFile);
    SDL_AddEventWatch(WatchDevices, nullptr);
    g_ready = true;
    g_devicesChanged = false;
    OpenNewPads();
    return true;
}

void PollGamepads(uint8_t padKeys[256], bool keysAllowed) {
    std::memset(padKeys, 0, 256);
    if (!g_ready) return;
    // Also where SDL notices pads plugged in or out.
    SDL_GameControllerUpdate();
    if (g_devicesChanged.exchange(false)) OpenNewPads();
    CloseRemovedPads();
    for (Pad& pad : g_pads) {
        if (keysAllowed)
            ReadPad(pad, padKeys);
        else
            pad.left = pad.right = pad.up = pad.down = false;
    }
}

int GamepadCount() { return static_cast<int>(g_pads.size()); }

void ShutdownGamepads() {
    if (!g_ready) return;
    for (const Pad& pad : g_pads) SDL_GameControllerClose(pad.controller);
    g_pads.clear();
    SDL_DelEventWatch(WatchDevices, nullptr);
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    g_ready = false;
}
