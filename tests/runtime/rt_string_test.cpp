#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "aerox/aerox.h"
#include "testkit/testkit.h"

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

std::string Str(const RtString& s) { return std::string(s.Text(), s.Length()); }

}  // namespace

TEST(RtString, NewValueIsEmptyAndOwnsNothing) {
    RtString s;
    EXPECT_EQ(s.Length(), 0u);
    EXPECT_EQ(s.Capacity(), 0u);
    EXPECT_STREQ(s.Text(), "");
    EXPECT_STREQ(s.SystemText(), "");
}

TEST(RtString, EmptyValuesShareOneText) {
    RtString a, b;
    EXPECT_EQ(a.Text(), b.Text());
    RtString moved("abc");
    RtString taker(std::move(moved));
    EXPECT_EQ(moved.Text(), a.Text());  // NOLINT: a moved-from value is the empty value
    EXPECT_EQ(moved.Capacity(), 0u);
    EXPECT_EQ(Str(taker), "abc");
}

TEST(RtString, CapacityGrowsInStepsOf512) {
    RtString s;
    s = std::string(511, 'a').c_str();
    EXPECT_EQ(s.Capacity(), 512u);
    s = std::string(512, 'b').c_str();
    EXPECT_EQ(s.Capacity(), 1024u);
    EXPECT_EQ(s.Length(), 512u);
    // Never shrinks.
    s = "x";
    EXPECT_EQ(s.Capacity(), 1024u);
    EXPECT_EQ(Str(s), "x");

    RtString r;
    r.Reserve(0);
    EXPECT_EQ(r.Capacity(), 512u);
    r.Reserve(511);
    EXPECT_EQ(r.Capacity(), 512u);
    r.Reserve(512);
    EXPECT_EQ(r.Capacity(), 1024u);
    r.Reserve(1535);
    EXPECT_EQ(r.Capacity(), 1536u);

    // Assigning even the empty text takes a buffer; a number takes one
    // 512-byte buffer.
    RtString e;
    e = "";
    EXPECT_EQ(e.Capacity(), 512u);
    EXPECT_EQ(RtString(12345).Capacity(), 512u);
    EXPECT_EQ(NumberText(1.5).Capacity(), 512u);
}

TEST(RtString, AppendKeepsTextAcrossGrowth) {
    RtString s;
    std::string expected;
    for (int i = 0; i < 300; ++i) {
        s += "abc";
        s += i;
        expected += "abc" + std::to_string(i);
    }
    EXPECT_EQ(Str(s), expected);
    EXPECT_EQ(s.Capacity() % 512, 0u);
    EXPECT_GT(s.Capacity(), s.Length());
    EXPECT_EQ(s.Capacity(), (s.Length() & ~511u) + 512u);
}

TEST(RtString, AppendOfItselfAcrossAGrowthStep) {
    RtString s(std::string(300, 'q').c_str());
    s += "!";
    s += s;  // 602 characters: the buffer moves while it is the source
    EXPECT_EQ(s.Length(), 602u);
    EXPECT_EQ(Str(s), std::string(300, 'q') + "!" + std::string(300, 'q') + "!");
    EXPECT_EQ(s.Capacity(), 1024u);

    RtString t(std::string(400, 'z').c_str());
    t += t.Text() + 100;  // a tail of itself, 300 characters
    EXPECT_EQ(Str(t), std::string(700, 'z'));

    RtString u("abc");
    u = u.Text() + 1;  // a part of itself
    EXPECT_EQ(Str(u), "bc");
    u = u;  // NOLINT: assigning itself keeps it
    EXPECT_EQ(Str(u), "bc");
}

