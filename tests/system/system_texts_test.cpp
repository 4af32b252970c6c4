// The texts the system commands read: argument lists, call signatures,
// dialog filters, web addresses and Windows command lines.
#include <gtest/gtest.h>

#include "system/address_open.h"
#include "system/argument_split.h"
#include "system/call_signature.h"
#include "system/dialog_filter.h"
#include "system/windows_command_line.h"

namespace {

using Strings = std::vector<std::string>;

TEST(SystemTexts, ArgumentsSplitAtSpacesOutsideQuotes) {
    const struct {
        const char* text;
        Strings arguments;
    } cases[] = {
        {"", {}},
        {"   ", {}},
        {"a b  c", {"a", "b", "c"}},
        {"\"two words\" x", {"two words", "x"}},
        {"\"\" x \"\"", {"", "x", ""}},
        {"say\\\"hi\\\"", {"say\"hi\""}},
        {"C:\\dir\\file", {"C:\\dir\\file"}},
        {"\"trail\\\\\"", {"trail\\"}},
        {"ab\"c d\"e", {"abc de"}},
        {"\"unclosed quote", {"unclosed quote"}},
        {"tab\there", {"tab\there"}},
        {"ünï ✓", {"ünï", "✓"}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitArguments(c.text), c.arguments) << c.text;
}

TEST(SystemTexts, CallSignatures) {
    const struct {
        const char* text;
        bool ok;
        size_t arguments;
    } cases[] = {
        {"d:d", true, 1}, {"v:", true, 0},      {"i:ss", true, 2},     {"d:dddd", true, 4},  {"i:idsd", true, 4},
        {"d:ddddd", false, 0}, {"x:", false, 0}, {"s:d", false, 0}, {"d:v", false, 0}, {"d", false, 0},
        {"", false, 0},        {"dd", false, 0}, {":d", false, 0},  {"d:x", false, 0}, {"d;d", false, 0},
    };
    for (const auto& c : cases) {
        CallSignature signature;
        std::string why;
        EXPECT_EQ(ParseCallSignature(c.text, signature, why), c.ok) << c.text;
        EXPECT_EQ(signature.arguments.size(), c.ok ? c.arguments : 0) << c.text;
        EXPECT_EQ(why.empty(), c.ok) << c.text;
    }
}

TEST(SystemTexts, DialogFilters) {
    auto patterns = [](const std::string& text) {
        std::vector<std::string> out;
        for (const DialogFilter& f : ParseDialogFilter(text)) {
            std::string joined = f.name + "=";
            for (const std::string& p : f.patterns) joined += p + ",";
            out.push_back(joined);
        }
        return out;
    };
    EXPECT_EQ(patterns("Levels|*.lvl;*.txt"), Strings({"Levels=*.lvl,*.txt,"}));
    EXPECT_EQ(patterns("Levels|*.lvl|All|*"), Strings({"Levels=*.lvl,", "All=*,"}));
    EXPECT_EQ(patterns("*.png"), Strings({"*.png=*.png,"}));
    EXPECT_EQ(patterns(""), Strings());
    EXPECT_EQ(patterns("Nothing||Odd"), Strings()) << "pairs without patterns are left out";
    EXPECT_EQ(patterns(" Pics | *.png ; *.bmp ;"), Strings({"Pics=*.png,*.bmp,"}));
}

TEST(SystemTexts, OnlyWebAddressesAreOpened) {
    const struct {
        std::string url;
        bool ok;
    } cases[] = {
        {"http://example.invalid/", true},
        {"HTTPS://example.invalid/a?b=c#d", true},
        {"https://", false},
        {"file:///etc/passwd", false},
        {"javascript:alert(1)", false},
        {"--help", false},
        {"http://a b", false},
        {"http://a\nb", false},
        {"ftp://example.invalid", false},
        {"http://" + std::string(2100, 'a'), false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsOpenableAddress(c.url), c.ok) << c.url;
}

TEST(SystemTexts, BatchProgramsAreKnownByTheirEnding) {
    for (const char* name : {"run.bat", "RUN.CMD", "dir\\x.Bat", "x.bat.", "x.cmd  "}) EXPECT_TRUE(IsBatchProgram(name)) << name;
    for (const char* name : {"run.exe", "bat", "x.batch", "cmd", ""}) EXPECT_FALSE(IsBatchProgram(name)) << name;
}

TEST(SystemTexts, WindowsQuotingLeavesPlainArgumentsAlone) {
    EXPECT_EQ(QuoteWindowsArgument("plain"), "plain");
    EXPECT_EQ(QuoteWindowsArgument("C:\\dir\\"), "C:\\dir\\") << "no quote follows: backslashes stay single";
    EXPECT_EQ(QuoteWindowsArgument(""), "\"\"");
    EXPECT_EQ(QuoteWindowsArgument("a b\\"), "\"a b\\\\\"");
    EXPECT_EQ(QuoteWindowsArgument("x\\\"y"), "\"x\\\\\\\"y\"");
}

}  // namespace
