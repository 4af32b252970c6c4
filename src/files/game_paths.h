// Where a game's path leads. Reads look in the per-user folder, then in the
// game's folder (the working folder once the engine started), then in the
// data archive; writes, deletes and new folders go to the per-user folder
// alone. A path the player chose in a file dialog is used as given.
#pragma once
#include <cstddef>
#include <string>

struct GamePath {
    std::string user;  // in the per-user folder; "" when there is none
    std::string game;  // in the game's folder
    std::string name;  // the last part, as the data archive knows its entries
    bool chosen = false;
};

// True for a relative path that stays inside its folder: not empty, no
// control byte, no ':' (a drive or a stream), no leading separator, no
// ".." part and no part that Windows takes for a device (CON, NUL.txt,
// COM1...). Both separators count; '\' becomes '/'.
bool IsContainedPath(const std::string& path, std::string& normal);

// Places a game's path, or writes one log line naming the command and
// returns false when the path is refused.
bool PlaceGamePath(const char* command, const std::string& path, GamePath& placed);

// The path a write goes to: the per-user one (or the chosen one). False
// with one log line when there is no per-user folder.
bool WritablePath(const char* command, const GamePath& placed, std::string& target);

// "<command>: '<path>' <why>" in the log; the path cut to 200 bytes and its
// control bytes shown as '?', so a hostile name cannot forge log lines.
void LogFileFailure(const char* command, const std::string& path, const std::string& why);

// Reads a whole file the way reads look for it (per-user folder, game's
// folder, data archive). False when it is in none of them; too_big when it
// holds more than limit bytes (bytes then empty).
bool ReadWholeGameFile(const GamePath& placed, size_t limit, std::string& bytes, bool& tooBig);
