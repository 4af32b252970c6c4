#include <emscripten.h>

#include "system/address_open.h"

bool OpenInBrowser(const std::string& url, std::string&) {
    // A new tab that cannot reach back into the game's page.
    EM_ASM({ window.open(UTF8ToString($0), "_blank", "noopener"); }, url.c_str());
    return true;
}
