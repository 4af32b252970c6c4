// The video slots behind the commands (include/aerox/video.h).
#pragma once

constexpr int kVideoSlots = 16;

// Stops every video and empties the slots without touching GL (its context
// may be gone): at program end, and between tests.
void ReleaseVideos();
