// Renaming that never replaces: the one call the per-user files need that
// the browser's C library lacks. One file per platform.
#pragma once
#include <string>

// rename() that fails, with errno EEXIST, instead of replacing what already
// has the new name.
bool RenameWithoutReplacing(const std::string& from, const std::string& to);
