#include "video/video_sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>

#include "video/video_sound_output.h"

namespace {

std::mutex g_soundsMutex;
std::vector<std::shared_ptr<VideoSound>> g_sounds;
std::atomic<float> g_volume{1.0f};

void MixVideos(void*, Uint8* stream, int length) {
    const float volume = g_volume.load(std::memory_order_relaxed);
    std::lock_guard<std::mutex> lock(g_soundsMutex);
    for (const auto& sound : g_sounds)
        sound->MixInto(reinterpret_cast<int16_t*>(stream), static_cast<size_t>(length) / 4, volume);
}

}  // namespace

VideoSound::VideoSound(int mixRate) : mixRate_(mixRate), ring_(static_cast<size_t>(mixRate) * 2) {}

size_t VideoSound::Buffered() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return fill_;
}

size_t VideoSound::Room() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return ring_.size() / 2 - fill_;
}

size_t VideoSound::Push(const int16_t* samples, size_t count) {
    std::lock_guard<std::mutex> lock(mutex_);
    const size_t capacity = ring_.size() / 2;
    count = std::min(count, capacity - fill_);
    for (size_t i = 0; i < count; ++i) {
        const size_t at = (read_ + fill_ + i) % capacity;
        ring_[at * 2] = samples[i * 2];
        ring_[at * 2 + 1] = samples[i * 2 + 1];
    }
    fill_ += count;
    return count;
}

size_t VideoSound::PushSilence(size_t count) {
    const std::vector<int16_t> silence(std::min<size_t>(count, 4096) * 2, 0);
    return Push(silence.data(), silence.size() / 2);
}

void VideoSound::MixInto(int16_t* stream, size_t count, float volume) {
    if (!started_.load(std::memory_order_acquire)) return;
    std::lock_guard<std::mutex> lock(mutex_);
    const size_t capacity = ring_.size() / 2;
    const size_t taken = std::min(count, fill_);
    for (size_t i = 0; i < taken; ++i) {
        const size_t at = (read_ + i) % capacity;
        for (int side = 0; side < 2; ++side) {
            const float mixed = stream[i * 2 + side] + ring_[at * 2 + side] * volume;
            stream[i * 2 + side] = static_cast<int16_t>(std::clamp(mixed, -32768.0f, 32767.0f));
        }
    }
    read_ = (read_ + taken) % capacity;
    fill_ -= taken;
    played_.fetch_add(static_cast<int64_t>(taken), std::memory_order_release);
}

int VideoMixRate() {
    int frequency = 0, channels = 0;
    Uint16 format = 0;
    if (Mix_QuerySpec(&frequency, &format, &channels) == 0 || !SoundOutputRunning()) return 0;
    return format == AUDIO_S16SYS && channels == 2 && frequency > 0 ? frequency : 0;
}

void AddVideoSound(const std::shared_ptr<VideoSound>& sound) {
    {
        std::lock_guard<std::mutex> lock(g_soundsMutex);
        g_sounds.push_back(sound);
    }
    // Again at every play: reopening the mixer forgets the hook.
    Mix_HookMusic(MixVideos, nullptr);
}

void RemoveVideoSound(const VideoSound* sound) {
    std::lock_guard<std::mutex> lock(g_soundsMutex);
    std::erase_if(g_sounds, [sound](const std::shared_ptr<VideoSound>& s) { return s.get() == sound; });
}

void SetVideoSoundVolume(double volume) {
    g_volume.store(static_cast<float>(std::clamp(volume, 0.0, 1.0)), std::memory_order_relaxed);
}

SoundResampler::SoundResampler(int fromRate, int channels, int toRate)
    : step_(static_cast<double>(fromRate) / toRate), channels_(channels) {}

void SoundResampler::Convert(const std::vector<float>& in, std::vector<int16_t>& out) {
    out.clear();
    const size_t frames = in.size() / static_cast<size_t>(channels_);
    if (frames == 0) return;
    // Left and right: the first two channels (the front pair in Vorbis'
    // order: with three or five and more the centre comes between them).
    const int right = channels_ == 1 ? 0 : (channels_ == 3 || channels_ >= 5) ? 2 : 1;
    auto at = [&](long index, int side) -> float {
        if (index < 0) return previous_[side];
        return in[static_cast<size_t>(index) * channels_ + (side == 0 ? 0 : right)];
    };
    const double last = static_cast<double>(frames) - 1;
    out.reserve(static_cast<size_t>((last - position_) / step_ + 2) * 2);
    while (position_ < last) {
        const long index = static_cast<long>(std::floor(position_));
        const float fraction = static_cast<float>(position_ - index);
        for (int side = 0; side < 2; ++side) {
            const float a = at(index, side), b = at(index + 1, side);
            float value = (a + (b - a) * fraction) * 32767.0f;
            if (std::isnan(value)) value = 0;  // a damaged block
            out.push_back(static_cast<int16_t>(std::clamp(value, -32768.0f, 32767.0f)));
        }
        position_ += step_;
    }
    position_ -= static_cast<double>(frames);
    previous_[0] = at(static_cast<long>(frames) - 1, 0);
    previous_[1] = at(static_cast<long>(frames) - 1, 1);
}
