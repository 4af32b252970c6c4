// The paths the player chose in a file dialog during this run: the one
// exception to the two folders, read and written as given. The dialog code
// adds them (from whichever thread runs the dialog); the file commands ask.
#pragma once
#include <string>

// Lets the file commands use path as given until the program ends. An
// empty path is ignored.
void AllowChosenPath(const std::string& path);

// True when path is, byte for byte, one the player chose.
bool IsChosenPath(const std::string& path);

// Called after a file at a chosen path was saved whole (a channel closed,
// an INI value set, a picture saved): in the browser the dialog code hands
// such a file to the player as a download. nullptr for none.
using ChosenFileSavedHandler = void (*)(const std::string& path);
void SetChosenFileSavedHandler(ChosenFileSavedHandler handler);
// Tells the handler, when path is a chosen one.
void NoteFileSaved(const std::string& path);

// Forgets every chosen path (the program's end, and tests).
void ForgetChosenPaths();
