// Hostile and broken files in the per-user folder: each is either trusted
// as it is, or set aside with one log line while its valid entries are
// kept.
#include <sys/stat.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "aerox/aerox.h"
#include "userdata/hiscore_file.h"

// GCC 12 at -O3 warns falsely that the strings of the case tables' aggregate
// initialisers may be used uninitialised; the tables are plain literals.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include "userdata/settings.h"
#include "userdata/userdata.h"
#include "userdata/userdata_fixture.h"

namespace {

using userdata_test::UserFolderTest;

// Bytes as written, NULs included.
template <size_t N>
std::string Raw(const char (&bytes)[N]) {
    return std::string(bytes, N - 1);
}

// How the file is put in place: its bytes, or something that is not a file.
enum class Shape { Bytes, Folder, Pipe, Missing };

struct FileCase {
    const char* name;
    Shape shape;
    std::string bytes;
    bool trusted;
};

void PutFile(const std::string& path, const FileCase& c) {
    switch (c.shape) {
        case Shape::Bytes: testkit::WriteFile(path, c.bytes); break;
        case Shape::Folder: std::filesystem::create_directory(path); break;
        case Shape::Pipe: mkfifo(path.c_str(), 0600); break;
        case Shape::Missing: break;
    }
}

struct ScoreCase : FileCase {
    std::vector<HiScoreEntry> kept;
};
// A case shows as its name, in test listings too.
void PrintTo(const ScoreCase& c, std::ostream* out) { *out << c.name; }

const std::string kTen = "900 A\n800 B\n700 C\n600 D\n500 E\n400 F\n300 G\n200 H\n100 I\n50 J\n";
const std::vector<HiScoreEntry> kTenKept = {{900, "A"}, {800, "B"}, {700, "C"}, {600, "D"}, {500, "E"},
                                            {400, "F"}, {300, "G"}, {200, "H"}, {100, "I"}, {50, "J"}};

std::vector<ScoreCase> ScoreCases() {
    const std::vector<HiScoreEntry> two = {{500, "ACE"}, {300, "BO"}};
    return {
        {{"Missing", Shape::Missing, "", true}, {}},
        {{"Good", Shape::Bytes, "# best first\n500 ACE\n\n300 BO\n300\n", true},
         {{500, "ACE"}, {300, "BO"}, {300, ""}}},
        {{"WindowsLineEnds", Shape::Bytes, "500 ACE\r\n300 BO\r\n", true}, two},
        {{"Folder", Shape::Folder, "", false}, {}},
        {{"NamedPipe", Shape::Pipe, "", false}, {}},
        {{"Empty", Shape::Bytes, "", false}, {}},
        {{"CutShort", Shape::Bytes, "500 ACE\n300 BO\n20", false}, two},
        {{"Binary", Shape::Bytes, Raw("500 ACE\n\x89PNG\x1a\x02\xff\n300 BO\n"), false}, two},
        {{"NulByte", Shape::Bytes, Raw("500 ACE\n4\0 0 X\n300 BO\n"), false}, two},
        // Empty lines all the way: only the size is wrong.
        {{"TenMegabytes", Shape::Bytes, "500 ACE\n300 BO\n" + std::string(10 << 20, '\n'), false}, two},
        {{"TenMegabytesOfDigits", Shape::Bytes, "500 ACE\n300 BO\n" + std::string(10 << 20, '7'), false}, two},
        {{"OverlongLine", Shape::Bytes, "500 ACE\n" + std::string(300, '9') + "\n300 BO\n", false}, two},
        {{"OverlongComment", Shape::Bytes, "500 ACE\n#" + std::string(150, 'x') + "\n300 BO\n", false}, two},
        {{"Negative", Shape::Bytes, "500 ACE\n-400 X\n300 BO\n", false}, two},
        {{"Zero", Shape::Bytes, "500 ACE\n300 BO\n0 X\n", false}, two},
        {{"Fractional", Shape::Bytes, "500 ACE\n400.5 X\n300 BO\n", false}, two},
        {{"Absurd", Shape::Bytes, "1000000000 X\n500 ACE\n99999999999999999999 X\n300 BO\n", false}, two},
        {{"LeadingZero", Shape::Bytes, "500 ACE\n0400 X\n300 BO\n", false}, two},
        {{"BadInitials", Shape::Bytes, "500 ACE\n450 ace\n420 ABCD\n400 A1\n350  X\n300 BO\n", false}, two},
        {{"OutOfOrder", Shape::Bytes, "300 BO\n500 ACE\n", false}, two},
        {{"Eleven", Shape::Bytes, kTen + "10 K\n", false}, kTenKept},
        {{"ElevenUnsorted", Shape::Bytes, "10 K\n" + kTen, false}, kTenKept},
    };
}

class ScoreFileTest : public UserFolderTest, public ::testing::WithParamInterface<ScoreCase> {};

TEST_P(ScoreFileTest, TrustedOrSetAsideKeepingValidEntries) {
    const ScoreCase& c = GetParam();
    const std::string path = File("hiscores.txt");
    PutFile(path, c);

    ASSERT_EQ(HiScoreCount(), static_cast<double>(c.kept.size()));
    for (size_t i = 0; i < c.kept.size(); ++i) {
        EXPECT_EQ(HiScoreValue(double(i)), double(c.kept[i].score)) << "rank " << i;
        EXPECT_STREQ(HiScoreName(double(i)).Text(), c.kept[i].initials.c_str()) << "rank " << i;
    }
    EXPECT_EQ(HiScoreValue(double(c.kept.size())), 0);
    EXPECT_STREQ(HiScoreName(double(c.kept.size())).Text(), "");

    const std::vector<std::string> aside = Names("hiscores.txt.bad-");
    const std::vector<std::string> log = LogLinesAboutFolder();
    if (c.trusted) {
        EXPECT_TRUE(aside.empty());
        EXPECT_TRUE(log.empty()) << log.front();
        return;
    }
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(log.size(), 1u);
    if (c.shape == Shape::Bytes) {
        EXPECT_EQ(testkit::ReadFile(File(aside[0])), c.bytes);
    }
    // The valid entries were written back into a file the next run trusts.
    ReleaseUserData();
    EXPECT_EQ(HiScoreCount(), static_cast<double>(c.kept.size()));
    EXPECT_EQ(Names("hiscores.txt.bad-").size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Matrix, ScoreFileTest, ::testing::ValuesIn(ScoreCases()),
                         [](const auto& info) { return std::string(info.param.name); });

struct SettingsCase : FileCase {
    UserSettings kept;
};
void PrintTo(const SettingsCase& c, std::ostream* out) { *out << c.name; }

std::vector<SettingsCase> SettingsCases() {
    const std::string good = "[window]\nscale = 3\nfullscreen = 1\n[sound]\nvolume = 40\n";
    return {
        {{"Missing", Shape::Missing, "", true}, {0, false, 100}},
        {{"Good", Shape::Bytes, "; mine\n" + good, true}, {3, true, 40}},
        {{"AsInTheReadme", Shape::Bytes,
          "[window]\nscale = 0        ; 0 (the largest whole scale the screen allows) to 16\n"
          "fullscreen = 0   ; 0 or 1\n[sound]\nvolume = 100     ; 0 to 100 in steps of 10\n",
          true},
         {0, false, 100}},
        {{"CommentsAndOrder", Shape::Bytes, "# x\n[sound]\nvolume=0 ; quiet\n\n[window]\nfullscreen: 0\n", true},
         {0, false, 0}},
        {{"Folder", Shape::Folder, "", false}, {0, false, 100}},
        {{"NamedPipe", Shape::Pipe, "", false}, {0, false, 100}},
        {{"CutShort", Shape::Bytes, "[window]\nscale = 3\n[sound]\nvolume = 4", false}, {3, false, 100}},
        // inih would read no further than the NUL and trust the rest.
        {{"NulByte", Shape::Bytes, Raw("[window]\nscale = 3\nfullscreen = 1\0\n[sound]\nvolume = 40\n"), false},
         {3, false, 40}},
        {{"Empty", Shape::Bytes, "", false}, {0, false, 100}},
        {{"Binary", Shape::Bytes, Raw("[window]\nscale = 3\n\x89PNG\x1a\x02\xff\n[sound]\nvolume = 40\n"), false},
         {3, false, 40}},
        {{"TenMegabytes", Shape::Bytes, good + std::string(10 << 20, '\n'), false}, {3, true, 40}},
        {{"TenMegabytesOnOneLine", Shape::Bytes, good + std::string(10 << 20, ';'), false}, {3, true, 40}},
        {{"OverlongLine", Shape::Bytes, "[window]\nscale = 3\n;" + std::string(300, 'x') + "\n", false},
         {3, false, 100}},
        {{"OverlongComment", Shape::Bytes, "[window]\nscale = 3\n;" + std::string(150, 'x') + "\n", false},
         {3, false, 100}},
        {{"UnknownSection", Shape::Bytes, good + "[cheats]\nlives = 99\n", false}, {3, true, 40}},
        {{"EmptyUnknownSection", Shape::Bytes, good + "[cheats]\n", false}, {3, true, 40}},
        {{"UnknownKey", Shape::Bytes, "[window]\nscale = 3\nwidth = 900\n", false}, {3, false, 100}},
        {{"KeyOutsideSection", Shape::Bytes, "volume = 40\n[window]\nscale = 3\n", false}, {3, false, 100}},
        {{"NotAnEntry", Shape::Bytes, "[window]\nscale = 3\njunk\n", false}, {3, false, 100}},
        {{"OutOfRange", Shape::Bytes, "[window]\nscale = 17\nfullscreen = 1\n[sound]\nvolume = 40\n", false},
         {0, true, 40}},
        {{"NotInSteps", Shape::Bytes, "[window]\nscale = 3\n[sound]\nvolume = 45\n", false}, {3, false, 100}},
        {{"Negative", Shape::Bytes, "[window]\nscale = -1\nfullscreen = 1\n", false}, {0, true, 100}},
        {{"Fractional", Shape::Bytes, "[window]\nscale = 2.5\nfullscreen = 1\n", false}, {0, true, 100}},
        {{"NotANumber", Shape::Bytes, "[window]\nscale = big\nfullscreen = yes\n[sound]\nvolume = 40\n", false},
         {0, false, 40}},
        {{"GivenTwice", Shape::Bytes, "[window]\nscale = 3\nscale = 4\n", false}, {3, false, 100}},
        {{"ContinuedLine", Shape::Bytes, "[window]\nscale = 3\n  4\n", false}, {3, false, 100}},
    };
}

class SettingsFileTest : public UserFolderTest, public ::testing::WithParamInterface<SettingsCase> {};

TEST_P(SettingsFileTest, TrustedOrSetAsideKeepingValidEntries) {
    const SettingsCase& c = GetParam();
    PutFile(File("settings.ini"), c);

    const UserSettings s = LoadUserSettings();
    EXPECT_EQ(s.scale, c.kept.scale);
    EXPECT_EQ(s.fullscreen, c.kept.fullscreen);
    EXPECT_EQ(s.volume, c.kept.volume);

    const std::vector<std::string> aside = Names("settings.ini.bad-");
    const std::vector<std::string> log = LogLinesAboutFolder();
    if (c.trusted) {
        EXPECT_TRUE(aside.empty());
        EXPECT_TRUE(log.empty()) << log.front();
        return;
    }
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(log.size(), 1u);
    if (c.shape == Shape::Bytes) {
        EXPECT_EQ(testkit::ReadFile(File(aside[0])), c.bytes);
    }
    const UserSettings again = LoadUserSettings();
    EXPECT_EQ(again.scale, c.kept.scale);
    EXPECT_EQ(again.fullscreen, c.kept.fullscreen);
    EXPECT_EQ(again.volume, c.kept.volume);
    EXPECT_EQ(Names("settings.ini.bad-").size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Matrix, SettingsFileTest, ::testing::ValuesIn(SettingsCases()),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
