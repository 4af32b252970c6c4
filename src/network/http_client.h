// The desktops' blocking fetch, one per platform (libcurl on Linux,
// WinHTTP on Windows): run on a worker thread, never the game's.
#pragma once
#include <functional>

#include "network/http_outcome.h"
#include "network/http_url.h"

// Fetches url within the bounds of http_limits.h. stopped is asked now and
// then; once it says true the request ends soon with a failure.
HttpOutcome FetchUrl(const HttpUrl& url, const std::function<bool()>& stopped);
