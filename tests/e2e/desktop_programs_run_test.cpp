// The desktop's own programs, for real, under the test's X server: zenity's
// file dialog driven through XTEST (a file chosen by typing its name, and a
// dialog cancelled), and the address opener found on the search path. With
// the end-to-end tests: typed keys need an X server no other test is
// drawing on.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "aerox/aerox.h"
#include "testkit/e2e_process.h"
#include "testkit/private_x_server.h"
#include "testkit/dialog_wait.h"
#include "testkit/testkit.h"

namespace {

using namespace std::chrono_literals;

bool HasProgram(const char* name) { return testkit::RunShell(std::string("command -v ") + name, 5).code == 0; }

// Waits for a window titled exactly title and gives it the keyboard.
bool FocusWindow(const std::string& title) {
    const std::string id = testkit::FindVisibleWindow("^" + title + "$", 15);
    if (id.empty()) return false;
    testkit::RunShell("xdotool windowfocus --sync " + id, 5);
    return true;
}

class FileDialog : public ::testing::Test {
protected:
    void SetUp() override {
        if (!HasProgram("zenity") || !HasProgram("xdotool") || !display_.running())
            GTEST_SKIP() << "needs zenity, xdotool and Xvfb";
    }
    // A dialog a failed step left open would outlive the test (and hold its
    // output open).
    void TearDown() override {
        if (DialogState() == 0) testkit::RunShell("pkill -x zenity", 5);
    }
    // The dialog and the typed keys on an X server of their own (with a
    // window manager, which gives the dialog the focus).
    PrivateXServer display_{"800x600x24", true};
    testkit::TempFolder folder_;
};

TEST_F(FileDialog, AFileTypedIntoZenityIsChosenAndACancelIsMinusOne) {
    const std::string file = folder_.File("level one.lvl");
    testkit::WriteFile(file, "x");
    ASSERT_EQ(OpenFileDialog("Pick a level", "Levels|*.lvl", folder_.path().c_str()), 1);
    EXPECT_EQ(DialogState(), 0);
    EXPECT_EQ(OpenFileDialog("Another", "", ""), 0) << "one dialog at a time";
    ASSERT_TRUE(FocusWindow("Pick a level"));
    // The chooser's location field takes a whole path.
    testkit::RunShell("xdotool key --delay 50 ctrl+l && xdotool type --delay 20 " + testkit::ShellQuoted(file) +
                          " && sleep 0.3 && xdotool key Return",
                      15);
    ASSERT_EQ(testkit::WaitForDialog(20s), 1);
    EXPECT_EQ(std::string(DialogPath().Text()), file);

    ASSERT_EQ(SaveFileDialog("Save the level", "Levels|*.lvl", folder_.path().c_str(), "new.lvl"), 1);
    ASSERT_TRUE(FocusWindow("Save the level"));
    testkit::RunShell("xdotool key Escape", 5);
    EXPECT_EQ(testkit::WaitForDialog(20s), -1);
    EXPECT_EQ(std::string(DialogPath().Text()), "");
}

TEST(OpenAddressTest, TheDesktopsOpenerGetsTheAddressAsOneArgument) {
    testkit::TempFolder folder;
    const std::string out = folder.File("opened.txt");
    const std::string opener = folder.File("xdg-open");
    testkit::WriteFile(opener, "#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > '" + out + "'\n");
    ASSERT_EQ(chmod(opener.c_str(), 0755), 0);
    const std::string oldPath = std::getenv("PATH") != nullptr ? std::getenv("PATH") : "";
    setenv("PATH", (folder.path() + ":" + oldPath).c_str(), 1);
    const double opened = OpenAddress("https://example.invalid/a?b=c&d=$(x)");
    const double refused = OpenAddress("file:///etc/passwd");
    setenv("PATH", oldPath.c_str(), 1);
    ASSERT_EQ(opened, 1);
    EXPECT_EQ(refused, 0);
    std::string got;
    for (int i = 0; i < 500 && got.empty(); ++i) {
        std::this_thread::sleep_for(10ms);
        got = testkit::ReadFile(out);
    }
    EXPECT_EQ(got, "1|https://example.invalid/a?b=c&d=$(x)");
}

}  // namespace
