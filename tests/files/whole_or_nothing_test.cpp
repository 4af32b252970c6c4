// OpenToWrite replaces its file only at CloseFile: a program that dies
// before then, with half its bytes on the disk, leaves the old file.
#include <cstdlib>

#include "aerox/aerox.h"
#include "files/files_fixture.h"

namespace {

using files_test::FilesTest;
using WholeOrNothing = FilesTest;

// The death test's child is this same program; where it reruns the test
// from the start (Windows), it finds the parent's folder here.
constexpr const char* kFolderVariable = "AEROX_FILES_TEST_DYING_WRITER";

TEST_F(WholeOrNothing, AWriterThatDiesBeforeCloseFileLeavesTheOldFile) {
    testing::FLAGS_gtest_death_test_style = "threadsafe";
    testkit::KeptEnvironmentVariable inherited(kFolderVariable);
    const char* parent = std::getenv(kFolderVariable);
    const std::string folder = parent != nullptr && parent[0] != '\0' ? parent : user_.path();
    inherited.Set(folder);
    UseUserFolder(folder);
    const std::string path = folder + "/save.txt";
    if (parent == nullptr || parent[0] == '\0') testkit::WriteFile(path, "old\n");
    EXPECT_EXIT(
        {
            if (OpenToWrite(0, "save.txt") != 1) std::_Exit(1);
            // More than any buffer holds: bytes reach the temporary file.
            for (int i = 0; i < 20000; ++i) WriteLine(0, "new contents, never to be seen");
            std::_Exit(7);
        },
        testing::ExitedWithCode(7), "");
    const std::string after = testkit::ReadFile(path);
    EXPECT_TRUE(after == "old\n") << after.size() << " bytes: " << after.substr(0, 40);
    // The dead writer's temporary is no entry of the folder.
    ASSERT_EQ(ListFolder(""), 1);
    EXPECT_STREQ(FolderEntry(0).Text(), "save.txt");
    // The next writer replaces the file whole.
    ASSERT_EQ(OpenToWrite(0, "save.txt"), 1);
    WriteLine(0, "newer");
    EXPECT_EQ(testkit::ReadFile(path), "old\n");
    ASSERT_EQ(CloseFile(0), 1);
    EXPECT_EQ(testkit::ReadFile(path), "newer\n");
}

}  // namespace
