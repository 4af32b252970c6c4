// One video file decoded in order: its pictures as RGBA and its sound as
// float samples at the file's own rate. The decoder behind it
// (video_stream.cpp: libogg, libtheora and libvorbis) is the same on every
// platform.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The largest picture a video may have: both sides and their product are
// checked before anything is allocated for it.
constexpr int kMaxVideoSide = 4096;
// The largest video file read into memory.
constexpr size_t kMaxVideoFileBytes = size_t{256} << 20;

struct VideoInfo {
    int width = 0;  // the picture shown, in pixels
    int height = 0;
    double framesPerSecond = 0;
    double length = 0;  // seconds, the later end of picture and sound
    int audioRate = 0;  // 0: no sound
    int audioChannels = 0;
};

struct VideoPicture {
    int64_t frame = 0;          // its number from 0: shown at frame / framesPerSecond
    std::vector<uint8_t> rgba;  // width * height * 4, rows from the top
};

class VideoStream {
public:
    virtual ~VideoStream() = default;
    virtual const VideoInfo& Info() const = 0;
    // The next picture; false at the end of the pictures.
    virtual bool NextPicture(VideoPicture& picture) = 0;
    // The next block of sound, interleaved (Info().audioChannels per
    // sample); false at the end of the sound or when there is none.
    virtual bool NextSound(std::vector<float>& samples) = 0;
};

// Reads the headers of a whole Ogg file held in bytes (which must outlive
// the stream) and checks that it is whole. Null with why set (a short
// reason for the log) when it is not Ogg Theora, is cut short or damaged,
// or its sizes are out of bounds.
std::unique_ptr<VideoStream> OpenVideoStream(std::shared_ptr<const std::string> bytes, std::string& why);
