// The user's temporary directory, where the engine keeps its log file and
// the files it unpacks from a data archive.
#pragma once
#include <string>

// $TMPDIR when set and not empty, otherwise "/tmp"; always ends in "/".
// Read once per process.
const std::string& TempDirectory();
