// The video commands over slots 0..15. A slot holds the file's bytes (a
// video is reopened from them for each play and each loop) and, while it
// plays, its player and its texture. The presenter's overlay draws the
// playing ones.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "aerox/program.h"
#include "aerox/video.h"
#include "files/game_paths.h"
#include "frame/presenter.h"
#include "gfx/engine_context.h"
#include "runtime/engine_required.h"
#include "sound/sound.h"
#include "video/video_picture.h"
#include "video/video_player.h"
#include "video/video_slots.h"
#include "video/video_stream.h"

namespace {

struct VideoSlot {
    std::shared_ptr<const std::string> bytes;
    VideoInfo info;
    std::unique_ptr<VideoPlayer> player;
    int x = 0, y = 0, width = 0, height = 0;
    VideoTexture texture;
};

std::unique_ptr<VideoSlot> g_videos[kVideoSlots];
bool g_releaseAtExit = false;

void Log(const char* command, const std::string& why) { AppendLogLine((std::string(command) + ": " + why).c_str()); }

// The slot number with its fraction cut off, or -1 (logged).
int SlotNumber(const char* command, double slot) {
    if (!(slot >= 0 && slot < kVideoSlots)) {
        char number[32];
        std::snprintf(number, sizeof number, "%.17g", slot);
        Log(command, std::string("slot ") + number + " is not 0..15");
        return -1;
    }
    return static_cast<int>(slot);
}

// The slot's video, or null (logged) for a bad or empty slot.
VideoSlot* LoadedSlot(const char* command, double slot) {
    const int n = SlotNumber(command, slot);
    if (n < 0) return nullptr;
    VideoSlot* video = g_videos[n].get();
    if (video == nullptr) Log(command, "video slot " + std::to_string(n) + " holds no video");
    return video;
}

bool GlAlive() { return g_engine != nullptr && g_engine->GlReady; }

void StopSlot(VideoSlot& video) {
    video.player.reset();
    if (GlAlive()) DeleteVideoTexture(video.texture);
    video.texture = VideoTexture{};
}

int ScreenNumber(double value) { return value > -1e6 && value < 1e6 ? static_cast<int>(value) : 0; }

// At every present: the pictures whose time has come, drawn; videos that
// ended, stopped. Nothing at all while none plays.
void DrawVideos(OpenGLZodadodu& context) {
    bool volumeSet = false;
    for (auto& slot : g_videos) {
        if (slot == nullptr || slot->player == nullptr) continue;
        if (!volumeSet) SetVideoSoundVolume(MixVolume());
        volumeSet = true;
        VideoSlot& video = *slot;
        const double clock = video.player->Clock();
        std::vector<uint8_t> rgba;
        if (video.player->TakePicture(clock, rgba))
            UploadVideoPicture(video.texture, rgba, video.info.width, video.info.height);
        if (video.player->Finished(clock)) {
            StopSlot(video);
            continue;
        }
        DrawVideoPicture(context, video.texture, video.x, video.y, video.width, video.height);
    }
}

}  // namespace

void ReleaseVideos() {
    for (auto& slot : g_videos) slot.reset();
}

double LoadVideo(double slot, const RtString& path) {
    const int n = SlotNumber("LoadVideo", slot);
    if (n < 0) return 0;
    if (g_videos[n] != nullptr) {
        StopSlot(*g_videos[n]);
        g_videos[n].reset();
    }
    GamePath placed;
    if (!PlaceGamePath("LoadVideo", path.Text(), placed)) return 0;
    auto bytes = std::make_shared<std::string>();
    bool tooBig = false;
    if (!ReadWholeGameFile(placed, kMaxVideoFileBytes, *bytes, tooBig)) {
        LogFileFailure("LoadVideo", path.Text(), tooBig ? "is larger than 256 MiB" : "is not found");
        return 0;
    }
    std::string why;
    const std::unique_ptr<VideoStream> stream = OpenVideoStream(bytes, why);
    if (stream == nullptr) {
        LogFileFailure("LoadVideo", path.Text(), why);
        return 0;
    }
    auto video = std::make_unique<VideoSlot>();
    video->info = stream->Info();
    video->bytes = std::move(bytes);
    g_videos[n] = std::move(video);
    return 1;
}

double PlayVideo(double slot, double x, double y, double width, double height, double loop) {
    if (!RequireEngine(g_engine != nullptr, "PlayVideo")) return 0;
    VideoSlot* video = LoadedSlot("PlayVideo", slot);
    if (video == nullptr) return 0;
    StopSlot(*video);
    std::string why;
    std::unique_ptr<VideoStream> stream = OpenVideoStream(video->bytes, why);
    if (stream == nullptr) {
        Log("PlayVideo", "the video cannot be opened again: " + why);
        return 0;
    }
    video->x = ScreenNumber(x);
    video->y = ScreenNumber(y);
    video->width = ScreenNumber(width) > 0 ? ScreenNumber(width) : video->info.width;
    video->height = ScreenNumber(height) > 0 ? ScreenNumber(height) : video->info.height;
    // The decoding workers end before the program's statics go.
    if (!g_releaseAtExit) std::atexit(ReleaseVideos);
    g_releaseAtExit = true;
    SetVideoSoundVolume(MixVolume());
    video->player = std::make_unique<VideoPlayer>(video->bytes, std::move(stream), loop != 0, VideoMixRate());
    SetFrameOverlay(DrawVideos);
    return 1;
}

double VideoPlaying(double slot) {
    const int n = SlotNumber("VideoPlaying", slot);
    if (n < 0 || g_videos[n] == nullptr) return 0;
    return g_videos[n]->player != nullptr ? 1 : 0;
}

void StopVideo(double slot) {
    const int n = SlotNumber("StopVideo", slot);
    if (n >= 0 && g_videos[n] != nullptr) StopSlot(*g_videos[n]);
}

double VideoWidth(double slot) {
    const VideoSlot* video = LoadedSlot("VideoWidth", slot);
    return video != nullptr ? video->info.width : 0;
}

double VideoHeight(double slot) {
    const VideoSlot* video = LoadedSlot("VideoHeight", slot);
    return video != nullptr ? video->info.height : 0;
}

double VideoLength(double slot) {
    const VideoSlot* video = LoadedSlot("VideoLength", slot);
    return video != nullptr ? video->info.length : 0;
}
