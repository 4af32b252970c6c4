#include "system/process_launch.h"

LaunchResult LaunchProcess(const std::string&, const std::vector<std::string>&, bool) {
    LaunchResult result;
    result.why = "a page in the browser cannot start programs";
    return result;
}
