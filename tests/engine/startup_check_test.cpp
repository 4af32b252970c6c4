// A game's start-up settings are input: a field out of range takes its
// default and is named in one complaint; good fields pass untouched.
#include "engine/startup_check.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

TEST(StartupCheck, EachFieldOutOfRangeTakesItsDefaultWithOneComplaint) {
    const std::string longText(256, 'x');
    const std::string controlText = "Two\nlines";
    struct Case {
        const char* field;
        std::function<void(StartupSettings&)> spoil;
        std::function<bool(const CheckedStartup&)> isDefault;
    };
    const Case cases[] = {
        {"screenWidth", [](StartupSettings& s) { s.screenWidth = 0; },
         [](const CheckedStartup& c) { return c.settings.screenWidth == 320; }},
        {"screenWidth", [](StartupSettings& s) { s.screenWidth = 4097; },
         [](const CheckedStartup& c) { return c.settings.screenWidth == 320; }},
        {"screenHeight", [](StartupSettings& s) { s.screenHeight = -240; },
         [](const CheckedStartup& c) { return c.settings.screenHeight == 240; }},
        {"frameRate", [](StartupSettings& s) { s.frameRate = 0; },
         [](const CheckedStartup& c) { return c.settings.frameRate == 60; }},
        {"frameRate", [](StartupSettings& s) { s.frameRate = 1001; },
         [](const CheckedStartup& c) { return c.settings.frameRate == 60; }},
        {"windowScale", [](StartupSettings& s) { s.windowScale = 17; },
         [](const CheckedStartup& c) { return c.settings.windowScale == 0; }},
        {"desktopFullscreen", [](StartupSettings& s) { s.desktopFullscreen = 2; },
         [](const CheckedStartup& c) { return c.settings.desktopFullscreen == -1; }},
        {"caption", [&](StartupSettings& s) { s.caption = longText.c_str(); },
         [](const CheckedStartup& c) { return c.caption == "Game"; }},
        {"caption", [&](StartupSettings& s) { s.caption = controlText.c_str(); },
         [](const CheckedStartup& c) { return c.caption == "Game"; }},
        {"version", [&](StartupSettings& s) { s.version = longText.c_str(); },
         [](const CheckedStartup& c) { return c.version == "1.0"; }},
        {"userFolder", [](StartupSettings& s) { s.userFolder = "../elsewhere"; },
         [](const CheckedStartup& c) { return c.userFolder == "Game"; }},
        {"userFolder", [](StartupSettings& s) { s.userFolder = ".."; },
         [](const CheckedStartup& c) { return c.userFolder == "Game"; }},
    };
    for (const Case& test : cases) {
        StartupSettings given;
        test.spoil(given);
        const CheckedStartup checked = CheckStartupSettings(given);
        EXPECT_TRUE(test.isDefault(checked)) << test.field;
        ASSERT_EQ(1u, checked.complaints.size()) << test.field;
        EXPECT_NE(std::string::npos, checked.complaints[0].find(test.field)) << checked.complaints[0];
    }
}

TEST(StartupCheck, GoodSettingsPassAndTheUserFolderFollowsTheCaption) {
    StartupSettings given;
    given.screenWidth = 4096;
    given.screenHeight = 1;
    given.frameRate = 1000;
    given.caption = "My Game \xc3\xa9";  // UTF-8 passes as it is
    const CheckedStartup checked = CheckStartupSettings(given);
    EXPECT_TRUE(checked.complaints.empty());
    EXPECT_EQ(4096, checked.settings.screenWidth);
    EXPECT_EQ(1, checked.settings.screenHeight);
    EXPECT_EQ(1000, checked.settings.frameRate);
    EXPECT_EQ("My Game \xc3\xa9", checked.userFolder);

    given.userFolder = "MyGameData";
    EXPECT_EQ("MyGameData", CheckStartupSettings(given).userFolder);
    given.caption = nullptr;
    EXPECT_EQ("Game", CheckStartupSettings(given).caption) << "null is the default, not a complaint";
    EXPECT_TRUE(CheckStartupSettings(given).complaints.empty());
}
