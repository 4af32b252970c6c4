// Saving a whole file in one go: into a temporary beside it, flushed to the
// disk, then renamed over the old one (see folder_system.h).
#pragma once
#include <string>

// False, with the old file untouched and no temporary left, on any failure.
bool SaveWholeFile(const std::string& path, const std::string& bytes);
