// The browser engine has no video decoder yet: every video is refused
// with a log line saying so.
#include "video/video_stream.h"

std::unique_ptr<VideoStream> OpenVideoStream(std::shared_ptr<const std::string>, std::string& why) {
    why = "cannot play: video is not built into the browser engine";
    return nullptr;
}
