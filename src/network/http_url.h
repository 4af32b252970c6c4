// A request's URL, checked before anything is sent: an absolute http: or
// https: address with a host, no user name, no spaces or control bytes.
#pragma once
#include <string>
#include <string_view>

struct HttpUrl {
    bool secure = false;  // https:
    std::string host;     // an IPv6 address without its brackets
    int port = 0;         // the scheme's port when the URL names none
    std::string target;   // path and query, "/" at least; no fragment
    std::string text;     // the whole URL without its fragment
};

// Fills url, or gives false and a short reason.
bool ParseHttpUrl(std::string_view text, HttpUrl& url, std::string& reason);

// The URL a redirect's Location names, seen from the URL that answered:
// absolute, from the host's root ("/x"), or beside the answering path
// ("x"). False, with a reason, for one that is not http: or https:, goes
// from https: down to http:, or fails the URL check.
bool ResolveRedirect(const HttpUrl& from, std::string_view location, HttpUrl& to, std::string& reason);
