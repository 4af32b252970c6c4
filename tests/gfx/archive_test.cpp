// Resolving asset names: files on disk first, then entries of the "sbX"
// archive unpacked into a temporary file.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <future>

#include "gfx/archive.h"
#include "gfx/data_resolver.h"
#include "runtime/temp_dir.h"
#include "testkit/gfx_files.h"
#include "testkit/testkit.h"

using testkit::ArchiveFile;

namespace {

bool Exists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

struct ArchiveSetup {
    testkit::TempFolder folder;
    DataResolver resolver;
    explicit ArchiveSetup(const std::string& bytes) {
        testkit::WriteFile(folder.File("game.dat"), bytes);
        resolver.archivePath = folder.File("game.dat");
    }
    ~ArchiveSetup() {
        if (!resolver.tempFile.empty()) std::remove(resolver.tempFile.c_str());
    }
};

const std::string kShot = "shot picture bytes, shot picture bytes, shot picture bytes";

}  // namespace

TEST(DataArchive, ServesAMissingFileThroughATemporaryFileDeletedAtTheNextLookup) {
    for (bool negative : {false, true}) {
        ArchiveSetup setup(testkit::ArchiveBytes({{"other.wav", "xyz"}, {"shot.bmp", kShot}}, negative));
        std::string resolved;
        ASSERT_TRUE(ResolveDataFile(setup.resolver, setup.folder.File("data/SHOT.BMP"), resolved));
        // "~sbx" + 'A' + data position % 26 + 'A' + stored size % 26 + the entry's name.
        ASSERT_EQ(resolved.rfind(TempDirectory() + "~sbx", 0), 0u) << resolved;
        EXPECT_EQ(resolved.substr(resolved.size() - 8), "shot.bmp");
        EXPECT_EQ(resolved.size(), TempDirectory().size() + 4 + 2 + 8);
        EXPECT_EQ(testkit::ReadFile(resolved), kShot);

        std::string again;
        ASSERT_TRUE(ResolveDataFile(setup.resolver, "data\\other.wav", again));
        EXPECT_FALSE(Exists(resolved)) << "the previous temporary file is deleted";
        EXPECT_EQ(testkit::ReadFile(again), "xyz");
        EXPECT_FALSE(ResolveDataFile(setup.resolver, "data/none.bmp", again));
        EXPECT_TRUE(again.empty());
        EXPECT_TRUE(setup.resolver.enabled) << "a valid archive without the name stays enabled";
    }
}

TEST(DataArchive, TemporaryFileNameCarriesThePositionAndSizeLetters) {
    ArchiveSetup setup(testkit::ArchiveBytes({{"a.bmp", "payload"}}));
    ArchiveEntry entry;
    ASSERT_EQ(ExtractArchiveEntry(setup.resolver.archivePath, "A.BMP", entry), ArchiveResult::Found);
    std::string resolved;
    ASSERT_TRUE(ResolveDataFile(setup.resolver, "a.bmp", resolved));
    const std::string expected = TempDirectory() + "~sbx" + static_cast<char>('A' + entry.dataPosition % 26) +
                                 static_cast<char>('A' + entry.storedSize % 26) + "a.bmp";
    EXPECT_EQ(resolved, expected);
}

TEST(DataArchive, FilesOnDiskComeFirstAndEmptyPathsFail) {
    ArchiveSetup setup(testkit::ArchiveBytes({{"real.bmp", "from the archive"}}));
    testkit::WriteFile(setup.folder.File("real.bmp"), "on disk");
    std::string resolved;
    ASSERT_TRUE(ResolveDataFile(setup.resolver, setup.folder.File("real.bmp"), resolved));
    EXPECT_EQ(resolved, setup.folder.File("real.bmp"));
    EXPECT_TRUE(setup.resolver.tempFile.empty());
    EXPECT_FALSE(ResolveDataFile(setup.resolver, "", resolved));
    EXPECT_TRUE(resolved.empty());
}

// A folder or a named pipe in place of a data file is not a file on disk:
// the lookup passes over it to the archive at once (opening a pipe with no
// writer would wait forever).
TEST(DataArchive, OnlyPlainFilesOnDiskCount) {
    ArchiveSetup setup(testkit::ArchiveBytes({{"pipe.bmp", "from the archive"}, {"dir.bmp", "from the archive"}}));
    ASSERT_EQ(0, mkdir(setup.folder.File("dir.bmp").c_str(), 0755));
    ASSERT_EQ(0, mkfifo(setup.folder.File("pipe.bmp").c_str(), 0644));
    for (const std::string name : {"dir.bmp", "pipe.bmp"}) {
        std::string resolved;
        auto lookup = std::async(std::launch::async, [&] {
            return ResolveDataFile(setup.resolver, setup.folder.File(name), resolved);
        });
        if (lookup.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
            ADD_FAILURE() << name << ": the lookup waits on the pipe";
            // Releases the waiting open so that the test can end.
            const int writer = open(setup.folder.File(name).c_str(), O_WRONLY | O_NONBLOCK);
            lookup.wait();
            if (writer >= 0) close(writer);
            continue;
        }
        EXPECT_TRUE(lookup.get()) << name;
        EXPECT_NE(resolved, setup.folder.File(name)) << name;
        EXPECT_EQ(resolved, setup.resolver.tempFile) << name << ": served from the archive";
    }
}

