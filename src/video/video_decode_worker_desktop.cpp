// The desktops' decoding: a thread steps the decoder while there is work,
// and naps a few milliseconds (or until woken) when there is none.
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "video/video_decode_worker.h"

struct VideoDecodeWorker::State {
    std::function<bool()> step;
    std::mutex mutex;
    std::condition_variable wake;
    bool stop = false;
    std::thread thread;

    void Run() {
        for (;;) {
            {
                std::lock_guard<std::mutex> lock(mutex);
                if (stop) return;
            }
            if (step()) continue;
            std::unique_lock<std::mutex> lock(mutex);
            if (stop) return;
            wake.wait_for(lock, std::chrono::milliseconds(5));
        }
    }
};

VideoDecodeWorker::VideoDecodeWorker(std::function<bool()> step) : state_(std::make_unique<State>()) {
    state_->step = std::move(step);
    state_->thread = std::thread([state = state_.get()] { state->Run(); });
}

VideoDecodeWorker::~VideoDecodeWorker() {
    {
        std::lock_guard<std::mutex> lock(state_->mutex);
        state_->stop = true;
    }
    state_->wake.notify_all();
    state_->thread.join();
}

void VideoDecodeWorker::Wake() { state_->wake.notify_all(); }

void VideoDecodeWorker::Lend() {}
