// A video's sound on its way to the mixer: the decoding worker resamples it
// into a ring of 16-bit stereo at the mixer's rate, the mixer's thread takes
// it from there (SDL_mixer's music hook, which no other part of the engine
// uses) under the engine's master volume, and counts what it played: the
// video's clock.
#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

class VideoSound {
public:
    explicit VideoSound(int mixRate);
    int MixRate() const { return mixRate_; }
    // Stereo samples waiting to be played.
    size_t Buffered() const;
    // Room for this many more stereo samples.
    size_t Room() const;
    // Appends up to Room() stereo samples (interleaved left, right); returns
    // how many went in.
    size_t Push(const int16_t* samples, size_t count);
    size_t PushSilence(size_t count);
    // The mixer's thread: adds what is buffered to the stream (stereo S16),
    // scaled by volume.
    void MixInto(int16_t* stream, size_t count, float volume);
    // Stereo samples played so far.
    int64_t Played() const { return played_.load(std::memory_order_acquire); }
    // The mixer takes nothing before this: the sound starts with the first
    // picture.
    void Start() { started_.store(true, std::memory_order_release); }

private:
    int mixRate_;
    mutable std::mutex mutex_;
    std::vector<int16_t> ring_;  // stereo pairs
    size_t read_ = 0, fill_ = 0;
    std::atomic<int64_t> played_{0};
    std::atomic<bool> started_{false};
};

// The mixer's rate when it is open at 16-bit stereo (what the hook can
// feed) and its device plays, else 0: videos then run on the frame clock,
// silently.
int VideoMixRate();
// The sounds the mixer plays; the hook is installed with the first.
void AddVideoSound(const std::shared_ptr<VideoSound>& sound);
void RemoveVideoSound(const VideoSound* sound);
// The master volume for the mixer's thread, taken on the main thread.
void SetVideoSoundVolume(double volume);

// Float samples at one rate and channel count into 16-bit stereo at
// another, by linear interpolation across blocks.
class SoundResampler {
public:
    SoundResampler(int fromRate, int channels, int toRate);
    void Convert(const std::vector<float>& in, std::vector<int16_t>& out);

private:
    double step_;
    int channels_;
    double position_ = 0;  // in input samples; -1 is the previous block's last
    float previous_[2] = {0, 0};
};
