// The game's view of the hi-score table: ranks, ties, the initials it
// keeps, and the table surviving a restart or a folder that takes nothing.
#include <filesystem>
#include <string>

#include "aerox/aerox.h"
#include "userdata/hiscore_file.h"
#include "userdata/user_dir.h"
#include "userdata/userdata.h"
#include "userdata/userdata_fixture.h"

namespace {

using userdata_test::UserFolderTest;

using HiScoreTable = UserFolderTest;

TEST_F(HiScoreTable, RanksTiesInitialsAndTheTenthPlace) {
    EXPECT_EQ(HiScoreRank(0), -1);
    EXPECT_EQ(HiScoreRank(-5), -1);
    EXPECT_EQ(AddHiScore(0.5, "ACE"), -1);
    EXPECT_EQ(AddHiScore(500, "a1c-e!z"), 0);
    EXPECT_STREQ(HiScoreName(0).Text(), "ACE");
    // A new score equal to one in the table ranks below it.
    EXPECT_EQ(HiScoreRank(500), 1);
    EXPECT_EQ(AddHiScore(500, "bob"), 1);
    EXPECT_STREQ(HiScoreName(1).Text(), "BOB");
    EXPECT_EQ(AddHiScore(1e12, ""), 0);
    EXPECT_EQ(HiScoreValue(0), 999999999);
    EXPECT_STREQ(HiScoreName(0).Text(), "");
    EXPECT_EQ(AddHiScore(700.9, "Q"), 1);
    EXPECT_EQ(HiScoreValue(1), 700);
    for (int i = 0; i < 6; ++i) AddHiScore(100, "F");
    ASSERT_EQ(HiScoreCount(), 10);
    EXPECT_EQ(HiScoreValue(9), 100);
    // A full table: equal to the last does not make it, one more does and
    // pushes the last out.
    EXPECT_EQ(HiScoreRank(100), -1);
    EXPECT_EQ(AddHiScore(100, "X"), -1);
    EXPECT_EQ(AddHiScore(101, "Y"), 4);
    EXPECT_EQ(HiScoreCount(), 10);
    EXPECT_STREQ(HiScoreName(4).Text(), "Y");
    EXPECT_EQ(HiScoreValue(10), 0);
    EXPECT_EQ(HiScoreValue(-1), 0);

    // Saved at once: a restart finds the same table, from a file that is trusted.
    std::string fault;
    const auto saved = ParseHiScores(testkit::ReadFile(File("hiscores.txt")), fault);
    EXPECT_EQ(fault, "");
    ReleaseUserData();
    ASSERT_EQ(HiScoreCount(), 10);
    for (size_t i = 0; i < saved.size(); ++i) {
        EXPECT_EQ(HiScoreValue(double(i)), double(saved[i].score));
        EXPECT_STREQ(HiScoreName(double(i)).Text(), saved[i].initials.c_str());
    }
    EXPECT_TRUE(LogLinesAboutFolder().empty());
}

TEST_F(HiScoreTable, WithoutAFolderTheTableLivesForTheSession) {
    // The folder would have to be made under a regular file.
    testkit::WriteFile(File("plain"), "x");
    const std::string unusable = File("plain") + "/aerox";
    setenv("AEROX_USER_DIR", unusable.c_str(), 1);
    EXPECT_EQ(AddHiScore(300, "ABC"), 0);
    EXPECT_EQ(AddHiScore(200, "DEF"), 1);
    EXPECT_EQ(HiScoreCount(), 2);
    EXPECT_EQ(UserDataDirectory(), "");
    EXPECT_EQ(LogLinesAboutFolder().size(), 1u);
}

TEST_F(HiScoreTable, AFolderThatTakesNothingCostsALogLine) {
    EXPECT_EQ(AddHiScore(300, "ABC"), 0);
    // The folder goes away under the running game.
    std::filesystem::remove_all(folder_.path());
    EXPECT_EQ(AddHiScore(400, "DEF"), 0);
    EXPECT_EQ(HiScoreCount(), 2);
    EXPECT_STREQ(HiScoreName(0).Text(), "DEF");
    EXPECT_EQ(LogLinesAboutFolder().size(), 1u);
}

}  // namespace
