// Runs a video's decoding beside the frame loop, so that the loop never
// waits for the decoder. The desktops give it a thread of its own
// (video_decode_worker_desktop.cpp); a page in the browser has no threads,
// so there the frame loop lends it a slice of each frame
// (video_decode_worker_web.cpp).
#pragma once
#include <functional>
#include <memory>

class VideoDecodeWorker {
public:
    // step: one step of decoding; false when there was nothing to do.
    explicit VideoDecodeWorker(std::function<bool()> step);
    // No step runs once this returns.
    ~VideoDecodeWorker();
    VideoDecodeWorker(const VideoDecodeWorker&) = delete;
    VideoDecodeWorker& operator=(const VideoDecodeWorker&) = delete;

    // Room was made (a picture taken): decode again soon.
    void Wake();
    // Called on the frame loop at every present; the browser decodes here.
    void Lend();

private:
    struct State;
    std::unique_ptr<State> state_;
};
