#include "files/files_fixture.h"

#include <cstdlib>

#include "files/chosen_paths.h"
#include "files/file_channel.h"
#include "runtime/errors.h"
#include "userdata/user_dir.h"

namespace files_test {

void FilesTest::SetUp() {
    std::filesystem::create_directories(std::filesystem::u8path(user_.path()));
    std::filesystem::create_directories(std::filesystem::u8path(game_.path()));
    oldWorkingFolder_ = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::u8path(game_.path()));
    UseUserFolder(user_.path());
    logStart_ = testkit::ReadFile(LogFilePath()).size();
}

void FilesTest::TearDown() {
    DiscardAllFileChannels();
    ForgetChosenPaths();
    std::filesystem::current_path(oldWorkingFolder_);
    unsetenv("AEROX_USER_DIR");
    ForgetUserDataDirectory();
}

void FilesTest::UseUserFolder(const std::string& path) {
    setenv("AEROX_USER_DIR", path.c_str(), 1);
    ForgetUserDataDirectory();
}

std::vector<std::string> FilesTest::NewLogLines() { return testkit::LogLinesSince(logStart_); }

}  // namespace files_test
