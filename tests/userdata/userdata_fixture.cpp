#include "userdata/userdata_fixture.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "runtime/errors.h"
#include "userdata/userdata.h"

namespace userdata_test {

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
