#include <gtest/gtest.h>

#include "aerox/aerox.h"
#include "engine/saved_settings.h"
#include "userdata/userdata_fixture.h"

namespace userdata_test {
namespace {

using SessionSettingsTest = UserFolderTest;

// A volume the game sets is in settings.ini at once, in tenths, and the
// next run starts with it.
TEST_F(SessionSettingsTest, TheVolumeAGameSetsIsKeptForTheNextRun) {
    LoadSessionSettings();
    SetMasterVolume(0.3);
    EXPECT_NE(testkit::ReadFile(File("settings.ini")).find("volume = 30"), std::string::npos);
    SetMasterVolume(1);
    EXPECT_EQ(LoadSessionSettings().volume, 100);
    SetMasterVolume(0.7);
    EXPECT_EQ(LoadSessionSettings().volume, 70);
}

}  // namespace
}  // namespace userdata_test
