// Checks of the 3D commands' numbers: each failure is one log line naming
// the command.
#pragma once
#include <string>

struct MeshSlotState;

// The log line "<command>: <why>".
void Log3d(const char* command, const std::string& why);
// A number's text for a log line.
std::string NumberText3d(double value);
// The slot number 0..4095 with its fraction cut off, or -1 (logged).
int MeshSlotNumber(const char* command, double slot);
// The slot's state when it holds a mesh, else null (logged).
MeshSlotState* FilledMeshSlot(const char* command, double slot);
// The light number 0..7, or -1 (logged).
int LightNumber(const char* command, double light);
// True for a finite number (else logged, naming what it is).
bool Finite(const char* command, const char* what, double value);
