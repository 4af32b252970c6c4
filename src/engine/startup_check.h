// The game's start-up settings are input: each field out of its range goes
// back to its default, and each such field is named in a log line.
#pragma once
#include <string>
#include <vector>

#include "aerox/program.h"

// The settings with their texts copied (the game's may be temporaries); the
// text pointers in settings are left as given: point them at these strings
// where the copy will stay.
struct CheckedStartup {
    StartupSettings settings;
    std::string caption;
    std::string version;
    std::string userFolder;
    std::vector<std::string> complaints;  // one line for each field put back
};

CheckedStartup CheckStartupSettings(const StartupSettings& given);
