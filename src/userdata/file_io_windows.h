// The steps every Windows save shares: a name no other writer picks, writing
// a whole buffer, and telling a taken name from other failures.
#pragma once
#include <windows.h>

#include <string>

// Six characters that differ between writers in this process and others:
// the process id, a counter and the clock, mixed.
std::string UniqueSuffix();
// Writes every byte, in pieces of at most 1 MiB; false on error.
bool WriteAll(HANDLE file, const std::string& bytes);
// True for the errors that say a name is already taken.
bool NameTaken(DWORD error);
