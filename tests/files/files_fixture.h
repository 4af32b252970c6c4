// The two folders of the file commands for each test: a per-user folder
// (AEROX_USER_DIR) and a game folder (the working folder), both fresh, and
// a look at the log lines the test wrote.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "testkit/testkit.h"

namespace files_test {

class FilesTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Points the per-user folder somewhere else (a child process's).
    void UseUserFolder(const std::string& path);
    // The log lines written since SetUp (or the last call).
    std::vector<std::string> NewLogLines();
    std::string User(const std::string& name) const { return user_.File(name); }
    std::string Game(const std::string& name) const { return game_.File(name); }

    // Two folders in one temporary one: the browser's clock is too coarse
    // for two temporary names made in the same millisecond.
    struct Folder {
        std::string at;
        const std::string& path() const { return at; }
        std::string File(const std::string& name) const { return at + "/" + name; }
    };
    testkit::TempFolder both_;
    Folder user_{both_.File("user")};
    Folder game_{both_.File("game")};

private:
    std::filesystem::path oldWorkingFolder_;
    size_t logStart_ = 0;
};

}  // namespace files_test
