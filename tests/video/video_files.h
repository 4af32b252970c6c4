// The test video and damaged copies of it, for the video tests: pages are
// rewritten with their checksums set again, so that only the decoder's own
// checks stand between a damaged file and the player.
#pragma once
#include <functional>
#include <string>

#include "test_video.h"

namespace video_test {

// The test video with its default spec, made once per run.
const std::string& TestVideo();

// Rewrites each page's body (serial number, page index of that stream,
// body) and sets its checksum again.
std::string RewritePages(const std::string& file, const std::function<void(int, int, std::string&)>& edit);

// The bytes where each page starts.
std::vector<size_t> PageStarts(const std::string& file);

constexpr int kVideoSerial = 0x7e0;  // the serial numbers the tool gives
constexpr int kSoundSerial = 0x50d;

}  // namespace video_test
