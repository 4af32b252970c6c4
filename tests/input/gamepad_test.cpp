// Gamepads as keys: the arrows, fire and choose that KeyDown reads, from
// pads plugged in at start or later, several at once, and pulled out while
// holding keys.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>

#include "aerox/aerox.h"
#include "input/gamepad.h"
#include "input/input_context.h"
#include "runtime/errors.h"
#include "testkit/testkit.h"
#include "testkit/virtual_pad.h"

namespace {

constexpr int kReturn = 28, kCtrl = 29, kUp = 200, kLeft = 203, kRight = 205, kDown = 208;
const std::set<int> kPadKeys = {kReturn, kCtrl, kUp, kLeft, kRight, kDown};

class GamepadTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_input = &input_;
        ASSERT_TRUE(InitGamepads(""));
    }
    void TearDown() override {
        pads_.clear();
        ShutdownGamepads();
        g_input = nullptr;
    }
    testkit::VirtualPad& Plug() {
        pads_.push_back(std::make_unique<testkit::VirtualPad>());
        EXPECT_TRUE(pads_.back()->plugged()) << SDL_GetError();
        return *pads_.back();
    }
    // The pad keys KeyDown reads as held now.
    static std::set<int> Held() {
        std::set<int> held;
        for (int code : kPadKeys)
            if (KeyDown(code) == 1.0) held.insert(code);
        return held;
    }

    InputContext input_;
    std::vector<std::unique_ptr<testkit::VirtualPad>> pads_;
};

TEST_F(GamepadTest, StickAndDpadHoldTheArrowsPastADeadZoneWithHysteresis) {
    testkit::VirtualPad& pad = Plug();
    EXPECT_EQ(Held(), std::set<int>{});
    EXPECT_EQ(GamepadCount(), 1);

    const struct {
        SDL_GameControllerAxis axis;
        int sign;
        int key;
    } directions[] = {{SDL_CONTROLLER_AXIS_LEFTX, -1, kLeft},
                      {SDL_CONTROLLER_AXIS_LEFTX, +1, kRight},
                      {SDL_CONTROLLER_AXIS_LEFTY, -1, kUp},
                      {SDL_CONTROLLER_AXIS_LEFTY, +1, kDown}};
    for (const auto& d : directions) {
        // Up from rest: nothing until 40% of the travel, then held down to
        // 30% on the way back.
        const struct {
            int value;
            bool held;
        } steps[] = {{kStickRelease + 100, false}, {kStickPress - 1, false}, {kStickPress, true},
                     {kStickRelease, true},        {kStickRelease - 1, false}, {kStickPress - 1, false},
                     {32767, true},                {0, false}};
        for (const auto& s : steps) {
            pad.Axis(d.axis, d.sign * s.value);
            EXPECT_EQ(Held(), s.held ? std::set<int>{d.key} : std::set<int>{}) << d.key << " at " << s.value;
        }
    }
    // The full negative travel (-32768) holds too.
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, -32768);
    EXPECT_EQ(Held(), std::set<int>{kUp});
    pad.Axis(SDL_CONTROLLER_AXIS_LEFTY, 0);
    // The right stick moves nothing.
    pad.Axis(SDL_CONTROLLER_AXIS_RIGHTX, 32767);
    EXPECT_EQ(Held(), std::set<int>{});

    const struct {
        SDL_GameControllerButton button;
        int key;
    } dpad[] = {{SDL_CONTROLLER_BUTTON_DPAD_LEFT, kLeft},
                {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, kRight},
                {SDL_CONTROLLER_BUTTON_DPAD_UP, kUp},
                {SDL_CONTROLLER_BUTTON_DPAD_DOWN, kDown}};
    for (const auto& d : dpad) {
        pad.Button(d.button, true);
        EXPECT_EQ(Held(), std::set<int>{d.key});
        pad.Button(d.button, false);
        EXPECT_EQ(Held(), std::set<int>{});
    }
}

