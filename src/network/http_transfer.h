// One web request under way, seen from the game thread: started at once,
// polled without blocking, or waited for with a bound. Worker threads run
// it on the desktops, the browser's fetch on the web.
#pragma once
#include <memory>
#include <string>

#include "network/http_outcome.h"
#include "network/http_url.h"

class HttpTransfer {
public:
    virtual ~HttpTransfer() = default;  // stops the request if it still runs
    // True once the request has ended; never blocks.
    virtual bool Finished() = 0;
    // Waits until the request ends or the time runs out; true when it ended.
    virtual bool WaitFinished(long milliseconds) = 0;
    // The outcome, once Finished; the transfer keeps an empty one.
    virtual HttpOutcome TakeOutcome() = 0;
};

// Starts fetching url. Null, with the reason, when no request can start now.
std::unique_ptr<HttpTransfer> StartHttpTransfer(const HttpUrl& url, std::string& reason);

// Stops every request still running and waits a little for them to end:
// the program's end.
void StopHttpTransfers();
