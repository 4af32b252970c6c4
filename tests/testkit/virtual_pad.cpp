#include "testkit/virtual_pad.h"

namespace testkit {

VirtualPad::VirtualPad() {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    // A game-controller type gets a mapping of its own from SDL: button b
    // is SDL_GameControllerButton b, axis a is SDL_GameControllerAxis a.
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "Aerox test pad";
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    if (index < 0) return;
    id_ = SDL_JoystickGetDeviceInstanceID(index);
    joystick_ = SDL_JoystickOpen(index);
}

VirtualPad::~VirtualPad() { Unplug(); }

void VirtualPad::Button(SDL_GameControllerButton button, bool down) {
    if (joystick_ != nullptr) SDL_JoystickSetVirtualButton(joystick_, button, down ? 1 : 0);
}

void VirtualPad::Axis(SDL_GameControllerAxis axis, int value) {
    if (joystick_ != nullptr) SDL_JoystickSetVirtualAxis(joystick_, axis, static_cast<Sint16>(value));
}

void VirtualPad::Unplug() {
    if (joystick_ == nullptr) return;
    SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (SDL_JoystickGetDeviceInstanceID(i) == id_) {
            SDL_JoystickDetachVirtual(i);
            break;
        }
    }
}

}  // namespace testkit
