// Saving whole or not at all: set-aside files never replace each other,
// two writers never mix their tables, and a writer killed at any moment
// leaves the old table or the new one.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "aerox/aerox.h"
#include "userdata/atomic_file.h"
#include "userdata/hiscore_file.h"
#include "userdata/unique_letters.h"
#include "userdata/userdata_fixture.h"

extern char** environ;

namespace {

using userdata_test::UserFolderTest;

using AtomicSave = UserFolderTest;

TEST_F(AtomicSave, SetAsideNeverReplacesAnEarlierOne) {
    const std::string path = File("hiscores.txt");
    std::set<std::string> names;
    for (const char* bytes : {"first\n", "second\n", "third\n"}) {
        testkit::WriteFile(path, bytes);
        const std::string aside = SetFileAside(path, "test");
        ASSERT_NE(aside, "");
        names.insert(aside);
    }
    ASSERT_EQ(names.size(), 3u);
    std::set<std::string> contents;
    for (const std::string& name : names) contents.insert(testkit::ReadFile(name));
    EXPECT_EQ(contents, (std::set<std::string>{"first\n", "second\n", "third\n"}));
    EXPECT_EQ(LogLinesAboutFolder().size(), 3u);
}

// Windows' clock moves every 16 ms: threads saving within one tick differ
// only by the count.
TEST(TemporaryNames, WritersOfOneMomentGetTheirOwnLetters) {
    std::set<std::string> seen;
    for (int i = 0; i < 1000; ++i) {
        const std::string letters = UniqueLetters(4242, 1'000'000);
        ASSERT_EQ(letters.size(), 6U);
        ASSERT_EQ(letters.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789"), std::string::npos) << letters;
        seen.insert(letters);
    }
    EXPECT_EQ(seen.size(), 1000U);
}

TEST_F(AtomicSave, TwoWritersNeverMixTheirTables) {
    const std::string path = File("hiscores.txt");
    const std::string tables[2] = {FormatHiScores({{900, "AAA"}, {800, "AAA"}, {700, "AAA"}}),
                                   FormatHiScores({{5, "B"}, {4, "B"}, {3, "B"}, {2, "B"}, {1, "B"}})};
    std::atomic<int> writing{2};
    std::atomic<int> failures{0};
    std::vector<std::thread> writers;
    for (const std::string& table : tables) {
        writers.emplace_back([&, table] {
            for (int i = 0; i < 150; ++i) {
                if (!WriteFileAtomically(path, table)) ++failures;
            }
            --writing;
        });
    }
    int reads = 0;
    int mixed = 0;
    while (writing > 0) {
        std::string bytes;
        const SavedRead result = ReadSavedFile(path, bytes);
        if (result == SavedRead::Missing) continue;
        ++reads;
        if (result != SavedRead::Read || (bytes != tables[0] && bytes != tables[1])) ++mixed;
    }
    for (auto& writer : writers) writer.join();
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(mixed, 0) << "of " << reads << " reads";
    std::string last;
    ReadSavedFile(path, last);
    EXPECT_TRUE(last == tables[0] || last == tables[1]);
    // Every temporary file became the table or was removed.
    EXPECT_EQ(Names(".hiscores.txt.tmp-").size(), 0u);
}

TEST_F(AtomicSave, TemporariesOfKilledWritersGoOnceTheyAreOld) {
    const std::vector<std::string> names = {".hiscores.txt.tmp-OLD123", ".hiscores.txt.tmp-NEW123",
                                            ".hiscores.txt.old"};
    for (const std::string& name : names) testkit::WriteFile(File(name), "9 X\n");
    const timespec twoMinutesAgo[2] = {{time(nullptr) - 120, 0}, {time(nullptr) - 120, 0}};
    utimensat(AT_FDCWD, File(names[0]).c_str(), twoMinutesAgo, 0);
    utimensat(AT_FDCWD, File(names[2]).c_str(), twoMinutesAgo, 0);
    EXPECT_EQ(HiScoreCount(), 0);
    EXPECT_EQ(Names("."), (std::vector<std::string>{names[2], names[1]}));
}

// The child saves a table that grows by one score per save: after n saves
// it holds n, n-1, ... down to at most ten entries, all "K".
bool GrowingTable(const std::vector<HiScoreEntry>& entries, int64_t& top) {
    if (entries.empty()) return false;
    top = entries[0].score;
    if (entries.size() != static_cast<size_t>(std::min<int64_t>(top, kHiScoreEntries))) return false;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i] != HiScoreEntry{top - static_cast<int64_t>(i), "K"}) return false;
    }
    return true;
}

// Starts the saving child with its output on a pipe; 0 when it could not.
pid_t StartChild(int& output) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return 0;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    char* argv[] = {const_cast<char*>(AEROX_SAVE_CHILD), nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, AEROX_SAVE_CHILD, &actions, nullptr, argv, environ) != 0) pid = 0;
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    output = fds[0];
    return pid;
}

bool WaitForByte(int fd, int timeoutMs) {
    pollfd p{fd, POLLIN, 0};
    char byte = 0;
    return poll(&p, 1, timeoutMs) == 1 && read(fd, &byte, 1) == 1;
}

TEST_F(AtomicSave, AWriterKilledAtAnyMomentLeavesTheOldTableOrTheNew) {
    const std::string path = File("hiscores.txt");
    std::mt19937 random(12345);
    int64_t lastTop = 0;
    for (int kill = 0; kill < 200; ++kill) {
        int output = -1;
        const pid_t child = StartChild(output);
        ASSERT_NE(child, 0) << AEROX_SAVE_CHILD;
        // The child says when its saving loop starts and when each save is
        // done; it dies a random moment after zero or one save, mostly in
        // the middle of the next one.
        bool answered = WaitForByte(output, 5000);
        const int saves = static_cast<int>(random() % 2);
        for (int i = 0; i < saves && answered; ++i) answered = WaitForByte(output, 5000);
        if (answered) std::this_thread::sleep_for(std::chrono::microseconds(random() % 3000));
        ::kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        close(output);
        ASSERT_TRUE(answered) << "the child did not start or save";
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child ended by itself";

        std::string bytes;
        if (ReadSavedFile(path, bytes) == SavedRead::Missing && lastTop == 0 && saves == 0) continue;
        std::string fault;
        const std::vector<HiScoreEntry> entries = ParseHiScores(bytes, fault);
        int64_t top = 0;
        ASSERT_EQ(fault, "") << "after kill " << kill << ":\n" << bytes;
        ASSERT_TRUE(GrowingTable(entries, top)) << "after kill " << kill << ":\n" << bytes;
        // A save the child had finished is never lost.
        ASSERT_GE(top, lastTop + saves) << "after kill " << kill;
        lastTop = top;
    }
}

}  // namespace
