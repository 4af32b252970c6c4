// The file channels: modes, lines, bytes, numbers, positions, and every
// misuse costing its failure value and one log line.
#include <cmath>
#include <functional>
#include <limits>

#include "aerox/aerox.h"
#include "files/files_fixture.h"

namespace {

using files_test::FilesTest;
using Channels = FilesTest;

TEST_F(Channels, LinesBytesAndNumbersComeBackAsWritten) {
    ASSERT_EQ(OpenToWrite(7, "mixed.bin"), 1);
    EXPECT_EQ(WriteLine(7, "first line"), 1);
    EXPECT_EQ(WriteLine(7, ""), 1);
    EXPECT_EQ(WriteByte(7, 0), 1);
    EXPECT_EQ(WriteByte(7, 255.9), 1);
    const double numbers[] = {0.0, -1.5, 1e300, std::numeric_limits<double>::infinity(), 5e-324};
    for (const double n : numbers) EXPECT_EQ(WriteNumber(7, n), 1);
    EXPECT_EQ(FilePosition(7), 12 + 2 + 8 * 5);
    EXPECT_EQ(FileLength(7), 12 + 2 + 8 * 5);
    ASSERT_EQ(CloseFile(7), 1);
    // Little-endian IEEE: 1.0 is 00 .. 00 F0 3F.
    const std::string bytes = testkit::ReadFile(User("mixed.bin"));
    ASSERT_EQ(bytes.size(), 54u);
    EXPECT_EQ(bytes.substr(22, 8), std::string("\0\0\0\0\0\0\xF8\xBF", 8));  // -1.5

    ASSERT_EQ(OpenToRead(255, "mixed.bin"), 1);
    EXPECT_EQ(EndOfFile(255), 0);
    EXPECT_STREQ(ReadLine(255).Text(), "first line");
    EXPECT_STREQ(ReadLine(255).Text(), "");
    EXPECT_EQ(ReadByte(255), 0);
    EXPECT_EQ(ReadByte(255), 255);
    for (const double n : numbers) EXPECT_EQ(ReadNumber(255), n);
    EXPECT_EQ(EndOfFile(255), 1);
    EXPECT_EQ(ReadByte(255), -1);
    EXPECT_EQ(SeekFile(255, 11), 1);
    EXPECT_EQ(FilePosition(255), 11);
    EXPECT_EQ(ReadByte(255), '\n');
    EXPECT_EQ(CloseFile(255), 1);
}

TEST_F(Channels, LineEndsAndTheLastLineWithoutOne) {
    testkit::WriteFile(User("ends.txt"), "dos\r\nunix\nbare\rcr\n\r\nlast");
    ASSERT_EQ(OpenToRead(0, "ends.txt"), 1);
    for (const char* line : {"dos", "unix", "bare\rcr", "", "last"}) EXPECT_STREQ(ReadLine(0).Text(), line);
    EXPECT_EQ(EndOfFile(0), 1);
    NewLogLines();
    EXPECT_STREQ(ReadLine(0).Text(), "");
    EXPECT_EQ(NewLogLines().size(), 1u);
}

TEST_F(Channels, AppendingAddsToTheEnd) {
    testkit::WriteFile(User("log.txt"), "one\n");
    ASSERT_EQ(OpenToAppend(0, "log.txt"), 1);
    WriteLine(0, "two");
    EXPECT_EQ(FilePosition(0), 8);
    ASSERT_EQ(CloseFile(0), 1);
    ASSERT_EQ(OpenToAppend(0, "new.txt"), 1);
    WriteLine(0, "made");
    ASSERT_EQ(CloseFile(0), 1);
    EXPECT_EQ(testkit::ReadFile(User("log.txt")), "one\ntwo\n");
    EXPECT_EQ(testkit::ReadFile(User("new.txt")), "made\n");
}

TEST_F(Channels, MisuseGivesTheFailureValueAndOneLogLine) {
    testkit::WriteFile(User("in.txt"), "text\n");
    ASSERT_EQ(OpenToRead(1, "in.txt"), 1);
    ASSERT_EQ(OpenToWrite(2, "out.txt"), 1);
    const struct {
        const char* what;
        std::function<double()> run;
        double failure;
    } kMisuse[] = {
        {"channel -1", [] { return OpenToRead(-1, "in.txt"); }, 0},
        {"channel 256", [] { return OpenToWrite(256, "x.txt"); }, 0},
        {"channel NaN", [] { return ReadByte(std::nan("")); }, -1},
        {"channel in use", [] { return OpenToRead(1, "in.txt"); }, 0},
        {"missing file", [] { return OpenToRead(3, "missing.txt"); }, 0},
        {"folder missing", [] { return OpenToWrite(3, "no/such/folder.txt"); }, 0},
        {"closed close", [] { return CloseFile(3); }, 0},
        {"closed read", [] { return ReadByte(3); }, -1},
        {"closed line", [] { return static_cast<double>(ReadLine(3).Length()); }, 0},
        {"closed end", [] { return EndOfFile(3); }, 1},
        {"closed position", [] { return FilePosition(3); }, -1},
        {"closed length", [] { return FileLength(3); }, -1},
        {"closed seek", [] { return SeekFile(3, 0); }, 0},
        {"closed write", [] { return WriteLine(3, "x"); }, 0},
        {"write to reader", [] { return WriteLine(1, "x"); }, 0},
        {"byte to reader", [] { return WriteByte(1, 1); }, 0},
        {"number to reader", [] { return WriteNumber(1, 1); }, 0},
        {"read from writer", [] { return ReadByte(2); }, -1},
        {"line from writer", [] { return static_cast<double>(ReadLine(2).Length()); }, 0},
        {"number from writer", [] { return ReadNumber(2); }, 0},
        {"byte out of range", [] { return WriteByte(2, 256); }, 0},
        {"negative byte", [] { return WriteByte(2, -1); }, 0},
        {"seek past the end", [] { return SeekFile(1, 6); }, 0},
        {"seek before the start", [] { return SeekFile(1, -1); }, 0},
        {"number past the end",
         [] {
             SeekFile(1, 2);
             return ReadNumber(1);
         },
         0},
    };
    for (const auto& misuse : kMisuse) {
        NewLogLines();
        EXPECT_EQ(misuse.run(), misuse.failure) << misuse.what;
        EXPECT_EQ(NewLogLines().size(), 1u) << misuse.what;
    }
    // The channels misused are still fine.
    EXPECT_EQ(SeekFile(1, 0), 1);
    EXPECT_STREQ(ReadLine(1).Text(), "text");
    EXPECT_EQ(WriteLine(2, "fine"), 1);
    EXPECT_EQ(CloseFile(2), 1);
    EXPECT_EQ(testkit::ReadFile(User("out.txt")), "fine\n");
}

// Two channels writing one file at once each get a temporary of their own
// (made in the same millisecond, where the browser's temporary names once
// came out equal); the file is whole at each CloseFile, the last one wins.
TEST_F(Channels, TwoWritersOfOneFileAtOnceEachReplaceItWhole) {
    const std::string path = User("both.txt");
    for (int round = 0; round < 50; ++round) {
        ASSERT_EQ(OpenToWrite(0, "both.txt"), 1) << "round " << round;
        ASSERT_EQ(OpenToWrite(1, "both.txt"), 1) << "round " << round;
        WriteLine(0, "first");
        WriteLine(1, "second");
        ASSERT_EQ(CloseFile(0), 1);
        EXPECT_EQ(testkit::ReadFile(path), "first\n");
        ASSERT_EQ(CloseFile(1), 1);
        EXPECT_EQ(testkit::ReadFile(path), "second\n");
    }
}

TEST_F(Channels, AFileRemovedWhileOpenIsStillReadToItsEnd) {
    testkit::WriteFile(User("going.txt"), "first\nsecond\n");
    ASSERT_EQ(OpenToRead(0, "going.txt"), 1);
    EXPECT_STREQ(ReadLine(0).Text(), "first");
    // POSIX removes the name and keeps the open file; Windows refuses.
    RemoveFile("going.txt");
    EXPECT_STREQ(ReadLine(0).Text(), "second");
    EXPECT_EQ(EndOfFile(0), 1);
    EXPECT_EQ(CloseFile(0), 1);
}

TEST_F(Channels, ATenMegabyteLineIsCutAtOneMebibyte) {
    std::string big(10u << 20, 'x');
    big += "\r\nafter\n";
    testkit::WriteFile(User("big.txt"), big);
    ASSERT_EQ(OpenToRead(0, "big.txt"), 1);
    NewLogLines();
    const RtString line = ReadLine(0);
    EXPECT_EQ(line.Length(), 1u << 20);
    EXPECT_EQ(NewLogLines().size(), 1u);
    EXPECT_STREQ(ReadLine(0).Text(), "after");
    EXPECT_EQ(EndOfFile(0), 1);
}

TEST_F(Channels, ABinaryFileReadAsLinesGivesNoZeroBytes) {
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 131) & 0xff);
    testkit::WriteFile(User("binary.dat"), binary);
    ASSERT_EQ(OpenToRead(0, "binary.dat"), 1);
    NewLogLines();
    size_t lines = 0, logged = 0;
    // Bounded: a file of 4096 bytes has at most 4097 lines.
    while (EndOfFile(0) == 0 && lines < 5000) {
        const RtString line = ReadLine(0);
        EXPECT_EQ(std::string(line.Text()).size(), line.Length());
        ++lines;
    }
    logged = NewLogLines().size();
    EXPECT_EQ(EndOfFile(0), 1);
    EXPECT_GT(logged, 0u);  // each line holding a zero byte is said once
    EXPECT_LE(logged, lines);
}

}  // namespace
