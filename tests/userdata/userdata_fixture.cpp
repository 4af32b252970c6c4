#include "userdata/userdata_fixture.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "runtime/errors.h"
#include "userdata/userdata.h"

namespace userdata_test {

namespace {
// This program's engine log is its own: other test programs running at the
// same time rewrite the shared one. Set before anything reads TMPDIR.
struct PrivateTempDirectory {
    PrivateTempDirectory() {
        const char* base = std::getenv("TMPDIR");
        path = std::string(base != nullptr && base[0] != '\0' ? base : "/tmp") + "/aerox-userdata-XXXXXX";
        if (mkdtemp(path.data()) != nullptr) setenv("TMPDIR", path.c_str(), 1);
    }
    ~PrivateTempDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::string path;
} g_privateTemp;
}  // namespace

void UserFolderTest::SetUp() {
    ReleaseUserData();
    setenv("AEROX_USER_DIR", folder_.path().c_str(), 1);
    logStart_ = testkit::ReadFile(LogFilePath()).size();
}

void UserFolderTest::TearDown() {
    ReleaseUserData();
    unsetenv("AEROX_USER_DIR");
}

std::vector<std::string> UserFolderTest::LogLinesAboutFolder() const {
    const std::string log = testkit::ReadFile(LogFilePath());
    std::vector<std::string> lines;
    size_t start = std::min(logStart_, log.size());
    while (start < log.size()) {
        size_t end = log.find("\r\n", start);
        if (end == std::string::npos) end = log.size();
        const std::string line = log.substr(start, end - start);
        if (line.find(folder_.path()) != std::string::npos) lines.push_back(line);
        start = end + 2;
    }
    return lines;
}

std::vector<std::string> UserFolderTest::Names(const std::string& prefix) const {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(folder_.path(), error)) {
        const std::string name = item.path().filename().string();
        if (name.rfind(prefix, 0) == 0) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace userdata_test
