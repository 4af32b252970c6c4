// One video playing: a worker decodes ahead (pictures into a short queue,
// sound into the mixer's ring) so that the frame loop never waits for the
// decoder. The clock is the sound actually played, or without sound the
// engine's clock; the picture shown is the latest whose time has come.
#pragma once
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "video/video_decode_worker.h"
#include "video/video_sound.h"
#include "video/video_stream.h"

class VideoPlayer {
public:
    // stream: the video opened from bytes (reopened from them to loop);
    // mixRate 0: no sound, the engine's clock times the pictures.
    VideoPlayer(std::shared_ptr<const std::string> bytes, std::unique_ptr<VideoStream> stream, bool loop, int mixRate);
    ~VideoPlayer();
    VideoPlayer(const VideoPlayer&) = delete;
    VideoPlayer& operator=(const VideoPlayer&) = delete;

    // Seconds since the start, through every loop. The clock starts (and
    // the sound with it) once the first picture is decoded: until then it
    // is 0. Called at every present (the browser decodes then).
    double Clock();
    // The latest picture whose time has come, when there is a new one.
    bool TakePicture(double clock, std::vector<uint8_t>& rgba);
    // Everything shown and heard.
    bool Finished(double clock) const;

private:
    struct TimedPicture {
        double time;
        std::vector<uint8_t> rgba;
    };
    // One step of decoding; false when there was nothing to do.
    bool DecodeStep();

    std::shared_ptr<const std::string> bytes_;
    std::unique_ptr<VideoStream> stream_;  // the worker's
    VideoInfo info_;
    bool loop_;
    std::shared_ptr<VideoSound> sound_;
    double startMs_ = 0;
    bool started_ = false;
    size_t queueLimit_;

    // The worker's own state.
    std::unique_ptr<SoundResampler> resampler_;
    double passStart_ = 0;
    int64_t soundOwed_ = 0;  // silence still to add so that sound lasts the length
    bool soundDone_ = false, picturesDone_ = false;

    mutable std::mutex mutex_;
    std::deque<TimedPicture> pictures_;
    bool allDecoded_ = false;
    // Last: it stops before the state it steps goes.
    std::unique_ptr<VideoDecodeWorker> worker_;
};
