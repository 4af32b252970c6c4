// Feeds arbitrary bytes to the web requests' URL check, and as a redirect's
// Location to the redirect rules, and holds what they accept to the rules
// the clients rely on.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "network/http_limits.h"
#include "network/http_url.h"

namespace {

void CheckAccepted(const HttpUrl& url) {
    if (url.host.empty() || url.port < 1 || url.port > 65535) __builtin_trap();
    if (url.target.empty() || url.target.front() != '/') __builtin_trap();
    if (url.text.size() > kHttpMaxUrl || url.text.find('#') != std::string::npos) __builtin_trap();
    for (char c : url.text) {
        if (static_cast<unsigned char>(c) <= 0x20 || c == 0x7F) __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    HttpUrl url;
    std::string reason;
    if (ParseHttpUrl(text, url, reason)) {
        CheckAccepted(url);
    } else if (reason.empty()) {
        __builtin_trap();
    }
    HttpUrl from;
    if (!ParseHttpUrl("https://[::1]:8443/a/b?c", from, reason)) __builtin_trap();
    HttpUrl to;
    if (ResolveRedirect(from, text, to, reason)) {
        CheckAccepted(to);
        if (!to.secure) __builtin_trap();  // never down to http:
    } else if (reason.empty()) {
        __builtin_trap();
    }
    return 0;
}