TEST(RtString, NumberTextForms) {
    EXPECT_EQ(Str(NumberText(0.0)), "0");
    EXPECT_EQ(Str(NumberText(3.0)), "3");
    EXPECT_EQ(Str(NumberText(5.0)), "5");
    EXPECT_EQ(Str(NumberText(-12.0)), "-12");
    EXPECT_EQ(Str(NumberText(1000000.0)), "1000000");
    EXPECT_EQ(Str(NumberText(12345.678)), "12345.678");
    EXPECT_EQ(Str(NumberText(1234567890.0)), "1234567890");
    EXPECT_EQ(Str(NumberText(9999999999.0)), "9999999999");
    EXPECT_EQ(Str(NumberText(1.5)), "1.5");
    EXPECT_EQ(Str(NumberText(-0.25)), "-0.25");
    EXPECT_EQ(Str(NumberText(100.0)), "100");  // trailing zeros of an integer stay
    // Ten significant digits, rounded.
    EXPECT_EQ(Str(NumberText(1.0 / 3.0)), "0.3333333333");
    EXPECT_EQ(Str(NumberText(2.0 / 3.0)), "0.6666666667");
    EXPECT_EQ(Str(NumberText(123456.7891234)), "123456.7891");
    // Beyond ten digits the exponent form keeps ten significant digits.
    EXPECT_EQ(Str(NumberText(12345678901.0)), "1.23456789e+10");
    EXPECT_EQ(Str(NumberText(1e10)), "1e+10");
    // 32-bit floats go through the same rule.
    EXPECT_EQ(Str(NumberText(0.5f)), "0.5");
    EXPECT_EQ(Str(NumberText(-3.0f)), "-3");
    // Texts for numbers that are not finite are defined and short.
    EXPECT_GT(NumberText(kNaN).Length(), 0u);
    EXPECT_GT(NumberText(kInf).Length(), 0u);
    EXPECT_LT(NumberText(-kInf).Length(), 8u);
    EXPECT_LT(NumberText(-1.7976931348623157e308).Length(), 20u);
}

TEST(RtString, NumberLength) {
    EXPECT_EQ(NumberLength(0), 1);
    EXPECT_EQ(NumberLength(12345), 5);
    EXPECT_EQ(NumberLength(-12), 3);
    EXPECT_EQ(NumberLength(1.5), 3);
}

TEST(RtString, IntegerText) {
    EXPECT_EQ(Str(RtString(0)), "0");
    EXPECT_EQ(Str(RtString(-42)), "-42");
    EXPECT_EQ(Str(RtString(INT_MIN)), "-2147483648");
    RtString s("old text");
    s = 77;
    EXPECT_EQ(Str(s), "77");
    EXPECT_EQ(s.Length(), 2u);
    s = 2.5;
    EXPECT_EQ(Str(s), "2.5");
    s = 0.75f;
    EXPECT_EQ(Str(s), "0.75");
}

TEST(RtString, ConcatenationOfEveryOperandPair) {
    const RtString x("x");
    EXPECT_EQ(Str(x + x), "xx");
    EXPECT_EQ(Str(x + "t"), "xt");
    EXPECT_EQ(Str("t" + x), "tx");
    EXPECT_EQ(Str(x + 7), "x7");
    EXPECT_EQ(Str(x + 2.5f), "x2.5");
    EXPECT_EQ(Str(x + 1.25), "x1.25");
    EXPECT_EQ(Str(7 + x), "7x");
    EXPECT_EQ(Str(2.5f + x), "2.5x");
    EXPECT_EQ(Str(1.25 + x), "1.25x");
    EXPECT_EQ(Str(Concat("a", "b")), "ab");
    EXPECT_EQ(Str(Concat("Score: ", 1230.0)), "Score: 1230");
    EXPECT_EQ(Str(Concat("n", -3)), "n-3");
    EXPECT_EQ(Str(Concat("f", 0.5f)), "f0.5");
    EXPECT_EQ(Str(Concat(-3, "n")), "-3n");
    EXPECT_EQ(Str(Concat(0.5f, "f")), "0.5f");
    EXPECT_EQ(Str(Concat(10.0, "d")), "10d");
    // Appending every operand kind.
    RtString s;
    s += "a";
    s += x;
    s += 1;
    s += 2.5f;
    s += 3.0;
    EXPECT_EQ(Str(s), "ax12.53");
}

TEST(RtString, TextComparisonsUseUnsignedBytes) {
    const RtString abc("abc"), abd("abd"), empty;
    EXPECT_EQ(abc < abd, 1.0);
    EXPECT_EQ(abc > abd, 0.0);
    EXPECT_EQ(abc <= abc, 1.0);
    EXPECT_EQ(abc >= abd, 0.0);
    EXPECT_EQ(abc == "abc", 1.0);
    EXPECT_EQ(abc != "abc", 0.0);
    EXPECT_EQ("abd" > abc, 1.0);
    EXPECT_EQ("ab" < abc, 1.0);
    EXPECT_EQ(empty == "", 1.0);
    EXPECT_EQ(empty < abc, 1.0);
    // Bytes above 127 sort after the letters.
    EXPECT_EQ(RtString("\xe9") > RtString("z"), 1.0);
    EXPECT_EQ(Compare(Relation::Less, "z", "\xe9"), 1.0);
    // Two texts compare as texts, not as numbers.
    EXPECT_EQ(RtString("10") > RtString("9"), 0.0);
    EXPECT_EQ(RtString("10") > "9", 0.0);
    EXPECT_GT(CompareThreeWay(abd, abc), 0);
    EXPECT_LT(CompareThreeWay(abc, "abd"), 0);
    EXPECT_EQ(CompareThreeWay(empty, ""), 0);
}

