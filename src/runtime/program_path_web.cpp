// In the browser the program has no file of its own: its packed data/
// folder and font are laid out in /game (see scripts/package), and the
// program is said to sit beside them.
#include <unistd.h>

#include "runtime/program_path.h"

std::string ProgramPath() { return "/game/aerox"; }

bool ChangeDirectory(const std::string& directory) { return chdir(directory.c_str()) == 0; }
