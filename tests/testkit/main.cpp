// The main of every test program: the environment the engine needs under
// test, unless the caller already chose otherwise, then the tests.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "testkit/sanitizer_pins.h"

namespace {

int RunTests(int argc, char** argv) {
    // Windows on the platform's own video driver (the X server on Linux),
    // never SDL's silent fallback driver.
    setenv("SDL_VIDEODRIVER", AEROX_TEST_VIDEO_DRIVER, 0);
    // No modal box for a software renderer.
    setenv("AEROX_NO_MESSAGE_BOX", "1", 0);
    // Sound through a device that plays nothing.
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("AEROX_GAME_DIR", AEROX_TEST_GAME_DIR, 0);
    setenv("AEROX_SOURCE_DIR", AEROX_TEST_SOURCE_DIR, 0);
    // Nothing outside the process that the tests do not ask for: no shader
    // cache in the user's home (and no thread of Mesa's to write it), and
    // no session bus, which libdbus would otherwise try to start by forking
    // a helper at every window SDL opens.
    setenv("MESA_SHADER_CACHE_DISABLE", "true", 0);
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
    // The engine's log and temporary files go to a folder of this program's:
    // test programs run side by side, and one counting its log lines must
    // not see another's.
    std::string tempDir;
    {
        const char* base = std::getenv("TMPDIR");
        if (base == nullptr) base = std::getenv("TMP");  // Windows' own
        std::string pattern = std::string(base != nullptr && base[0] != '\0' ? base : "/tmp") + "/aerox-test-XXXXXX";
        if (mkdtemp(pattern.data()) != nullptr) {
            tempDir = pattern;
            setenv("TMPDIR", tempDir.c_str(), 1);
        }
    }
    // Settings and hi-scores go to a folder of this run's, never the user's.
    std::string userDir;
    if (std::getenv("AEROX_USER_DIR") == nullptr) {
        char name[] = "/tmp/aerox-user-XXXXXX";
        if (mkdtemp(name) != nullptr) userDir = name;
        setenv("AEROX_USER_DIR", userDir.c_str(), 1);
    }
    testkit::PrepareSanitizers();
    // Tests start SDL themselves, from this main (SDL_MAIN_HANDLED).
    SDL_SetMainReady();
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::error_code ignored;
    if (!userDir.empty()) std::filesystem::remove_all(userDir, ignored);
    if (!tempDir.empty()) std::filesystem::remove_all(tempDir, ignored);
    return result;
}

}  // namespace

// Ended by exit, not by returning: in the browser build a test that slept
// (asyncify) resumes main later, and the value main returns then is lost;
// node ended with 0 after failed tests.
int main(int argc, char** argv) { std::exit(RunTests(argc, argv)); }
