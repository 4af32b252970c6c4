// INI files: values read as the engine's INI reader reads them, and one
// value set with every other line, comment and the order kept.
#include "aerox/aerox.h"
#include "files/files_fixture.h"
#include "files/ini_text.h"

namespace {

using files_test::FilesTest;
using IniFiles = FilesTest;

const char* const kConfig =
    "; the game's options\n"
    "top = 1\n"
    "\n"
    "[Video]\n"
    "# window\n"
    "Scale = 2   ; inline comment\n"
    "mode: full\n"
    "[audio]\n"
    "volume = 80\n"
    "long = first\n"
    "  continued\n"
    "\n"
    "[video]\n"
    "vsync = 1\n";

TEST_F(IniFiles, ValuesAreReadAsTheEngineReadsIni) {
    testkit::WriteFile(Game("options.ini"), kConfig);
    const struct {
        const char* section;
        const char* key;
        const char* value;
    } kReads[] = {
        {"", "top", "1"},
        {"video", "scale", "2"},
        {"VIDEO", "Mode", "full"},
        {"audio", "volume", "80"},
        {"audio", "long", "continued"},
        {"video", "vsync", "1"},
        {"audio", "missing", "fallback"},
        {"nosection", "top", "fallback"},
    };
    for (const auto& read : kReads)
        EXPECT_STREQ(ReadIni("options.ini", read.section, read.key, "fallback").Text(), read.value)
            << read.section << "/" << read.key;
    EXPECT_EQ(ReadIniNumber("options.ini", "video", "scale", -1), 2);
    EXPECT_EQ(ReadIniNumber("options.ini", "video", "none", -1), -1);
    EXPECT_STREQ(ReadIni("missing.ini", "a", "b", "d").Text(), "d");
}

TEST_F(IniFiles, WritingOneValueKeepsEveryOtherLine) {
    const struct {
        const char* section;
        const char* key;
        const char* value;
        const char* expected;  // kConfig with this change
    } kWrites[] = {
        {"video", "scale", "3",
         "; the game's options\ntop = 1\n\n[Video]\n# window\nScale = 3\nmode: full\n[audio]\nvolume = 80\nlong = "
         "first\n  continued\n\n[video]\nvsync = 1\n"},
        {"audio", "long", "one line",
         "; the game's options\ntop = 1\n\n[Video]\n# window\nScale = 2   ; inline comment\nmode: full\n[audio]\n"
         "volume = 80\nlong = one line\n\n[video]\nvsync = 1\n"},
        {"audio", "pan", "0",
         "; the game's options\ntop = 1\n\n[Video]\n# window\nScale = 2   ; inline comment\nmode: full\n[audio]\n"
         "volume = 80\nlong = first\n  continued\npan = 0\n\n[video]\nvsync = 1\n"},
        {"", "second", "2",
         "; the game's options\ntop = 1\nsecond = 2\n\n[Video]\n# window\nScale = 2   ; inline comment\nmode: "
         "full\n[audio]\nvolume = 80\nlong = first\n  continued\n\n[video]\nvsync = 1\n"},
        {"keys", "fire", "space",
         "; the game's options\ntop = 1\n\n[Video]\n# window\nScale = 2   ; inline comment\nmode: full\n[audio]\n"
         "volume = 80\nlong = first\n  continued\n\n[video]\nvsync = 1\n[keys]\nfire = space\n"},
    };
    for (const auto& write : kWrites) {
        testkit::WriteFile(User("options.ini"), kConfig);
        ASSERT_EQ(WriteIni("options.ini", write.section, write.key, write.value), 1) << write.key;
        EXPECT_EQ(testkit::ReadFile(User("options.ini")), write.expected) << write.key;
        EXPECT_STREQ(ReadIni("options.ini", write.section, write.key, "").Text(), write.value);
    }
}

TEST_F(IniFiles, TheGameFoldersCopyIsTheStartAndStaysAsItWas) {
    testkit::WriteFile(Game("options.ini"), "\xEF\xBB\xBF[a]\r\nx = 1\r\n");
    ASSERT_EQ(WriteIni("options.ini", "a", "y", "2"), 1);
    EXPECT_EQ(testkit::ReadFile(User("options.ini")), "\xEF\xBB\xBF[a]\r\nx = 1\r\ny = 2\r\n");
    EXPECT_EQ(testkit::ReadFile(Game("options.ini")), "\xEF\xBB\xBF[a]\r\nx = 1\r\n");
    ASSERT_EQ(WriteIni("fresh.ini", "", "k", "v"), 1);
    EXPECT_EQ(testkit::ReadFile(User("fresh.ini")), "k = v\n");
}

TEST_F(IniFiles, ValuesAnIniFileCannotHoldAreRefused) {
    testkit::WriteFile(User("options.ini"), kConfig);
    const struct {
        const char* section;
        const char* key;
        const char* value;
    } kRefused[] = {
        {"a", "k", "line\nbreak"}, {"a", "", "v"},   {"a", "k", " padded "}, {"a", "k", "x ; comment"},
        {"a", "k=1", "v"},         {"a]", "k", "v"}, {"a", "[k", "v"},       {"a", ";k", "v"},
    };
    for (const auto& refused : kRefused) {
        NewLogLines();
        EXPECT_EQ(WriteIni("options.ini", refused.section, refused.key, refused.value), 0) << refused.key;
        EXPECT_EQ(NewLogLines().size(), 1u) << refused.key;
    }
    EXPECT_EQ(testkit::ReadFile(User("options.ini")), kConfig);
    testkit::WriteFile(User("zero.ini"), std::string("[a]\nk = 1\0garbage", 17));
    EXPECT_EQ(WriteIni("zero.ini", "a", "k", "2"), 0);
}

TEST_F(IniFiles, GarbageKeepsItsLinesAndGainsTheValue) {
    const std::string garbage = "\x01\x02 [[[ = ]]]\n:::\n\xff\xfe\n[open\nno separator\n";
    testkit::WriteFile(User("garbage.ini"), garbage);
    ASSERT_EQ(WriteIni("garbage.ini", "s", "k", "v"), 1);
    const std::string saved = testkit::ReadFile(User("garbage.ini"));
    EXPECT_EQ(saved.substr(0, garbage.size()), garbage);
    EXPECT_STREQ(ReadIni("garbage.ini", "s", "k", "").Text(), "v");
}

}  // namespace
