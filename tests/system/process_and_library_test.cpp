// RunProcess hands every argument to a real child unchanged (on Windows
// through the system's command line and the child's own parsing of it);
// library calls reach real C functions of the system's libraries.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <limits>
#include <string>
#include <thread>
#include <vector>

#include "aerox/aerox.h"
#include "runtime/errors.h"
#include "testkit/testkit.h"

namespace {

bool OnWindows() {
#ifdef _WIN32
    return true;
#else
    return false;
#endif
}

std::string Hex(const std::string& text) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (const unsigned char c : text) out += {digits[c >> 4], digits[c & 15]};
    return out;
}

// The arguments as RunProcess's one text: each quoted, with every
// backslash and quote escaped.
std::string Joined(const std::vector<std::string>& arguments) {
    std::string text;
    for (const std::string& a : arguments) {
        text += text.empty() ? "\"" : " \"";
        for (const char c : a) text += c == '\\' || c == '"' ? std::string{'\\', c} : std::string{c};
        text += '"';
    }
    return text;
}

size_t LogSize() { return testkit::ReadFile(LogFilePath()).size(); }

int LogLinesSince(size_t start) {
    const std::string log = testkit::ReadFile(LogFilePath());
    int lines = 0;
    for (size_t i = start; i < log.size(); ++i) lines += log[i] == '\n';
    return lines;
}

class Processes : public ::testing::Test {
protected:
    void SetUp() override {
        out_ = folder_.File("args-out.txt");
        setenv("AEROX_ARGS_OUT", testkit::SystemPath(out_).c_str(), 1);
    }
    void TearDown() override { unsetenv("AEROX_ARGS_OUT"); }
    testkit::TempFolder folder_;
    std::string out_;
};

TEST_F(Processes, HardArgumentsArriveUnchanged) {
    const std::vector<std::string> hard = {
        "plain",
        "two words",
        "",
        "say \"hi\"",
        "trail\\",
        "trail\\\\",
        "C:\\dir\\file",
        "C:\\dir with space\\",
        "ünïcödé ✓ 日本",
        " lead and trail ",
        "tab\there",
        "\\\"",
        "a\\\\\"b",
        "\"",
        "\"\"",
        "%PATH%",
        "$HOME",
        "*",
        "&|<>^",
    };
    ASSERT_EQ(RunProcess(testkit::SystemPath(AEROX_ARGS_CHILD).c_str(), Joined(hard).c_str(), 1),
              static_cast<double>(hard.size()));
    std::string expected;
    for (const std::string& a : hard) expected += Hex(a) + "\n";
    EXPECT_EQ(testkit::ReadFile(out_), expected);
}

TEST_F(Processes, WaitingGivesTheExitCodeAndNotWaitingGivesOne) {
    EXPECT_EQ(RunProcess(testkit::SystemPath(AEROX_ARGS_CHILD).c_str(), "a b c", 1), 3);
    EXPECT_EQ(RunProcess(testkit::SystemPath(AEROX_ARGS_CHILD).c_str(), "", 1), 0);
    std::remove(out_.c_str());
    ASSERT_EQ(RunProcess(testkit::SystemPath(AEROX_ARGS_CHILD).c_str(), "x", 0), 1);
    std::string got;
    for (int i = 0; i < 500 && got != "78\n"; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        got = testkit::ReadFile(out_);
    }
    EXPECT_EQ(got, "78\n") << "the child runs on after RunProcess returned";
}

TEST_F(Processes, AProgramFoundOnThePath) {
    if (OnWindows()) {
        EXPECT_EQ(RunProcess("cmd.exe", "/c exit 7", 1), 7);
    } else {
        EXPECT_EQ(RunProcess("sh", "-c \"exit 7\"", 1), 7);
        EXPECT_EQ(RunProcess("sh", "-c \"kill -TERM $$\"", 1), 128 + 15) << "ended by a signal";
    }
}

