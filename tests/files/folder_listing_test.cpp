// ListFolder: the per-user folder's entries over the game folder's, sorted.
#include <filesystem>

#include "aerox/aerox.h"
#include "files/files_fixture.h"

namespace {

using files_test::FilesTest;
using FolderListing = FilesTest;

TEST_F(FolderListing, BothFoldersMergedSortedTheUserFolderWinning) {
    // "shared" is a folder in the game's folder and a file in the user's.
    std::filesystem::create_directories(Game("levels/shared"));
    std::filesystem::create_directories(Game("levels/only game"));
    testkit::WriteFile(Game("levels/b.lvl"), "game");
    testkit::WriteFile(Game("levels/a.lvl"), "game");
    std::filesystem::create_directories(User("levels/mine"));
    testkit::WriteFile(User("levels/shared"), "user");
    testkit::WriteFile(User("levels/a.lvl"), "user");
    testkit::WriteFile(User("levels/C.lvl"), "user");
    const struct {
        const char* name;
        double folder;
    } kExpected[] = {{"C.lvl", 0}, {"a.lvl", 0}, {"b.lvl", 0}, {"mine", 1}, {"only game", 1}, {"shared", 0}};
    ASSERT_EQ(ListFolder("levels"), 6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_STREQ(FolderEntry(i).Text(), kExpected[i].name) << i;
        EXPECT_EQ(FolderEntryIsFolder(i), kExpected[i].folder) << i;
    }
    NewLogLines();
    EXPECT_STREQ(FolderEntry(6).Text(), "");
    EXPECT_EQ(FolderEntryIsFolder(-1), 0);
    EXPECT_EQ(NewLogLines().size(), 2u);
}

TEST_F(FolderListing, TheFoldersThemselvesAndFoldersInOnePlace) {
    testkit::WriteFile(Game("program.dat"), "");
    testkit::WriteFile(User("settings.ini"), "");
    for (const char* root : {"", "."}) {
        ASSERT_EQ(ListFolder(root), 2) << root;
        EXPECT_STREQ(FolderEntry(0).Text(), "program.dat");
        EXPECT_STREQ(FolderEntry(1).Text(), "settings.ini");
    }
    std::filesystem::create_directories(User("empty"));
    EXPECT_EQ(ListFolder("empty"), 0);
    NewLogLines();
    EXPECT_EQ(ListFolder("nowhere"), -1);
    EXPECT_EQ(ListFolder("settings.ini"), -1);
    EXPECT_EQ(NewLogLines().size(), 2u);
    EXPECT_STREQ(FolderEntry(0).Text(), "");
}

}  // namespace
