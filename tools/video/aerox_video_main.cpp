// aerox-video <out.ogv> [seconds]: writes the test video (160x120, 15 fps,
// with its tone). aerox-video --small <out.ogv> [--silent]: a 16x16 video of
// two frames, small enough for the fuzzer's seed corpus.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "test_video.h"

int main(int argc, char** argv) {
    TestVideoSpec spec;
    int arg = 1;
    if (arg < argc && std::strcmp(argv[arg], "--small") == 0) {
        spec.width = spec.height = 16;
        spec.framesPerSecond = 4;
        spec.frames = 2;
        spec.soundRate = 8000;
        spec.toneStarts = {1};
        spec.toneFrames = 1;
        ++arg;
    }
    if (arg >= argc || argc - arg > 2) {
        std::fprintf(stderr, "usage: aerox-video [--small] <out.ogv> [seconds | --silent]\n");
        return 2;
    }
    const char* out = argv[arg++];
    if (arg < argc && std::strcmp(argv[arg], "--silent") == 0) {
        spec.soundRate = 0;
    } else if (arg < argc) {
        const int seconds = std::atoi(argv[arg]);
        if (seconds < 1 || seconds > 60) {
            std::fprintf(stderr, "aerox-video: seconds must be 1..60\n");
            return 2;
        }
        spec.frames = seconds * spec.framesPerSecond;
    }
    const std::string bytes = EncodeTestVideo(spec);
    std::ofstream file(out, std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        std::fprintf(stderr, "aerox-video: cannot write %s\n", out);
        return 1;
    }
    return 0;
}
