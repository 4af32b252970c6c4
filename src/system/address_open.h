// Opening a web address in the player's browser. One file per platform.
#pragma once
#include <string>

// True when the address may be handed to the system: http:// or https://,
// at most 2,048 bytes, no spaces or control bytes (nothing the opener could
// read as an option or a second address).
bool IsOpenableAddress(const std::string& url);

// Asks the system's browser to open the (checked) address; false with the
// reason when it cannot be asked.
bool OpenInBrowser(const std::string& url, std::string& why);
