// On the desktops each request runs the platform's blocking fetch on a
// worker thread of its own, so the game thread only ever polls. Workers
// are detached and share their result through reference-counted state: a
// game that drops a running request never waits for it, and a worker that
// outlives its slot writes into state nobody reads any more.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

#include "network/http_client.h"
#include "network/http_transfer.h"

namespace {

// At most this many workers at once: a game that restarts requests every
// frame is refused before it piles up threads.
constexpr int kMaxWorkers = 32;
// How long the program's end waits for the workers it stopped.
constexpr auto kStopWait = std::chrono::seconds(2);

struct Workers {
    std::mutex mutex;
    std::condition_variable ended;
    int running = 0;
    std::atomic<bool> stopping{false};
};

// Never destroyed: a worker still closing during the program's exit must
// find it alive.
Workers& TheWorkers() {
    static auto* workers = new Workers;
    return *workers;
}

struct RequestState {
    std::mutex mutex;
    std::condition_variable ended;
    bool finished = false;
    HttpOutcome outcome;
    std::atomic<bool> cancelled{false};
};

void RunWorker(const std::shared_ptr<RequestState>& state, const HttpUrl& url) {
    Workers& workers = TheWorkers();
    HttpOutcome outcome =
        FetchUrl(url, [&state, &workers] { return state->cancelled.load() || workers.stopping.load(); });
    {
        const std::lock_guard<std::mutex> lock(state->mutex);
        state->outcome = std::move(outcome);
        state->finished = true;
    }
    state->ended.notify_all();
    {
        const std::lock_guard<std::mutex> lock(workers.mutex);
        --workers.running;
    }
    workers.ended.notify_all();
}

class ThreadTransfer : public HttpTransfer {
public:
    explicit ThreadTransfer(std::shared_ptr<RequestState> state) : state_(std::move(state)) {}
    ~ThreadTransfer() override { state_->cancelled = true; }
    ThreadTransfer(const ThreadTransfer&) = delete;
    ThreadTransfer& operator=(const ThreadTransfer&) = delete;

    bool Finished() override {
        const std::lock_guard<std::mutex> lock(state_->mutex);
        return state_->finished;
    }
    bool WaitFinished(long milliseconds) override {
        std::unique_lock<std::mutex> lock(state_->mutex);
        return state_->ended.wait_for(lock, std::chrono::milliseconds(milliseconds),
                                      [this] { return state_->finished; });
    }
    HttpOutcome TakeOutcome() override {
        const std::lock_guard<std::mutex> lock(state_->mutex);
        return std::exchange(state_->outcome, HttpOutcome{});
    }

private:
    std::shared_ptr<RequestState> state_;
};

// Stops the workers when the program exits without EndProgram's help.
struct StopAtExit {
    StopAtExit() = default;
    StopAtExit(const StopAtExit&) = delete;
    StopAtExit& operator=(const StopAtExit&) = delete;
    ~StopAtExit() { StopHttpTransfers(); }
} g_stopAtExit;

}  // namespace

std::unique_ptr<HttpTransfer> StartHttpTransfer(const HttpUrl& url, std::string& reason) {
    Workers& workers = TheWorkers();
    {
        const std::lock_guard<std::mutex> lock(workers.mutex);
        if (workers.stopping) {
            reason = "web requests have stopped with the program";
            return nullptr;
        }
        if (workers.running >= kMaxWorkers) {
            reason = "32 requests are still running or closing";
            return nullptr;
        }
        ++workers.running;
    }
    auto state = std::make_shared<RequestState>();
    try {
        std::thread(RunWorker, state, url).detach();
    } catch (const std::system_error&) {
        const std::lock_guard<std::mutex> lock(workers.mutex);
        --workers.running;
        reason = "no thread could be started for it";
        return nullptr;
    }
    return std::make_unique<ThreadTransfer>(std::move(state));
}

void StopHttpTransfers() {
    Workers& workers = TheWorkers();
    std::unique_lock<std::mutex> lock(workers.mutex);
    workers.stopping = true;
    workers.ended.wait_for(lock, kStopWait, [&workers] { return workers.running == 0; });
    // The program normally leaves now; where its end is caught (the tests),
    // requests may start again afterwards.
    workers.stopping = false;
}
