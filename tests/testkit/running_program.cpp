#include "testkit/running_program.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace testkit {

namespace {

std::string WindowsOf(pid_t pid) {
    const std::string list = RunCommand("xdotool search --pid " + std::to_string(pid));
    std::string names;
    size_t from = 0;
    // Appended piece by piece: GCC 12 at -O3 sees a false overlap in
    // "[" + a temporary string (-Wrestrict).
    for (size_t end; (end = list.find('\n', from)) != std::string::npos; from = end + 1) {
        names += '[';
        names += RunCommand("xdotool getwindowname " + list.substr(from, end - from));
        names += ']';
    }
    return names;
}

}  // namespace

std::string ProgramPath() {
    const char* dir = std::getenv("AEROX_GAME_DIR");
    return std::string(dir != nullptr ? dir : ".") + "/aerox";
}

Shot WaitForShot(const std::string& window, const std::function<bool(const Shot&)>& test, double seconds) {
    const auto start = std::chrono::steady_clock::now();
    Shot shot;
    for (;;) {
        shot = GrabWindow(window);
        if (shot.valid() && test(shot)) return shot;
        if (std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() > seconds) return shot;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

bool MenuShown(const Shot& s) {
    return s.Lit(120, 218, 240, 234) > 20     // "Score: 0"
           && s.Lit(10, 145, 140, 235) > 300  // the menu picture
           && s.Lit(60, 0, 260, 140) > 1000;  // the title picture
}

RunningProgram::RunningProgram(const std::vector<std::string>& env) : RunningProgram(ProgramPath(), {}, "Aerox", env) {}

RunningProgram::RunningProgram(const std::string& path, const std::vector<std::string>& args,
                               const std::string& caption, const std::vector<std::string>& env)
    : caption(caption) {
    std::vector<std::string> all{"TMPDIR=" + temp.path(), "SDL_VIDEODRIVER=x11", "AEROX_NO_MESSAGE_BOX=1",
                                 "SDL_AUDIODRIVER=dummy"};
    all.insert(all.end(), env.begin(), env.end());
    program = std::make_unique<ChildProgram>(path, args, all);
}

bool RunningProgram::Start() {
    WriteFile(LogPath(), "left over from an earlier run\r\n");
    EXPECT_TRUE(program->started());
    if (!program->started()) return false;
    if (!program->WaitForLine("Init OK", 20)) {
        int code = 0;
        const bool ended = program->WaitExit(1, code);
        ADD_FAILURE() << "no Init OK; output: " << program->output()
                      << (ended ? "; exit code " + std::to_string(code) : "; still running");
    }
    window = FindWindow(program->pid(), "^" + caption + "$", 10);
    EXPECT_FALSE(window.empty()) << "no window captioned " << caption << "; its windows: " << WindowsOf(program->pid());
    return !window.empty();
}

void RunningProgram::Focus() const {
    RunCommand("xdotool windowfocus " + window);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
}

void RunningProgram::PressUntilEnded(const std::string& keys) const {
    for (int attempt = 0; attempt < 3; ++attempt) {
        Focus();
        HoldKeys(keys);
        int code = -1;
        if (program->WaitExit(3, code)) {
            EXPECT_EQ(0, code);
            return;
        }
    }
    ADD_FAILURE() << "the program did not end on " << keys;
}

Shot RunningProgram::PressUntilShot(const std::string& keys, const std::function<bool(const Shot&)>& test) const {
    Shot shot;
    for (int attempt = 0; attempt < 3; ++attempt) {
        Focus();
        HoldKeys(keys);
        shot = WaitForShot(window, test, 3);
        if (shot.valid() && test(shot)) break;
    }
    return shot;
}

bool RunningProgram::FocusUntilCaption(const std::string& name) const {
    for (int attempt = 0; attempt < 5; ++attempt) {
        Focus();
        if (WaitForWindowName(window, name, 2)) return true;
    }
    return false;
}

void RunningProgram::ExpectEndsWithCodeZero() const {
    int code = -1;
    ASSERT_TRUE(program->WaitExit(10, code)) << "the program did not end";
    EXPECT_EQ(0, code);
}

}  // namespace testkit
