// The browser's fetch, through emscripten's fetch API. The page has one
// thread: the request runs in the browser while the game's frames go on,
// and its callbacks come while the game waits for a frame. HttpGet's wait
// hands the thread back to the page in small sleeps (asyncify).
#include <emscripten/emscripten.h>
#include <emscripten/fetch.h>

#include <cstring>
#include <utility>

#include "network/http_limits.h"
#include "network/http_transfer.h"

namespace {

// emscripten_fetch_close's mark on a request it aborted.
constexpr unsigned short kAbortedStatus = 0xFFFF;

class FetchTransfer : public HttpTransfer {
public:
    explicit FetchTransfer(const HttpUrl& url) : started_(emscripten_get_now()) {
        emscripten_fetch_attr_t attr;
        emscripten_fetch_attr_init(&attr);
        std::strcpy(attr.requestMethod, "GET");
        attr.attributes = EMSCRIPTEN_FETCH_LOAD_TO_MEMORY;
        attr.timeoutMSecs = kHttpTotalMs;
        attr.userData = this;
        attr.onsuccess = OnEnd;
        attr.onerror = OnEnd;
        attr.onprogress = OnProgress;
        emscripten_fetch_t* fetch = emscripten_fetch(&attr, url.text.c_str());
        // An error the browser raised at once has already closed it.
        if (!finished_) fetch_ = fetch;
        if (fetch == nullptr && !finished_) Finish("the browser could not start the request");
    }
    ~FetchTransfer() override {
        finished_ = true;  // the abort's callback changes nothing any more
        Close();
    }
    FetchTransfer(const FetchTransfer&) = delete;
    FetchTransfer& operator=(const FetchTransfer&) = delete;

    bool Finished() override {
        if (finished_) Close();  // a body over the limit ended in a callback that may not close
        return finished_;
    }
    bool WaitFinished(long milliseconds) override {
        const double until = emscripten_get_now() + static_cast<double>(milliseconds);
        while (!finished_ && emscripten_get_now() < until) emscripten_sleep(5);
        return Finished();
    }
    HttpOutcome TakeOutcome() override { return std::exchange(outcome_, HttpOutcome{}); }

private:
    static void OnEnd(emscripten_fetch_t* fetch) {
        auto* self = static_cast<FetchTransfer*>(fetch->userData);
        if (self->finished_) return;
        const unsigned short status = fetch->status;
        if (status == 0 || status == kAbortedStatus) {
            const bool late = emscripten_get_now() - self->started_ >= kHttpTotalMs - 50;
            self->Finish(late ? "out of time (15 s in all)"
                              : "the browser got no answer (no server, its origin rules or its certificate)");
        } else if (fetch->numBytes > kHttpMaxBody) {
            self->Finish("the body is over 4 MiB");
        } else {
            self->finished_ = true;
            self->outcome_.status = status;
            self->outcome_.body.assign(fetch->data, static_cast<size_t>(fetch->numBytes));
        }
        // Closing inside the end callback is emscripten's own pattern.
        self->fetch_ = nullptr;
        emscripten_fetch_close(fetch);
    }
    static void OnProgress(emscripten_fetch_t* fetch) {
        auto* self = static_cast<FetchTransfer*>(fetch->userData);
        if (self->finished_) return;
        if (fetch->totalBytes > kHttpMaxBody || fetch->dataOffset + fetch->numBytes > kHttpMaxBody) {
            self->Finish("the body is over 4 MiB");  // closed at the next look, outside the callback
        }
    }
    void Finish(const char* why) {
        finished_ = true;
        outcome_ = HttpOutcome{};
        outcome_.failure = why;
    }
    // Closing a fetch still under way frees it but leaves its request
    // running, whose callbacks would then write into freed memory: abort
    // the browser's request first; an aborted one calls nothing back.
    void Close() {
        if (fetch_ == nullptr) return;
        emscripten_fetch_t* fetch = std::exchange(fetch_, nullptr);
        EM_ASM(
            {
                var request = Fetch.xhrs[$0 - 1];
                if (request) request.abort();
            },
            fetch->id);
        emscripten_fetch_close(fetch);
    }

    emscripten_fetch_t* fetch_ = nullptr;
    bool finished_ = false;
    HttpOutcome outcome_;
    double started_;
};

}  // namespace

std::unique_ptr<HttpTransfer> StartHttpTransfer(const HttpUrl& url, std::string& /*reason*/) {
    return std::make_unique<FetchTransfer>(url);
}

// The page's end takes its requests with it.
void StopHttpTransfers() {}
