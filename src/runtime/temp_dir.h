// The user's temporary directory, where the engine keeps its log file and
// the files it unpacks from a data archive.
#pragma once
#include <string>

// The system's temporary folder ($TMPDIR or /tmp on POSIX, GetTempPath on
// Windows); always ends in a separator.
// Read once per process.
const std::string& TempDirectory();
