// The test video, made here so that no video comes from elsewhere: Ogg
// Theora pictures whose top half spells the frame number in eight bars
// (most significant bit on the left, white for 1), a square moving along
// the bottom half, and a Vorbis tone that sounds during known frames.
#pragma once
#include <string>
#include <vector>

struct TestVideoSpec {
    int width = 160;  // a multiple of 8
    int height = 120;
    int framesPerSecond = 15;
    int frames = 30;
    int soundRate = 44100;  // 0: no sound stream
    // The tone sounds from each of these frames for toneFrames frames.
    std::vector<int> toneStarts = {10, 20};
    int toneFrames = 5;
};

// The whole .ogv file.
std::string EncodeTestVideo(const TestVideoSpec& spec = {});

// The frame number the bars of an RGBA picture spell (rows from the top,
// stride bytes a row), or -1 when a bar is neither dark nor light or the
// moving square is not where that frame has it (a black picture is no
// frame).
int ReadFrameNumber(const unsigned char* rgba, int width, int height, int stride);
