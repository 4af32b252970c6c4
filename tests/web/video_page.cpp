// A page of the web tests (not shipped): a video in the browser. The page
// makes the test video with the asset tool's encoder, loads it from the
// game's folder (the current one), tells its size and length, and plays it
// once at (80, 60) on a grey screen; tests/web/play.js reads the frame
// numbers its bars spell from the canvas while it plays. The grey is
// neither of the bars' two levels, so a read of the screen before or after
// the video is never taken for one of its frames. Each step goes to the
// console.
#include <aerox/aerox.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "test_video.h"

namespace {

constexpr int kGrey = 0x808080;

void Say(const std::string& line) {
    std::printf("video %s\n", line.c_str());
    std::fflush(stdout);
}

void Game() {
    const std::string bytes = EncodeTestVideo();
    std::ofstream("intro.ogv", std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (LoadVideo(0, "intro.ogv") != 1) {
        Say("not loaded");
        for (;;) ShowScreen();
    }
    char numbers[96];
    std::snprintf(numbers, sizeof numbers, "loaded %d %d %.2f", static_cast<int>(VideoWidth(0)),
                  static_cast<int>(VideoHeight(0)), VideoLength(0));
    Say(numbers);
    // The page's sound starts with the first key: the test presses one
    // before the video plays, so that the sound's clock times it.
    for (int frame = 0; frame < 30; ++frame) {
        DrawRect(0, 0, 319, 239, kGrey);
        ShowScreen();
    }
    Say(PlayVideo(0, 80, 60, 0, 0, 0) == 1 ? "playing" : "not playing");
    while (VideoPlaying(0) == 1) {
        DrawRect(0, 0, 319, 239, kGrey);
        ShowScreen();
    }
    Say("ended");
    for (;;) {
        DrawRect(0, 0, 319, 239, kGrey);
        ShowScreen();
    }
}

}  // namespace

int main(int argc, char** argv) {
    StartupSettings settings;
    settings.caption = "Video";
    settings.version = "1.0";
    return RunGame(argc, argv, settings, &Game);
}
