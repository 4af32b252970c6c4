// The per-user folder where the game keeps its settings and its hi-scores.
#pragma once
#include <string>

// The name the folder is made under (the game's userFolder, else its
// caption; "Game" for a name that is no folder name). Until it is set there
// is no system folder (only AEROX_USER_DIR). Takes effect at the next look-up.
void SetUserDataAppName(const char* name);

// AEROX_USER_DIR when set and not empty, else the system's folder for this
// user's data of the game (on Linux ~/.local/share/<name>/). Made, with its
// parents, at the first call; always ends with '/'. "" when it cannot be
// had: then nothing is saved, and one log line says so.
const std::string& UserDataDirectory();

// Forgets the folder found, so that the next call looks again.
void ForgetUserDataDirectory();
