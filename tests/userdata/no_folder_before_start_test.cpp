// Before a game has started the engine there is no per-user folder of its
// own: saving then must not land in another game's folder. Checked in a
// fresh process (the folder's name is process-wide), with the system's
// data folders pointed at a temporary one.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "aerox/aerox.h"
#include "testkit/testkit.h"
#include "userdata/user_dir.h"

TEST(UserFolderDeathTest, NoneBeforeTheEngineStartsSoNothingIsSaved) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    testkit::TempFolder home;
    EXPECT_EXIT(
        {
            unsetenv("AEROX_USER_DIR");
            setenv("HOME", home.path().c_str(), 1);
            setenv("XDG_DATA_HOME", home.path().c_str(), 1);
            const double rank = AddHiScore(500, "ABC");
            SetMasterVolume(0.5);
            const bool nothingSaved = std::filesystem::is_empty(home.path()) && UserDataDirectory().empty();
            std::exit(nothingSaved && rank >= -1 ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}
