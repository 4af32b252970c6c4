#include <gtest/gtest.h>

#include "commands.h"

TEST(RtString, NewValueIsEmptyAndOwnsNothing) {
    RtString s;
    EXPECT_EQ(s.Length(), 0u);
    EXPECT_EQ(s.Capacity(), 0u);
    EXPECT_STREQ(s.Text(), "");
}

TEST(RtString, NumberTextUsesTenSignificantDigits) {
    EXPECT_STREQ(NumberText(0.0).Text(), "0");
    EXPECT_STREQ(NumberText(3.0).Text(), "3");
    EXPECT_STREQ(NumberText(-12.0).Text(), "-12");
    EXPECT_STREQ(NumberText(12345.678).Text(), "12345.678");
    EXPECT_STREQ(NumberText(1234567890.0).Text(), "1234567890");
    EXPECT_STREQ(NumberText(1.5).Text(), "1.5");
}