TEST(DataArchive, HostileEntryNamesAreNeverWritten) {
    const std::string outside = TempDirectory() + "../aerox-escaped.bmp";
    std::remove(outside.c_str());
    // (An empty name cannot be stored: a zero length ends the directory.)
    ArchiveSetup setup(testkit::ArchiveBytes({{"../aerox-escaped.bmp", "evil"},
                                              {"..", "evil"},
                                              {"a..b.bmp", "evil"},
                                              {"dir\\x.bmp", "evil"},
                                              {std::string("nul\0.bmp", 8), "evil"},
                                              {"fine.bmp", "good"}}));
    std::string resolved;
    for (const char* path : {"../aerox-escaped.bmp", "..", "a..b.bmp", "dir\\x.bmp", "x.bmp", "nul"}) {
        EXPECT_FALSE(ResolveDataFile(setup.resolver, path, resolved)) << path;
        EXPECT_TRUE(resolved.empty()) << path;
    }
    EXPECT_FALSE(Exists(outside));
    for (const char* name : {"..", "a..b.bmp", "../aerox-escaped.bmp", "dir\\x.bmp", ""}) {
        ArchiveEntry entry;
        EXPECT_EQ(ExtractArchiveEntry(setup.resolver.archivePath, name, entry), ArchiveResult::NotFound) << name;
    }
    ASSERT_TRUE(ResolveDataFile(setup.resolver, "fine.bmp", resolved)) << "the directory is still read past them";
    EXPECT_EQ(testkit::ReadFile(resolved), "good");
}

TEST(DataArchive, DamagedArchivesFailTheLookup) {
    const std::string good = testkit::ArchiveBytes({{"a.bmp", kShot}});
    const auto withDirectoryPosition = [&](int32_t position) {
        std::string bytes = good;
        for (int i = 0; i < 4; ++i) bytes[bytes.size() - 4 + i] = static_cast<char>((position >> (8 * i)) & 255);
        return bytes;
    };
    const size_t directory = good.size() - 7 - (1 + 5 + 8 + 1);
    std::string farData = good;  // the entry's data position beyond the file
    farData[directory + 6 + 3] = 0x40;
    std::string hugeStored = good;  // stored size beyond the file
    hugeStored[directory + 10 + 3] = 0x10;
    std::string tooBig = good;  // declared unpacked size above 256 MiB
    tooBig[9 + 3] = 0x20;
    std::string noEnd = good.substr(0, directory + 14) + "sbX";  // directory runs off the end
    noEnd += good.substr(good.size() - 4);
    noEnd[directory + 1] = 'b';  // "b.bmp", so that the lookup of "a.bmp" reads on
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"declared size too large", testkit::ArchiveBytes({{"a.bmp", kShot, 1}})},
        {"declared size too small", testkit::ArchiveBytes({{"a.bmp", kShot, -1}})},
        {"declared size above 256 MiB", tooBig},
        {"directory beyond the file", withDirectoryPosition(0x7FFFFFF0)},
        {"directory before the file", withDirectoryPosition(-0x7FFFFFF0)},
        {"data beyond the file", farData},
        {"stored size beyond the file", hugeStored},
        {"unterminated directory", noEnd},
        {"damaged stream", good.substr(0, 12) + std::string(20, '\xFF') + good.substr(32)},
        {"too short", "sbX"},
    };
    for (const auto& c : cases) {
        ArchiveSetup setup(c.bytes);
        std::string resolved;
        EXPECT_FALSE(ResolveDataFile(setup.resolver, "a.bmp", resolved)) << c.what;
        EXPECT_TRUE(setup.resolver.tempFile.empty()) << c.what;
    }
}

TEST(DataArchive, ResolverIsDisabledWhenThereIsNoArchive) {
    testkit::TempFolder folder;
    std::string resolved;
    DataResolver directory;  // the program directory, as start-up sets it
    directory.archivePath = folder.path();
    EXPECT_FALSE(ResolveDataFile(directory, "a.bmp", resolved));
    EXPECT_FALSE(directory.enabled);

    testkit::WriteFile(folder.File("plain.dat"), "no trailer here at all");
    DataResolver plain;
    plain.archivePath = folder.File("plain.dat");
    EXPECT_FALSE(ResolveDataFile(plain, "a.bmp", resolved));
    EXPECT_FALSE(plain.enabled);

    DataResolver none;
    EXPECT_FALSE(ResolveDataFile(none, "a.bmp", resolved));
    EXPECT_FALSE(none.enabled);

    // Disabled, it only finds files on disk.
    testkit::WriteFile(folder.File("a.bmp"), "x");
    EXPECT_TRUE(ResolveDataFile(none, folder.File("a.bmp"), resolved));
}
