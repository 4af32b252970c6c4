// A per-user folder of its own for each test, and a look at what the test
// wrote to the engine log.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "testkit/testkit.h"

namespace userdata_test {

class UserFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // The log lines written since SetUp that name this test's folder (the
    // log is shared with whatever else runs on the machine).
    std::vector<std::string> LogLinesAboutFolder() const;
    // Names in the folder that start with prefix, sorted.
    std::vector<std::string> Names(const std::string& prefix) const;
    std::string File(const std::string& name) const { return folder_.File(name); }

    testkit::TempFolder folder_;
    size_t logStart_ = 0;
};

}  // namespace userdata_test