TEST_F(GamepadTest, SouthButtonFiresAndChoosesStartChoosesOthersDoNothing) {
    testkit::VirtualPad& pad = Plug();
    pad.Button(SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_EQ(Held(), (std::set<int>{kCtrl, kReturn}));
    pad.Button(SDL_CONTROLLER_BUTTON_A, false);
    pad.Button(SDL_CONTROLLER_BUTTON_START, true);
    EXPECT_EQ(Held(), std::set<int>{kReturn});
    pad.Button(SDL_CONTROLLER_BUTTON_START, false);
    for (auto b : {SDL_CONTROLLER_BUTTON_B, SDL_CONTROLLER_BUTTON_X, SDL_CONTROLLER_BUTTON_Y,
                   SDL_CONTROLLER_BUTTON_BACK, SDL_CONTROLLER_BUTTON_GUIDE})
        pad.Button(b, true);
    EXPECT_EQ(Held(), std::set<int>{});
    // The presenter's rule (Escape) sees the pads' keys the same way.
    pad.Button(SDL_CONTROLLER_BUTTON_START, true);
    PollKeyboard(&input_);
    EXPECT_TRUE(KeyHeld(&input_, kReturn));
    EXPECT_FALSE(KeyHeld(&input_, 1));
}

// Screens that read presses see the pad's: one a push, however long held.
TEST_F(GamepadTest, APushOfAPadButtonCountsOnceAsAPressOfEachKeyItHolds) {
    testkit::VirtualPad& pad = Plug();
    EXPECT_EQ(KeyPressed(kReturn), 0);
    pad.Button(SDL_CONTROLLER_BUTTON_A, true);
    for (int k = 0; k < 3; ++k) PollKeyboard(&input_);
    EXPECT_EQ(KeyPressed(kReturn), 1);
    EXPECT_EQ(KeyPressed(kCtrl), 1);
    EXPECT_EQ(KeyPressed(kReturn), 0);
    pad.Button(SDL_CONTROLLER_BUTTON_A, false);
    PollKeyboard(&input_);
    pad.Button(SDL_CONTROLLER_BUTTON_START, true);
    PollKeyboard(&input_);
    pad.Button(SDL_CONTROLLER_BUTTON_START, false);
    PollKeyboard(&input_);
    pad.Button(SDL_CONTROLLER_BUTTON_START, true);
    EXPECT_EQ(KeyPressed(kReturn), 2);
    EXPECT_EQ(KeyPressed(kCtrl), 0);
}

TEST_F(GamepadTest, PadsPluggedInLaterAddUpAndAPadPulledOutReleasesItsKeys) {
    EXPECT_EQ(Held(), std::set<int>{});
    testkit::VirtualPad& first = Plug();
    testkit::VirtualPad& second = Plug();
    first.Button(SDL_CONTROLLER_BUTTON_A, true);
    first.Axis(SDL_CONTROLLER_AXIS_LEFTX, -32768);
    second.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    second.Button(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    EXPECT_EQ(Held(), (std::set<int>{kCtrl, kReturn, kLeft, kUp}));
    EXPECT_EQ(GamepadCount(), 2);

    first.Unplug();
    EXPECT_EQ(Held(), (std::set<int>{kLeft, kUp}));
    EXPECT_EQ(GamepadCount(), 1);
    second.Unplug();
    EXPECT_EQ(Held(), std::set<int>{});
    EXPECT_EQ(GamepadCount(), 0);
    // Plugged in again: read again.
    Plug().Button(SDL_CONTROLLER_BUTTON_START, true);
    EXPECT_EQ(Held(), std::set<int>{kReturn});
}

TEST_F(GamepadTest, AKeyHeldOnTheKeyboardStaysHeldWhenThePadLetsGo) {
    std::set<int> keyboard = {kCtrl, kDown};
    SetKeySource(
        [](uint8_t keys[256], void* user) {
            for (int k = 0; k < 256; ++k) keys[k] = 0;
            for (int k : *static_cast<std::set<int>*>(user)) keys[k] = 0x80;
        },
        &keyboard);
    testkit::VirtualPad& pad = Plug();
    pad.Button(SDL_CONTROLLER_BUTTON_A, true);
    pad.Button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
    EXPECT_EQ(Held(), (std::set<int>{kCtrl, kReturn, kDown}));
    pad.Button(SDL_CONTROLLER_BUTTON_A, false);
    pad.Button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, false);
    EXPECT_EQ(Held(), (std::set<int>{kCtrl, kDown}));
    pad.Unplug();
    EXPECT_EQ(Held(), (std::set<int>{kCtrl, kDown}));
    keyboard.clear();
    EXPECT_EQ(Held(), std::set<int>{});
    SetKeySource(nullptr, nullptr);
}

TEST_F(GamepadTest, APadPluggedInBeforeStartIsOpenedAtStart) {
    // The joystick layer stays up while the game-controller layer restarts.
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0);
    ShutdownGamepads();
    {
        testkit::VirtualPad pad;
        ASSERT_TRUE(pad.plugged());
        pad.Button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
        ASSERT_TRUE(InitGamepads(""));
        EXPECT_EQ(GamepadCount(), 1);
        EXPECT_EQ(Held(), std::set<int>{kRight});
    }
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

// A joystick SDL knows no mapping for is no pad until the mapping file
// beside the program names it; a mapping file that is broken, hostile or
// not a file at all costs at most a log line.
TEST_F(GamepadTest, TheMappingFileMakesAnUnknownJoystickAPadAndABadOneIsSurvived) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0);
    ShutdownGamepads();
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_UNKNOWN;
    desc.naxes = 2;
    desc.nbuttons = 4;
    desc.name = "Aerox unmapped stick";
    // A USB-style identity, as real pads have: mappings are found by it.
    desc.vendor_id = 0x1234;
    desc.product_id = 0x5678;
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    ASSERT_GE(index, 0) << SDL_GetError();
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(index);
    char guid[64];
    SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(index), guid, sizeof guid);
    SDL_Joystick* stick = SDL_JoystickOpen(index);
    ASSERT_NE(stick, nullptr);
    SDL_JoystickSetVirtualButton(stick, 3, 1);  // the mapping below makes button 3 the south button

    testkit::TempFolder folder;
    // Another device's GUID, so that nothing SDL takes from these names our stick.
    const std::string other = "03000000aaaaaaaaaaaaaaaaaaaaaaaa";
    const std::string hostile[] = {
        std::string("\0\xff\x01garbage,,,\n", 14),
        std::string(200000, 'x') + "\n",
        other + ",x," + std::string(100000, 'a') + ":b9999999999,platform:Linux,\n",
        other + ",x,a:b-1,b:a99999,leftx:h7.99,dpup:+a-5,platform:Linux,\n" + other + "\n",
        std::string("\n\n,\n:\n", 6),
    };
    int lineCount = 0;
    auto logLines = [&] {
        const std::string log = std::filesystem::exists(LogFilePath()) ? testkit::ReadFile(LogFilePath()) : "";
        int n = 0;
        for (char c : log) n += c == '\n';
        const int added = n - lineCount;
        lineCount = n;
        return added;
    };
    auto startWith = [&](const std::string& path) {
        logLines();
        ShutdownGamepads();
        ASSERT_TRUE(InitGamepads(path));
    };
    const std::string file = folder.File("gamecontrollerdb.txt");
    for (const std::string& bytes : hostile) {
        testkit::WriteFile(file, bytes);
        startWith(file);
        EXPECT_LE(logLines(), 1);
    }
    EXPECT_EQ(Held(), std::set<int>{});
    std::filesystem::remove(file);
    startWith(file);  // no file: nothing to say
    EXPECT_EQ(logLines(), 0);
    std::filesystem::create_directory(file);
    startWith(file);
    EXPECT_LE(logLines(), 1);
    std::filesystem::remove(file);
    ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);  // opening it would wait forever for a writer
    startWith(file);
    EXPECT_LE(logLines(), 1);
    std::filesystem::remove(file);
    const std::string mapping = std::string(guid) + ",Aerox unmapped stick,a:b3,platform:Linux,\n";
    std::string big = mapping;
    while (big.size() <= kGamepadMappingFileMaxBytes) big += "# padding\n";
    testkit::WriteFile(file, big);
    startWith(file);
    EXPECT_LE(logLines(), 1);
    EXPECT_EQ(Held(), std::set<int>{});
    EXPECT_EQ(GamepadCount(), 0);

    testkit::WriteFile(file, "# a comment\n" + mapping);
    startWith(file);
    EXPECT_EQ(GamepadCount(), 1);
    EXPECT_EQ(Held(), (std::set<int>{kCtrl, kReturn}));

    SDL_JoystickClose(stick);
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
        if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

}  // namespace
