#include "video/video_player.h"

#include <algorithm>
#include <cmath>

#include "runtime/clock.h"

namespace {
// Sound decoded ahead of the mixer, in seconds.
constexpr double kSoundAhead = 0.5;
// Pictures decoded ahead take at most this much memory (and 2..8 pictures).
constexpr size_t kPictureQueueBytes = size_t{64} << 20;
}  // namespace

VideoPlayer::VideoPlayer(std::shared_ptr<const std::string> bytes, std::unique_ptr<VideoStream> stream, bool loop,
                         int mixRate)
    : bytes_(std::move(bytes)), stream_(std::move(stream)), info_(stream_->Info()) {
    // A video of no length cannot loop: it would start again forever.
    loop_ = loop && info_.length > 0;
    const size_t pictureBytes = static_cast<size_t>(info_.width) * info_.height * 4;
    queueLimit_ = std::clamp<size_t>(kPictureQueueBytes / std::max<size_t>(pictureBytes, 1), 2, 8);
    if (mixRate > 0 && info_.audioRate > 0) {
        sound_ = std::make_shared<VideoSound>(mixRate);
        resampler_ = std::make_unique<SoundResampler>(info_.audioRate, info_.audioChannels, mixRate);
        soundOwed_ = std::llround(info_.length * mixRate);
        AddVideoSound(sound_);
    } else {
        soundDone_ = true;
    }
    worker_ = std::make_unique<VideoDecodeWorker>([this] { return DecodeStep(); });
}

VideoPlayer::~VideoPlayer() {
    worker_.reset();
    if (sound_ != nullptr) RemoveVideoSound(sound_.get());
}

double VideoPlayer::Clock() {
    worker_->Lend();
    if (!started_) {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (pictures_.empty() && !allDecoded_) return 0;
        }
        started_ = true;
        startMs_ = NowMs();
        if (sound_ != nullptr) sound_->Start();
        return 0;
    }
    if (sound_ != nullptr) return static_cast<double>(sound_->Played()) / sound_->MixRate();
    return (NowMs() - startMs_) / 1000.0;
}

bool VideoPlayer::TakePicture(double clock, std::vector<uint8_t>& rgba) {
    bool taken = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        while (!pictures_.empty() && pictures_.front().time <= clock) {
            rgba = std::move(pictures_.front().rgba);
            pictures_.pop_front();
            taken = true;
        }
    }
    if (taken) worker_->Wake();
    return taken;
}

bool VideoPlayer::Finished(double clock) const {
    std::lock_guard<std::mutex> lock(mutex_);
    // The end is the end of the sound, or of the length: a picture timed
    // after it is never shown.
    if (!allDecoded_) return false;
    if (sound_ != nullptr) return sound_->Buffered() == 0;
    return clock >= passStart_ + info_.length;
}

bool VideoPlayer::DecodeStep() {
    bool worked = false;
    if (!soundDone_ && sound_->Buffered() < static_cast<size_t>(kSoundAhead * sound_->MixRate())) {
        std::vector<float> block;
        std::vector<int16_t> converted;
        if (soundOwed_ > 0 && stream_->NextSound(block)) {
            resampler_->Convert(block, converted);
            // Sound longer than the video's length is cut there.
            const size_t count = std::min<size_t>(converted.size() / 2, static_cast<size_t>(soundOwed_));
            size_t done = 0;
            while (done < count) {
                const size_t pushed = sound_->Push(converted.data() + done * 2, count - done);
                if (pushed == 0) break;
                done += pushed;
            }
            soundOwed_ -= static_cast<int64_t>(count);
        } else if (soundOwed_ > 0) {
            soundOwed_ -= static_cast<int64_t>(sound_->PushSilence(static_cast<size_t>(soundOwed_)));
        } else {
            soundDone_ = true;
        }
        worked = true;
    }
    bool room = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        room = pictures_.size() < queueLimit_;
    }
    if (!picturesDone_ && room) {
        VideoPicture picture;
        if (stream_->NextPicture(picture)) {
            std::lock_guard<std::mutex> lock(mutex_);
            pictures_.push_back(
                {passStart_ + static_cast<double>(picture.frame) / info_.framesPerSecond, std::move(picture.rgba)});
        } else {
            picturesDone_ = true;
        }
        worked = true;
    }
    if (soundDone_ && picturesDone_) {
        std::string why;
        std::unique_ptr<VideoStream> again = loop_ ? OpenVideoStream(bytes_, why) : nullptr;
        std::lock_guard<std::mutex> lock(mutex_);
        if (again == nullptr) {
            allDecoded_ = true;
            return false;
        }
        // The next pass starts where this one's length ends.
        stream_ = std::move(again);
        passStart_ += info_.length;
        picturesDone_ = false;
        if (sound_ != nullptr) {
            soundDone_ = false;
            soundOwed_ = std::llround((passStart_ + info_.length) * sound_->MixRate()) -
                         std::llround(passStart_ * sound_->MixRate());
            resampler_ = std::make_unique<SoundResampler>(info_.audioRate, info_.audioChannels, sound_->MixRate());
        }
        worked = true;
    }
    return worked;
}
