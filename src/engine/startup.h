// Start-up: creates the engine context and the other engine objects, opens
// the window, starts keyboard and sound and shows a first "Loading..." frame.
#pragma once
#include <string>

// The window's caption is caption; the per-user folder is named userFolder
// (the caption when null). Returns 0. When the window cannot be created the
// program ends at once through EndProgram.
int EngineInit(const char* caption, const char* userFolder = nullptr);

// The directory part of a program path: the text before the last "/" or
// "\" (searched from the end down to the second character); the whole path
// when there is none.
std::string ProgramDirectoryOf(const std::string& programPath);
