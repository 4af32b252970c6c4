// The browser's decoding: a page has no threads, so each present lends the
// decoder a slice of the frame, until it has nothing to do or the slice is
// spent. The queues ahead (half a second of sound, a few pictures) carry
// playback over a slow frame.
#include "runtime/clock.h"
#include "video/video_decode_worker.h"

namespace {
// At most this much of each frame goes to decoding.
constexpr double kSliceMs = 8;
}  // namespace

struct VideoDecodeWorker::State {
    std::function<bool()> step;
};

VideoDecodeWorker::VideoDecodeWorker(std::function<bool()> step) : state_(std::make_unique<State>()) {
    state_->step = std::move(step);
}

VideoDecodeWorker::~VideoDecodeWorker() = default;

void VideoDecodeWorker::Wake() {}

void VideoDecodeWorker::Lend() {
    const double end = NowMs() + kSliceMs;
    while (state_->step() && NowMs() < end) {
    }
}