TEST(RtString, TextAgainstNumberComparesNumerically) {
    const RtString ten("10");
    EXPECT_EQ(ten > 9, 1.0);
    EXPECT_EQ(ten > 9.0, 1.0);
    EXPECT_EQ(ten > 9.0f, 1.0);
    EXPECT_EQ(9 < ten, 1.0);
    EXPECT_EQ(9.0 < ten, 1.0);
    EXPECT_EQ(9.0f < ten, 1.0);
    EXPECT_EQ(ten == 10, 1.0);
    EXPECT_EQ(ten != 10.0, 0.0);
    EXPECT_EQ(ten <= 10.0f, 1.0);
    EXPECT_EQ(ten >= 11, 0.0);
    EXPECT_EQ(10.5 >= ten, 1.0);
    EXPECT_EQ(Compare(Relation::Greater, "10", 9.0), 1.0);
    EXPECT_EQ(Compare(Relation::Less, 9.0, "10"), 1.0);
    // A text that is no number reads as 0.
    EXPECT_EQ(RtString("x") == 0, 1.0);
    EXPECT_EQ(RtString() == 0.0, 1.0);
    EXPECT_EQ(RtString("12abc") == 12, 1.0);
    EXPECT_EQ(RtString("  -2.5e1") == -25.0, 1.0);
    // NaN holds no relation but <>.
    EXPECT_EQ(RtString("1") == kNaN, 0.0);
    EXPECT_EQ(RtString("1") < kNaN, 0.0);
    EXPECT_EQ(RtString("1") != kNaN, 1.0);
    EXPECT_EQ(CompareThreeWay(RtString("5"), 3.0), 1);
    EXPECT_EQ(CompareThreeWay(RtString("3"), 3.0), 0);
    EXPECT_EQ(CompareThreeWay(RtString("2.5"), 3.0), -1);
    EXPECT_EQ(ToNumber(RtString("42.5")), 42.5);
    EXPECT_EQ(ToNumber(""), 0.0);
}

TEST(RtString, MidLimits) {
    const RtString hello("HELLO");
    EXPECT_EQ(Str(Mid(hello, 1, 3)), "ELL");
    EXPECT_EQ(Str(Mid(hello, 0, 5)), "HELLO");
    EXPECT_EQ(Str(Mid(hello, 3, 10)), "LO");
    EXPECT_EQ(Str(Mid(hello, 4, 1)), "O");
    EXPECT_EQ(Str(Mid(hello, 1.9, 2.9)), "EL");  // start and count truncated
    EXPECT_EQ(Str(Mid(hello, -1, 3)), "");
    EXPECT_EQ(Str(Mid(hello, 5, 1)), "");
    EXPECT_EQ(Str(Mid(hello, 6, 1)), "");
    for (double start : {-5.0, 0.0, 2.0, 5.0, 100.0}) EXPECT_EQ(Str(Mid(hello, start, 0)), "") << start;
    EXPECT_EQ(Str(Mid(RtString(), 0, 3)), "");
    // An end past the text takes the rest measured from the untruncated start.
    EXPECT_EQ(Str(Mid(hello, 1.5, 10)), "ELL");
    const RtString part = Mid(hello, 1, 2);
    EXPECT_EQ(part.Length(), 2u);
    EXPECT_EQ(part.Capacity(), 512u);
}

TEST(RtString, MidWithBadArguments) {
    const RtString hello("HELLO");
    // A negative count is nothing, never the rest of the text.
    EXPECT_EQ(Str(Mid(hello, 1, -3)), "");
    EXPECT_EQ(Str(Mid(hello, 0, -1)), "");
    EXPECT_EQ(Str(Mid(hello, 2, -1e300)), "");
    EXPECT_EQ(Str(Mid(hello, kNaN, 2)), "");
    EXPECT_EQ(Str(Mid(hello, 1, kNaN)), "");
    EXPECT_EQ(Str(Mid(hello, 1, kInf)), "ELLO");
    EXPECT_EQ(Str(Mid(hello, 0, 1e300)), "HELLO");
    EXPECT_EQ(Str(Mid(hello, 3, 4294967296.0 + 1)), "LO");
    EXPECT_EQ(Str(Mid(hello, kInf, 1)), "");
    EXPECT_EQ(Str(Mid(hello, -kInf, kInf)), "");
    EXPECT_EQ(Str(Mid(hello, 1e300, 1e300)), "");
    EXPECT_EQ(Str(Mid(hello, -4294967296.0, 4294967298.0)), "");
}

