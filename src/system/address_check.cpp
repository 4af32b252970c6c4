#include <cctype>

#include "system/address_open.h"

bool IsOpenableAddress(const std::string& url) {
    if (url.size() > 2048) return false;
    std::string scheme;
    for (const char c : url.substr(0, 8)) scheme += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const bool web = scheme.rfind("http://", 0) == 0 || scheme.rfind("https://", 0) == 0;
    if (!web) return false;
    const size_t hostStart = scheme.rfind("https://", 0) == 0 ? 8 : 7;
    if (url.size() == hostStart) return false;
    for (const char c : url)
        if (static_cast<unsigned char>(c) <= ' ' || c == 0x7f) return false;
    return true;
}
