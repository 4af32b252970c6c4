// LoadVideo and the size commands: the test video's numbers, and a table of
// bad files that each leave the slot empty with one log line.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "aerox/aerox.h"
#include "runtime/errors.h"
#include "testkit/testkit.h"
#include "userdata/user_dir.h"
#include "video/video_slots.h"
#include "video_files.h"

namespace {

using video_test::kSoundSerial;
using video_test::kVideoSerial;
using video_test::TestVideo;

class VideoLoad : public ::testing::Test {
protected:
    void SetUp() override {
        oldFolder_ = std::filesystem::current_path();
        std::filesystem::current_path(game_.path());
        // A per-user folder of its own: without one, the first read looking
        // there says so in the log, whichever test comes first.
        setenv("AEROX_USER_DIR", user_.path().c_str(), 1);
        ForgetUserDataDirectory();
        logStart_ = testkit::ReadFile(LogFilePath()).size();
    }
    void TearDown() override {
        ReleaseVideos();
        unsetenv("AEROX_USER_DIR");
        ForgetUserDataDirectory();
        std::filesystem::current_path(oldFolder_);
    }
    std::vector<std::string> NewLogLines() { return testkit::LogLinesSince(logStart_); }
    testkit::TempFolder game_;
    testkit::TempFolder user_;
    std::filesystem::path oldFolder_;
    size_t logStart_ = 0;
};

TEST_F(VideoLoad, TheTestVideoTellsItsSizeAndLength) {
    testkit::WriteFile(game_.File("intro.ogv"), TestVideo());
    ASSERT_EQ(LoadVideo(3, "intro.ogv"), 1);
    EXPECT_EQ(VideoWidth(3), 160);
    EXPECT_EQ(VideoHeight(3), 120);
    EXPECT_NEAR(VideoLength(3), 2.0, 0.01);
    EXPECT_EQ(VideoPlaying(3), 0);
    EXPECT_TRUE(NewLogLines().empty());
}

std::string SetBytes(std::string body, size_t at, const std::string& bytes) {
    body.replace(at, bytes.size(), bytes);
    return body;
}

struct BadFile {
    const char* name;
    std::string (*bytes)();
    const char* why;
};

const BadFile kBadFiles[] = {
    {"empty", [] { return std::string(); }, "is not an Ogg file"},
    {"text", [] { return std::string("this is no video at all\n"); }, "is not an Ogg file"},
    {"cut in half", [] { return TestVideo().substr(0, TestVideo().size() / 2); }, "cut short"},
    {"cut in the headers", [] { return TestVideo().substr(0, 300); }, "cut short"},
    {"cut between pages",
     [] {
         const std::vector<size_t> starts = video_test::PageStarts(TestVideo());
         return TestVideo().substr(0, starts[starts.size() / 2]);
     },
     "is cut short"},
    {"a damaged page",
     [] {
         std::string file = TestVideo();
         file[file.size() / 2] = static_cast<char>(file[file.size() / 2] ^ 0x55);
         return file;
     },
     "damaged"},
    {"a picture of 65536x65536",
     [] {
         // The identification header: 16-bit frame sizes in macroblocks at
         // 10 and 12, 24-bit picture sizes at 14 and 17.
         return video_test::RewritePages(TestVideo(), [](int serial, int index, std::string& body) {
             if (serial == kVideoSerial && index == 0)
                 body = SetBytes(body, 10, std::string("\x10\x00\x10\x00\x01\x00\x00\x01\x00\x00", 10));
         });
     },
     "damaged Theora headers"},
    {"a picture of 8192x120",
     [] {
         return video_test::RewritePages(TestVideo(), [](int serial, int index, std::string& body) {
             if (serial == kVideoSerial && index == 0)
                 body = SetBytes(body, 10, std::string("\x02\x00\x00\x08\x00\x20\x00\x00\x00\x78", 10));
         });
     },
     "size out of bounds"},
    {"Vorbis codebooks of garbage",
     [] {
         return video_test::RewritePages(TestVideo(), [](int serial, int index, std::string& body) {
             if (serial == kSoundSerial && index == 1)
                 for (size_t i = body.size() / 2; i < body.size(); ++i) body[i] = static_cast<char>(i * 37);
         });
     },
     "Vorbis headers"},
};

TEST_F(VideoLoad, BadFilesLeaveTheSlotEmptyWithOneLogLine) {
    for (const BadFile& bad : kBadFiles) {
        SCOPED_TRACE(bad.name);
        testkit::WriteFile(game_.File("bad.ogv"), bad.bytes());
        ASSERT_EQ(LoadVideo(0, "intro.ogv"), 0);  // missing
        ASSERT_EQ(NewLogLines().size(), 1u);
        testkit::WriteFile(game_.File("intro.ogv"), TestVideo());
        ASSERT_EQ(LoadVideo(0, "intro.ogv"), 1);
        EXPECT_EQ(LoadVideo(0, "bad.ogv"), 0);
        const std::vector<std::string> lines = NewLogLines();
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_NE(lines[0].find("LoadVideo: 'bad.ogv' "), std::string::npos) << lines[0];
        EXPECT_NE(lines[0].find(bad.why), std::string::npos) << lines[0];
        EXPECT_EQ(VideoWidth(0), 0);  // the slot was emptied
        NewLogLines();
        std::filesystem::remove(game_.File("intro.ogv"));
    }
}

TEST_F(VideoLoad, BadSlotsAndPathsGiveTheFailureValueAndOneLogLine) {
    testkit::WriteFile(game_.File("intro.ogv"), TestVideo());
    struct Call {
        const char* name;
        double (*call)();
    };
    const Call calls[] = {
        {"slot 16", [] { return LoadVideo(16, "intro.ogv"); }},
        {"slot -1", [] { return LoadVideo(-1, "intro.ogv"); }},
        {"slot NaN", [] { return LoadVideo(std::nan(""), "intro.ogv"); }},
        {"climbing path", [] { return LoadVideo(0, "../intro.ogv"); }},
        {"absolute path", [] { return LoadVideo(0, "/tmp/intro.ogv"); }},
        {"empty slot width", [] { return VideoWidth(5); }},
        {"empty slot height", [] { return VideoHeight(5); }},
        {"empty slot length", [] { return VideoLength(5); }},
        {"bad slot playing", [] { return VideoPlaying(99); }},
    };
    for (const Call& c : calls) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.call(), 0);
        EXPECT_EQ(NewLogLines().size(), 1u);
    }
}

}  // namespace
