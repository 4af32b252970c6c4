// The real program (AEROX_GAME_DIR/aerox) on the current X server, for
// end-to-end tests: started with a temporary directory of its own (its log
// goes there), watched through screenshots of its window, and pressed at
// with keys again where a press under load went astray.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "testkit/e2e_process.h"
#include "testkit/screenshot.h"
#include "testkit/testkit.h"

namespace testkit {

// The program's path in the game's folder.
std::string ProgramPath();

// Polls screenshots of the window until one satisfies the test; returns the
// last shot taken (check it again to report a failure).
Shot WaitForShot(const std::string& window, const std::function<bool(const Shot&)>& test, double seconds);

// The main menu: its score line, its menu picture and its title picture.
bool MenuShown(const Shot& s);

// The program started in a private temporary directory (for its log),
// ready once Start() has read "Init OK" and found its window.
class RunningProgram {
public:
    // env entries ("NAME=value") are added to the program's environment.
    explicit RunningProgram(const std::vector<std::string>& env = {});
    // Another game on the engine: its path, arguments and window caption.
    RunningProgram(const std::string& path, const std::vector<std::string>& args, const std::string& caption,
                   const std::vector<std::string>& env = {});
    // Starts and checks what start-up promises; false (with failures
    // recorded) when the program did not come up.
    bool Start();
    std::string LogPath() const { return temp.path() + "/ErrorLog.txt"; }
    // Gives the program the focus and lets it see that.
    void Focus() const;
    // Other tests' windows on the shared server take the focus when they
    // open, so a key press may land elsewhere: press again (at most three
    // times) until the program ends.
    void PressUntilEnded(const std::string& keys) const;
    // Under load a press and its release can reach the program together
    // and go unseen: press again (at most three times, each followed by
    // three seconds of screenshots) until the window shows what test looks
    // for. Returns the last shot taken.
    Shot PressUntilShot(const std::string& keys, const std::function<bool(const Shot&)>& test) const;
    // Focuses the program until its caption is back to name.
    bool FocusUntilCaption(const std::string& name) const;
    void ExpectEndsWithCodeZero() const;

    TempFolder temp;
    std::unique_ptr<ChildProgram> program;
    std::string window;
    std::string caption = "Aerox";
};

}  // namespace testkit
