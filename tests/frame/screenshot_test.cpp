// Screenshots: the frame the game drew, saved as a PNG that decodes to the
// same pixels, under a new name every time, and F12 through ShowScreen.
#include <cstdlib>
#include <filesystem>
#include <set>

#include "aerox/aerox.h"
#include "engine/engine_globals.h"
#include "frame/frame_fixture.h"
#include "frame/screenshot.h"
#include "gfx/image.h"
#include "runtime/temp_dir.h"
#include "userdata/user_dir.h"

using namespace frametest;

namespace {

constexpr int kF12 = 88;

std::set<std::string> FilesIn(const std::string& folder) {
    std::set<std::string> names;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored))
        names.insert(entry.path().filename().string());
    return names;
}

// RGB of every pixel of an RGBA picture.
std::vector<uint8_t> Rgb(const std::vector<uint8_t>& rgba) {
    std::vector<uint8_t> rgb;
    for (size_t i = 0; i < rgba.size(); i += 4) rgb.insert(rgb.end(), rgba.begin() + i, rgba.begin() + i + 3);
    return rgb;
}

int CountOf(const std::string& text, const std::string& part) {
    int n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

class ScreenshotTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        SetViewport(*context, 0, 0, 0, 0);
        folder_ = std::make_unique<testkit::TempFolder>();
    }
    void TearDown() override {
        folder_.reset();
        WindowTest::TearDown();
    }
    // Many colours in many places, none of them round.
    void DrawPattern(unsigned seed) {
        for (int k = 0; k < 64; ++k) {
            seed = seed * 1103515245u + 12345u;
            const float x = static_cast<float>(seed % 320), y = static_cast<float>((seed >> 9) % 240);
            FillRect(x, y, 1 + (seed >> 17) % 90, 1 + (seed >> 3) % 70, (seed & 255) / 255.0f,
                     ((seed >> 8) & 255) / 255.0f, ((seed >> 16) & 255) / 255.0f);
        }
    }
    // The saved file's pixels as RGB, or nothing when it does not decode.
    static std::vector<uint8_t> Decoded(const std::string& path) {
        RgbaImage image;
        if (!ReadPng(image, path, kNoColourKey) || image.width != 320 || image.height != 240) return {};
        return Rgb(image.pixels);
    }

    std::unique_ptr<testkit::TempFolder> folder_;
};

TEST_F(ScreenshotTest, DecodesToTheFramesPixelsAndASecondInTheSameSecondGetsTheNextName) {
    std::tm local{};
    local.tm_year = 2026 - 1900;
    local.tm_mon = 11;
    local.tm_mday = 7;
    local.tm_hour = 10;
    local.tm_min = 15;
    local.tm_sec = 2;
    local.tm_isdst = -1;
    const std::time_t when = std::mktime(&local);
    ASSERT_EQ(ScreenshotName("Aerox", when), "aerox-20261207-101502");
    EXPECT_EQ(ScreenshotName("My Game: 2/../x", when), "my-game-2-x-20261207-101502");
    EXPECT_EQ(ScreenshotName("\xc3\xa9", when), "screenshot-20261207-101502");
    g_caption = "Aerox";
    const std::string shots = folder_->File("new/screenshots");  // made with its parents

    DrawPattern(7);
    const std::vector<uint8_t> first = Rgb(ReadBackBuffer(*context));
    const std::string firstPath = SaveScreenshot(*context, shots, when);
    EXPECT_EQ(firstPath, shots + "/aerox-20261207-101502.png");
    ASSERT_EQ(Decoded(firstPath).size(), 320u * 240 * 3);
    EXPECT_TRUE(Decoded(firstPath) == first);

    DrawPattern(8);
    const std::vector<uint8_t> second = Rgb(ReadBackBuffer(*context));
    ASSERT_FALSE(second == first);
    const std::string secondPath = SaveScreenshot(*context, shots, when);
    EXPECT_EQ(secondPath, shots + "/aerox-20261207-101502-2.png");
    EXPECT_TRUE(Decoded(secondPath) == second);
    EXPECT_TRUE(Decoded(firstPath) == first) << "the first one was overwritten";
    EXPECT_EQ(SaveScreenshot(*context, shots, when), shots + "/aerox-20261207-101502-3.png");
    // Nothing else is left in the folder (no temporary file).
    EXPECT_EQ(FilesIn(shots), (std::set<std::string>{"aerox-20261207-101502.png", "aerox-20261207-101502-2.png",
                                                      "aerox-20261207-101502-3.png"}));
    EXPECT_EQ(CountOf(temp.LogText(), "Screenshot saved: " + firstPath), 1);
}

// In a window twice the screen's size the shot is still the 320x240 frame.
TEST_F(ScreenshotTest, AScaledWindowStillSavesTheFrame) {
    ASSERT_TRUE(CreateGameWindow(*context, 320, 240, 0, 60, 0, 2));
    ASSERT_FALSE(context->frame.drawsDirect);
    SetViewport(*context, 0, 0, 0, 0);
    DrawPattern(5);
    const std::vector<uint8_t> frame = Rgb(ReadBackBuffer(*context));
    const std::string path = SaveScreenshot(*context, folder_->File("shots"), 0);
    ASSERT_EQ(Decoded(path).size(), 320u * 240 * 3);
    EXPECT_TRUE(Decoded(path) == frame);
}

TEST_F(ScreenshotTest, AFolderThatCannotBeWrittenCostsALogLine) {
    DrawPattern(3);
    testkit::WriteFile(folder_->File("a-file"), "x");
    for (const std::string& shots : {folder_->File("a-file"), folder_->File("a-file/screenshots"), std::string("")}) {
        const std::string before = std::filesystem::exists(LogFilePath()) ? temp.LogText() : "";
        EXPECT_EQ(SaveScreenshot(*context, shots, 0), "") << shots;
        const std::string log = temp.LogText();
        ASSERT_GT(log.size(), before.size());
        EXPECT_EQ(CountOf(log.substr(before.size()), "\n"), 1) << log.substr(before.size());
        EXPECT_EQ(CountOf(log.substr(before.size()), "Screenshot not saved"), 1);
    }
    EXPECT_EQ(testkit::ReadFile(folder_->File("a-file")), "x");
    EXPECT_EQ(FilesIn(folder_->path()), std::set<std::string>{"a-file"});
}

// F12 saves the frame the game drew before ShowScreen shows it, once a press,
// into the screenshots folder of the per-user data folder.
TEST_F(ScreenshotTest, F12SavesTheFrameOncePerPress) {
    const testkit::KeptEnvironmentVariable userDir("AEROX_USER_DIR");
    userDir.Set(folder_->path());
    ForgetUserDataDirectory();
    testkit::VirtualClock clock;
    ScriptedKeys keys;
    InputContext input;
    g_input = &input;
    g_engine = context.get();
    const std::string shots = folder_->File("screenshots");

    ShowScreen();  // F12 up
    DrawPattern(11);
    const std::vector<uint8_t> drawn = Rgb(ReadBackBuffer(*context));
    keys.Hold(kF12);
    for (int k = 0; k < 3; ++k) ShowScreen();
    const std::set<std::string> one = FilesIn(shots);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_TRUE(Decoded(shots + "/" + *one.begin()) == drawn);
    keys.ReleaseAll();
    ShowScreen();
    keys.Hold(kF12);
    ShowScreen();
    EXPECT_EQ(FilesIn(shots).size(), 2u);

    keys.ReleaseAll();
    ShowScreen();
    g_engine = nullptr;
    g_input = nullptr;
    // Read again, once the folder of this program is given back.
    ForgetUserDataDirectory();
}

}  // namespace
