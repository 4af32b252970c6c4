// Joysticks by number, read raw (axes and buttons as SDL numbers them), as
// a game that is not played with the arrow keys wants them. Opened when a
// command first asks and whenever SDL reports one plugged in or out, never
// at start-up.
#pragma once
#include <string>

// The joysticks plugged in now, opened on the way; 0 when SDL has no
// joysticks to offer (logged once).
int OpenJoystickCount();
// "" when index is not open.
std::string OpenJoystickName(int index);
// The axis -32768..32767 as -1..1; false when index or axis does not exist.
bool ReadJoystickAxis(int index, int axis, double& value);
bool ReadJoystickButton(int index, int button, bool& held);
// Closes them all and stops what the first command started.
void ShutdownJoysticks();
