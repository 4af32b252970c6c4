// Folders the system decides: where the running program is and where
// temporary files go. UTF-8; one twin per platform (sys_paths_<platform>.cpp).
#pragma once
#include <string>

// The full name of the running program's file; empty when it cannot be told.
std::string ProgramFilePath();
// The user's temporary folder, ending in a separator.
std::string SystemTempDirectory();
