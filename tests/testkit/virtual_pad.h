// A game controller made of SDL's virtual joysticks: plugged in for the
// object's lifetime (or until Unplug), its buttons and stick set by the test.
// SDL's joystick layer must be running (InitGamepads starts it).
#pragma once
#include <SDL.h>

namespace testkit {

class VirtualPad {
public:
    VirtualPad();
    ~VirtualPad();
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    // False when SDL could not make the pad (the test then fails).
    bool plugged() const { return joystick_ != nullptr; }
    void Button(SDL_GameControllerButton button, bool down);
    void Axis(SDL_GameControllerAxis axis, int value);
    // Pulls the pad out, whatever it is holding.
    void Unplug();

private:
    SDL_Joystick* joystick_ = nullptr;
    SDL_JoystickID id_ = -1;
};

}  // namespace testkit
