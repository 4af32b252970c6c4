// Where the program is: the one platform question start-up asks before it
// looks for its data beside the program.
#pragma once
#include <string>

// The full path of the running program, UTF-8; "" when it cannot be had.
std::string ProgramPath();
// Makes directory (UTF-8) the working directory; false when it cannot.
bool ChangeDirectory(const std::string& directory);