TEST(RtString, LowerCaseTouchesOnlyCapitals) {
    const RtString s("AbC-Z@[`\xc4z");
    EXPECT_EQ(Str(LowerCase(s)), "abc-z@[`\xc4z");
    EXPECT_EQ(Str(s), "AbC-Z@[`\xc4z");
    EXPECT_EQ(Str(LowerCase(RtString())), "");
}

TEST(RtString, CharacterReadWriteAndTruncate) {
    RtString s("HELLO");
    EXPECT_EQ(s.CharAt(0), 'H');
    EXPECT_EQ(s.CharAt(4), 'O');
    EXPECT_EQ(RtString().CharAt(0), 0);
    EXPECT_EQ(RtString("\xff").CharAt(0), -1);  // a signed byte
    s.SetChar(1, 'A');
    EXPECT_EQ(Str(s), "HALLO");
    s.Truncate(2);
    EXPECT_EQ(Str(s), "HA");
    EXPECT_EQ(s.Length(), 2u);
    EXPECT_EQ(s.Capacity(), 512u);
    // Writing a NUL leaves the length as it was.
    RtString n("abc");
    n.SetChar(1, '\0');
    EXPECT_EQ(n.Length(), 3u);
    EXPECT_STREQ(n.Text(), "a");
}

TEST(RtString, CharacterAccessOutsideTheTextIsRefused) {
    RtString s("HELLO");
    EXPECT_EQ(s.CharAt(5), 0);
    EXPECT_EQ(s.CharAt(-1), 0);
    EXPECT_EQ(s.CharAt(INT64_MAX), 0);
    s.SetChar(5, 'X');
    s.SetChar(-1, 'X');
    s.SetChar(100000, 'X');
    EXPECT_EQ(Str(s), "HELLO");
    s.Truncate(10);
    s.Truncate(-1);
    EXPECT_EQ(Str(s), "HELLO");
    RtString empty;
    empty.SetChar(0, 'X');
    empty.Truncate(0);
    EXPECT_EQ(empty.Capacity(), 0u);
    EXPECT_STREQ(empty.Text(), "");
}

TEST(RtString, WritableBufferAndLengthFixUp) {
    RtString s;
    char* buffer = s.WritableBuffer(100);
    EXPECT_EQ(s.Capacity(), 512u);
    std::strcpy(buffer, "from the system");
    EXPECT_EQ(s.Length(), 0u);
    s.FixLength();
    EXPECT_EQ(Str(s), "from the system");
    buffer = s.WritableBuffer(4);
    buffer[0] = '\0';
    s.FixLength();
    EXPECT_EQ(s.Length(), 0u);
    RtString never;
    never.FixLength();
    EXPECT_EQ(never.Length(), 0u);
    // The system reports an empty text through its own static text.
    EXPECT_STREQ(s.SystemText(), "");
}

TEST(RtString, BufferFilledWithoutTerminatorStaysTerminated) {
    RtString s;
    char* buffer = s.WritableBuffer(10);
    std::memset(buffer, 'x', s.Capacity());  // every byte, no NUL
    s.FixLength();
    EXPECT_EQ(s.Length(), 511u);
    EXPECT_EQ(std::strlen(s.Text()), 511u);

    RtString t;
    buffer = t.WritableBuffer(10);
    std::memset(buffer, 'y', t.Capacity());
    t.Reserve(600);  // growing copies no more than the old buffer held
    EXPECT_EQ(t.Capacity(), 1024u);
    t.FixLength();
    EXPECT_EQ(t.Length(), 512u);
    EXPECT_EQ(Str(t), std::string(512, 'y'));
}

TEST(RtString, GrowthBeyondOneGibibyteEndsWithCode7) {
    EXPECT_EQ(testkit::ExpectProgramEnd([] {
                  RtString s;
                  s.Reserve(1u << 30);
              }),
              7);
    // The capacity rule must not wrap around to a tiny buffer.
    EXPECT_EQ(testkit::ExpectProgramEnd([] {
                  RtString s;
                  s.WritableBuffer(0xFFFFFFFFu);
              }),
              7);
}
