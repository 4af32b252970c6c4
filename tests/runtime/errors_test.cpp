#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "aerox/aerox.h"
#include "engine/engine_globals.h"
#include "runtime/errors.h"
#include "runtime/temp_dir.h"
#include "testkit/testkit.h"

using testkit::ExpectProgramEnd;

namespace {

// A private temporary directory for the log, made without asking
// TempDirectory (which reads $TMPDIR once per process). A death-test child
// runs the test again from its start: it finds the parent's folder in the
// environment and uses that one.
class LogFolder {
public:
    LogFolder() {
        if (const char* inherited = std::getenv("AEROX_TEST_LOG_FOLDER")) {
            path_ = inherited;
            return;
        }
        char pattern[] = "/tmp/aerox-log-XXXXXX";
        if (mkdtemp(pattern) == nullptr) ADD_FAILURE() << "mkdtemp";
        path_ = pattern;
        owner_ = true;
        setenv("AEROX_TEST_LOG_FOLDER", path_.c_str(), 1);
    }
    ~LogFolder() {
        if (!owner_) return;
        unsetenv("AEROX_TEST_LOG_FOLDER");
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::string& path() const { return path_; }
    std::string Log() const { return testkit::ReadFile(path_ + "/ErrorLog.txt"); }
    bool HasLog() const { return std::filesystem::exists(path_ + "/ErrorLog.txt"); }

private:
    std::string path_;
    bool owner_ = false;
};

// Death tests re-run the test program for just that test, so the child
// reads $TMPDIR afresh.
class ProgramEnd : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

}  // namespace

TEST_F(ProgramEnd, SetErrorCodeRecordsCodeAndLine) {
    g_errorState = ErrorState{};
    g_errorState.currentLine = 42;
    EXPECT_EQ(SetErrorCode(9), 9);
    EXPECT_EQ(g_errorState.errorCode, 9);
    EXPECT_EQ(g_errorState.errorLine, 42);
}

TEST_F(ProgramEnd, ExitCodeIsZeroAfterARuntimeError) {
    EXPECT_EXIT(
        {
            RtArray a;
            Dim(a, 10);
            a(10);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(
        {
            RtArray a;
            a(0);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT({ EndProgram(); }, ::testing::ExitedWithCode(0), "");
}

TEST_F(ProgramEnd, DebugModeAppendsTheEndRecord) {
    LogFolder folder;
    const std::string dir = folder.path();
    EXPECT_EXIT(
        {
            setenv("TMPDIR", dir.c_str(), 1);
            g_settings.DebugMode = 1;
            RtArray a;
            Dim(a, 10);
            a(10);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(folder.Log(), "-End On Line\r\n9\r\n-1\r\n0\r\n0\r\n");

    // A second end appends its own record; "%.2g" gives two significant
    // digits and the exponent form from 100 up.
    EXPECT_EXIT(
        {
            setenv("TMPDIR", dir.c_str(), 1);
            g_settings.DebugMode = 1;
            g_errorState.currentLine = 12;
            g_errorState.currentModule = 3;
            SetErrorCode(123);
            g_errorState.currentLine = 0.125;
            EndProgram();
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(folder.Log(),
              "-End On Line\r\n9\r\n-1\r\n0\r\n0\r\n"
              "-End On Line\r\n1.2e+02\r\n11\r\n0.12\r\n3\r\n");
}

TEST_F(ProgramEnd, NoLogWithoutDebugMode) {
    LogFolder folder;
    const std::string dir = folder.path();
    EXPECT_EXIT(
        {
            setenv("TMPDIR", dir.c_str(), 1);
            g_settings.DebugMode = 0;
            RtArray a;
            a(0);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_FALSE(folder.HasLog());
}

TEST_F(ProgramEnd, CatcherSeesEachEndAndItsCode) {
    EXPECT_EQ(ExpectProgramEnd([] { EndProgram(); }), g_errorState.errorCode);
    EXPECT_EQ(ExpectProgramEnd([] {
                  SetErrorCode(3);
                  EndProgram();
              }),
              3);
    // The engine can end again after a caught end.
    EXPECT_EQ(ExpectProgramEnd([] {
                  SetErrorCode(0);
                  EndProgram();
              }),
              0);
}

TEST_F(ProgramEnd, DebugModeRecordThroughTheCatcher) {
    LogFolder folder;
    const std::string dir = folder.path();
    // The child catches the end, checks the record and leaves normally.
    EXPECT_EXIT(
        {
            setenv("TMPDIR", dir.c_str(), 1);
            g_settings.DebugMode = 1;
            RtArray never;
            const double code = ExpectProgramEnd([&] { never(0); });
            std::_Exit(code == 8 && folder.Log() == "-End On Line\r\n8\r\n-1\r\n0\r\n0\r\n" ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(ProgramEnd, AppendLogLineAddsCrLfAndKeepsWhatIsThere) {
    LogFolder folder;
    const std::string dir = folder.path();
    testkit::WriteFile(dir + "/ErrorLog.txt", "before\r\n");
    EXPECT_EXIT(
        {
            setenv("TMPDIR", dir.c_str(), 1);
            AppendLogLine("OpenGL Hardware Support");
            AppendLogLine("");
            AppendLogLine(nullptr);
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(folder.Log(), "before\r\nOpenGL Hardware Support\r\n\r\n\r\n");
}

TEST_F(ProgramEnd, UnwritableLogIsSkipped) {
    EXPECT_EXIT(
        {
            setenv("TMPDIR", "/nonexistent-aerox-dir/deeper", 1);
            AppendLogLine("nowhere");
            g_settings.DebugMode = 1;
            SetErrorCode(7);
            EndProgram();
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_FALSE(std::filesystem::exists("/nonexistent-aerox-dir"));
}

TEST_F(ProgramEnd, TempDirectoryFromTmpdirElseTmpEndingInASeparator) {
    auto expectTemp = [](const char* tmpdir, const char* expected) {
        EXPECT_EXIT(
            {
                if (tmpdir != nullptr) setenv("TMPDIR", tmpdir, 1);
                else unsetenv("TMPDIR");
                std::exit(TempDirectory() == expected && LogFilePath() == std::string(expected) + "ErrorLog.txt"
                              ? 0
                              : 1);
            },
            ::testing::ExitedWithCode(0), "")
            << (tmpdir ? tmpdir : "(unset)");
    };
    expectTemp("/var/aerox", "/var/aerox/");
    expectTemp("/var/aerox/", "/var/aerox/");
    expectTemp("", "/tmp/");
    expectTemp(nullptr, "/tmp/");
}
