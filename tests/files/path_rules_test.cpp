// Where the file commands may look and write: the per-user folder over the
// game's folder over the data archive for reads, the per-user folder alone
// for writes, and nothing outside them but a path the player chose.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "aerox/aerox.h"
#include "files/chosen_paths.h"
#include "files/files_fixture.h"
#include "gfx/data_resolver.h"
#include "testkit/gfx_files.h"

namespace {

using files_test::FilesTest;
using PathRules = FilesTest;

struct Command {
    const char* name;
    std::function<double(const RtString&)> run;
    double failure;
};

const Command kCommands[] = {
    {"OpenToRead", [](const RtString& p) { return OpenToRead(1, p); }, 0},
    {"OpenToWrite", [](const RtString& p) { return OpenToWrite(2, p); }, 0},
    {"OpenToAppend", [](const RtString& p) { return OpenToAppend(3, p); }, 0},
    {"FileExists", [](const RtString& p) { return FileExists(p); }, 0},
    {"RemoveFile", [](const RtString& p) { return RemoveFile(p); }, 0},
    {"RenameFile", [](const RtString& p) { return RenameFile("inside.txt", p); }, 0},
    {"MakeFolder", [](const RtString& p) { return MakeFolder(p); }, 0},
    {"ListFolder", [](const RtString& p) { return ListFolder(p); }, -1},
    {"ReadIni", [](const RtString& p) { return ToNumber(ReadIni(p, "s", "k", "-7")); }, -7},
    {"ReadIniNumber", [](const RtString& p) { return ReadIniNumber(p, "s", "k", -7); }, -7},
    {"WriteIni", [](const RtString& p) { return WriteIni(p, "s", "k", "v"); }, 0},
};

TEST_F(PathRules, PathsLeavingTheFoldersAreRefusedWithOneLogLine) {
    // Each of these names a file outside both folders (or none at all).
    const std::string outside = game_.path() + "/../escape";
    const std::string refused[] = {
        outside,          "/tmp/escape",       "\\escape", "..",          "../escape",
        "a/../../escape", "a\\..\\..\\escape", "sub/..",   "C:/escape",   "C:escape",
        "name:stream",    "line\nbreak",       "CON",      "sub/nul.txt", "Com1",
    };
    testkit::WriteFile(User("inside.txt"), "x\n");
    for (const Command& command : kCommands) {
        for (const std::string& path : refused) {
            NewLogLines();
            EXPECT_EQ(command.run(path.c_str()), command.failure) << command.name << " " << path;
            const auto lines = NewLogLines();
            ASSERT_EQ(lines.size(), 1u) << command.name << " " << path;
            EXPECT_EQ(lines[0].rfind(command.name, 0), 0u) << lines[0];
        }
    }
    std::error_code error;
    EXPECT_FALSE(std::filesystem::exists(outside, error));
    EXPECT_EQ(testkit::ReadFile(User("inside.txt")), "x\n");
}

TEST_F(PathRules, AnEmptyPathIsRefusedButNamesWithDotsAreNot) {
    EXPECT_EQ(OpenToWrite(0, ""), 0);
    EXPECT_EQ(NewLogLines().size(), 1u);
    for (const char* name : {"..name", "name..", "a/./b.txt", "sub\\b.txt"}) {
        MakeFolder("a");
        MakeFolder("sub");
        ASSERT_EQ(OpenToWrite(0, name), 1) << name;
        EXPECT_EQ(CloseFile(0), 1) << name;
        EXPECT_EQ(FileExists(name), 1) << name;
    }
    EXPECT_EQ(testkit::ReadFile(User("sub/b.txt")), "");
}

TEST_F(PathRules, ReadsLookInTheUserFolderThenTheGameFolderThenTheArchive) {
    testkit::WriteFile(User("both.txt"), "user\n");
    testkit::WriteFile(Game("both.txt"), "game\n");
    testkit::WriteFile(Game("game.txt"), "game only\n");
    const std::string archive = Game("data.sbx");
    testkit::WriteFile(archive, testkit::ArchiveBytes({{"packed.txt", "packed\nsecond\n"}, {"both.txt", "archive\n"}}));
    CreateDataResolvers(archive);
    const struct {
        const char* path;
        const char* first;
    } kReads[] = {{"both.txt", "user"}, {"game.txt", "game only"}, {"packed.txt", "packed"}};
    for (const auto& read : kReads) {
        ASSERT_EQ(OpenToRead(4, read.path), 1) << read.path;
        EXPECT_STREQ(ReadLine(4).Text(), read.first);
        EXPECT_EQ(CloseFile(4), 1);
        EXPECT_EQ(FileExists(read.path), 1);
    }
    ASSERT_EQ(OpenToRead(4, "packed.txt"), 1);
    EXPECT_EQ(FileLength(4), 14);
    EXPECT_EQ(SeekFile(4, 7), 1);
    EXPECT_STREQ(ReadLine(4).Text(), "second");
    EXPECT_EQ(EndOfFile(4), 1);
    CloseFile(4);
    ReleaseDataResolvers();
    EXPECT_EQ(OpenToRead(4, "nowhere.txt"), 0);
    EXPECT_EQ(FileExists("nowhere.txt"), 0);
}

TEST_F(PathRules, WritesDeletesAndFoldersTouchTheUserFolderAlone) {
    testkit::WriteFile(Game("level.txt"), "shipped\n");
    ASSERT_EQ(OpenToWrite(0, "level.txt"), 1);
    WriteLine(0, "edited");
    ASSERT_EQ(CloseFile(0), 1);
    EXPECT_EQ(testkit::ReadFile(Game("level.txt")), "shipped\n");
    EXPECT_EQ(testkit::ReadFile(User("level.txt")), "edited\n");
    EXPECT_EQ(RemoveFile("level.txt"), 1);
    EXPECT_EQ(RemoveFile("level.txt"), 0);  // the game's copy is not the player's to delete
    EXPECT_EQ(testkit::ReadFile(Game("level.txt")), "shipped\n");
    EXPECT_EQ(MakeFolder("saves/slot1"), 1);
    EXPECT_EQ(MakeFolder("saves/slot1"), 1);
    EXPECT_TRUE(std::filesystem::is_directory(User("saves/slot1")));
    EXPECT_FALSE(std::filesystem::exists(Game("saves")));
    testkit::WriteFile(User("a.txt"), "a");
    testkit::WriteFile(User("b.txt"), "b");
    EXPECT_EQ(RenameFile("a.txt", "b.txt"), 0);  // a taken name is never replaced
    EXPECT_EQ(RenameFile("a.txt", "saves/c.txt"), 1);
    EXPECT_EQ(testkit::ReadFile(User("saves/c.txt")), "a");
    EXPECT_EQ(testkit::ReadFile(User("b.txt")), "b");
}

std::vector<std::string> g_savedChosen;

TEST_F(PathRules, APathThePlayerChoseIsUsedAsGiven) {
    g_savedChosen.clear();
    SetChosenFileSavedHandler([](const std::string& path) { g_savedChosen.push_back(path); });
    testkit::TempFolder elsewhere;
    const std::string chosen = elsewhere.File("chosen level.txt");
    EXPECT_EQ(OpenToWrite(0, chosen.c_str()), 0);
    AllowChosenPath(chosen);
    ASSERT_EQ(OpenToWrite(0, chosen.c_str()), 1);
    WriteLine(0, "mine");
    ASSERT_EQ(CloseFile(0), 1);
    EXPECT_EQ(testkit::ReadFile(chosen), "mine\n");
    ASSERT_EQ(OpenToRead(0, chosen.c_str()), 1);
    EXPECT_STREQ(ReadLine(0).Text(), "mine");
    CloseFile(0);
    EXPECT_EQ(WriteIni(chosen.c_str(), "s", "k", "1"), 1);
    EXPECT_EQ(ReadIniNumber(chosen.c_str(), "s", "k", 0), 1);
    // Only that path: its folder's other files stay out of reach.
    EXPECT_EQ(OpenToWrite(0, elsewhere.File("other.txt").c_str()), 0);
    // Each save of the chosen file was told (the browser offers it as a
    // download); saves in the per-user folder were not.
    ASSERT_EQ(OpenToWrite(0, "mine.txt"), 1);
    ASSERT_EQ(CloseFile(0), 1);
    SetChosenFileSavedHandler(nullptr);
    EXPECT_EQ(g_savedChosen, (std::vector<std::string>{chosen, chosen}));
}

TEST_F(PathRules, NonAsciiNamesWork) {
    const char* name = "niveau \xC3\xA9t\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC";
    ASSERT_EQ(MakeFolder(name), 1);
    const std::string file = std::string(name) + "/\xC3\xBC.txt";
    ASSERT_EQ(OpenToWrite(0, file.c_str()), 1);
    WriteLine(0, "ok");
    ASSERT_EQ(CloseFile(0), 1);
    ASSERT_EQ(ListFolder(name), 1);
    EXPECT_STREQ(FolderEntry(0).Text(), "\xC3\xBC.txt");
    ASSERT_EQ(OpenToRead(0, file.c_str()), 1);
    EXPECT_STREQ(ReadLine(0).Text(), "ok");
}

}  // namespace
