#include "system/address_open.h"
#include "system/process_launch.h"

bool OpenInBrowser(const std::string& url, std::string& why) {
    // The desktop's own opener picks the player's browser; it is started,
    // not waited for, and the address is one argument of it.
    const LaunchResult launched = LaunchProcess("xdg-open", {url}, false);
    if (!launched.started) why = "xdg-open could not be started: " + launched.why;
    return launched.started;
}
