// The program's command line: every option, and every bad one refused with
// a one-line reason (the program then ends with code 2 before any window).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/command_line.h"
#include "runtime/startup_settings.h"

namespace {
using Action = CommandLineChoice::Action;
}  // namespace

TEST(CommandLine, OptionsAndTheirChoices) {
    struct Case {
        std::vector<std::string> args;
        Action action;
        int scale;
        int fullscreen;
    } cases[] = {
        {{}, Action::Run, 0, -1},
        {{"--scale", "3"}, Action::Run, 3, -1},
        {{"--scale=16"}, Action::Run, 16, -1},
        {{"--scale", "1", "--fullscreen"}, Action::Run, 1, 1},
        {{"--windowed", "--scale", "2"}, Action::Run, 2, 0},
        {{"--help"}, Action::Help, 0, -1},
        {{"-h"}, Action::Help, 0, -1},
        {{"--version"}, Action::Version, 0, -1},
        {{"--scale", "2", "--help", "--bogus"}, Action::Help, 2, -1},  // --help ends the reading
    };
    for (const Case& c : cases) {
        const CommandLineChoice choice = ParseCommandLine(c.args);
        const std::string line = testing::PrintToString(c.args);
        EXPECT_EQ(c.action, choice.action) << line << ": " << choice.error;
        EXPECT_EQ(c.scale, choice.scale) << line;
        EXPECT_EQ(c.fullscreen, choice.fullscreen) << line;
    }
}

TEST(CommandLine, BadInputIsRefusedWithAOneLineReason) {
    const std::vector<std::vector<std::string>> bad = {
        {"--bogus"},           {"-x"},
        {"scale"},             {"--scale"},
        {"--scale", "0"},      {"--scale", "17"},
        {"--scale", "99999"},  {"--scale", "x"},
        {"--scale", "2.5"},    {"--scale", "-2"},
        {"--scale", "+2"},     {"--scale", ""},
        {"--scale="},          {"--scale", "2", "--scale", "2"},
        {"--fullscreen", "--fullscreen"}, {"--fullscreen", "--windowed"},
        {"--windowed", "--windowed"},     {"--scale", "3", "extra"},
    };
    for (const auto& args : bad) {
        const CommandLineChoice choice = ParseCommandLine(args);
        EXPECT_EQ(Action::Fail, choice.action) << testing::PrintToString(args);
        EXPECT_FALSE(choice.error.empty());
        EXPECT_EQ(std::string::npos, choice.error.find('\n')) << choice.error;
    }
    EXPECT_NE(std::string::npos, ParseCommandLine({"--bogus"}).error.find("--bogus"));
}

TEST(CommandLine, ActingOnItPrintsEndsOrFillsTheStartupSettings) {
    const auto run = [](std::vector<std::string> args, StartupSettings& settings, std::string& out, std::string& err) {
        std::vector<char*> argv{const_cast<char*>("aerox")};
        for (auto& a : args) argv.push_back(a.data());
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        ProgramIdentity identity;
        identity.program = "aerox";
        identity.caption = "Aerox";
        identity.version = "1.1";
        const int code = HandleCommandLine(static_cast<int>(argv.size()), argv.data(), identity, settings);
        out = testing::internal::GetCapturedStdout();
        err = testing::internal::GetCapturedStderr();
        return code;
    };
    StartupSettings settings;
    std::string out, err;
    EXPECT_EQ(-1, run({"--scale", "4", "--fullscreen"}, settings, out, err));
    EXPECT_EQ(4, settings.windowScale);
    EXPECT_EQ(1, settings.desktopFullscreen);
    EXPECT_EQ(0, settings.fullScreen) << "never a display mode switch";
    EXPECT_EQ("", out + err);

    StartupSettings untouched;
    EXPECT_EQ(-1, run({}, untouched, out, err));
    EXPECT_EQ(0, untouched.windowScale) << "0: as large as fits";
    EXPECT_EQ(-1, untouched.desktopFullscreen) << "-1: as chosen last time";

    EXPECT_EQ(0, run({"--help"}, untouched, out, err));
    EXPECT_EQ(0u, out.rfind("Usage: aerox [--scale N]", 0)) << out;
    EXPECT_NE(std::string::npos, out.find("\nAerox 1.1\n")) << "the game's name and version close the help";
    EXPECT_EQ("", err);
    EXPECT_EQ(0, run({"--version"}, untouched, out, err));
    EXPECT_EQ("aerox 1.1\n", out);

    EXPECT_EQ(2, run({"--scale", "x"}, untouched, out, err));
    EXPECT_EQ("", out);
    EXPECT_EQ(0u, err.find("aerox: --scale needs a whole number from 1 to 16, not 'x'\nUsage: aerox")) << err;
    EXPECT_EQ(0, untouched.windowScale);
}

TEST(CommandLine, TheProgramNameIsTheExecutablesOwn) {
    const std::pair<const char*, const char*> cases[] = {
        {"aerox", "aerox"},         {"/usr/lib/aerox/aerox", "aerox"}, {"C:\\Games\\Hello.EXE", "Hello"},
        {"build/examples/hello", "hello"}, {"", "game"},           {nullptr, "game"},
        {"dir/", "game"},           {".exe", ".exe"},
    };
    for (const auto& [argv0, name] : cases) EXPECT_EQ(name, ProgramNameOf(argv0)) << (argv0 ? argv0 : "(null)");
}
