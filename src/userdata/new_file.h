// Files the engine adds to a folder beside the ones already there: a file
// is never replaced, and it appears under its name only once it is whole.
// The seam has one file per platform.
#pragma once
#include <string>

// Names tried before giving up: stem, stem-2, ... stem-<this>.
constexpr int kNewFileMaxNames = 999;

// Writes bytes to a new file in folder (made, with its parents, when
// missing) named stem + extension, or, when that name is taken,
// stem + "-2" + extension, "-3"... Returns the path written, or "" with
// failure saying why; nothing is left behind then.
std::string WriteNewFile(const std::string& folder, const std::string& stem, const std::string& extension,
                         const std::string& bytes, std::string& failure);