TEST_F(Processes, WhatCannotStartIsMinusOneAndOneLogLine) {
    const std::string nul("x\0y", 3);
    const struct {
        RtString program;
        RtString arguments;
    } cases[] = {
        {"aerox-no-such-program", ""},
        {"", ""},
        {"./run.bat", ""},
        {RtString(nul.c_str()) + "", ""},
    };
    for (const auto& c : cases) {
        if (std::string(c.program.Text()) == "./run.bat" && !OnWindows()) continue;
        const size_t start = LogSize();
        EXPECT_EQ(RunProcess(c.program, c.arguments, 1), -1) << c.program.Text();
        EXPECT_EQ(LogLinesSince(start), 1) << c.program.Text();
    }
}

struct Library {
    const char* maths;
    const char* text;
};

Library SystemLibraries() {
    return OnWindows() ? Library{"msvcrt.dll", "msvcrt.dll"} : Library{"libm.so.6", "libc.so.6"};
}

TEST(LibraryCalls, NumbersAndTextsReachCFunctions) {
    ASSERT_EQ(OpenLibrary(0, SystemLibraries().maths), 1);
    ASSERT_EQ(OpenLibrary(63, SystemLibraries().text), 1);
    EXPECT_DOUBLE_EQ(CallFunction(0, "cos", "d:d", 0, 0, 0, 0), 1.0);
    EXPECT_DOUBLE_EQ(CallFunction(0, "pow", "d:dd", 2, 10, 99, 99), 1024.0);
    EXPECT_EQ(CallFunction(63, "abs", "i:i", -5.9, 0, 0, 0), 5) << "an int argument has its fraction cut off";
    EXPECT_EQ(CallFunction(63, "abs", "i:i", std::numeric_limits<double>::quiet_NaN(), 0, 0, 0), 0);
    EXPECT_EQ(CallFunctionText(63, "strlen", "i:s", "héllo", "", "", ""), 6);
    EXPECT_EQ(CallFunctionText(63, "strcmp", "i:ss", "same", "same", "x", "y"), 0);
    EXPECT_NE(CallFunctionText(63, "strcmp", "i:ss", "a", "b", "", ""), 0);
    EXPECT_EQ(CallFunction(63, "srand", "v:i", 1, 0, 0, 0), 0);
    CloseLibrary(0);
    CloseLibrary(63);
}

TEST(LibraryCalls, BadCallsAreZeroAndOneLogLine) {
    ASSERT_EQ(OpenLibrary(1, SystemLibraries().maths), 1);
    CloseLibrary(2);
    const struct {
        const char* name;
        double (*call)();
    } cases[] = {
        {"too many arguments", [] { return CallFunction(1, "cos", "d:ddddd", 0, 0, 0, 0); }},
        {"unknown type", [] { return CallFunction(1, "cos", "x:", 0, 0, 0, 0); }},
        {"texts to CallFunction", [] { return CallFunction(1, "cos", "d:s", 0, 0, 0, 0); }},
        {"numbers to CallFunctionText", [] { return CallFunctionText(1, "cos", "d:d", "", "", "", ""); }},
        {"no such function", [] { return CallFunction(1, "aerox_no_such_function", "d:d", 0, 0, 0, 0); }},
        {"empty slot", [] { return CallFunction(2, "cos", "d:d", 0, 0, 0, 0); }},
        {"slot out of range", [] { return CallFunction(64, "cos", "d:d", 0, 0, 0, 0); }},
        {"NaN slot", [] { return CallFunction(std::numeric_limits<double>::quiet_NaN(), "cos", "d:d", 0, 0, 0, 0); }},
        {"no such library", [] { return OpenLibrary(3, "aerox-no-such-library"); }},
        {"library slot out of range", [] { return OpenLibrary(-1, SystemLibraries().maths); }},
    };
    for (const auto& c : cases) {
        const size_t start = LogSize();
        EXPECT_EQ(c.call(), 0) << c.name;
        EXPECT_EQ(LogLinesSince(start), 1) << c.name;
    }
    CloseLibrary(1);
}

}  // namespace
