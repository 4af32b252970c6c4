// Shared by the benchmarks that run the whole program: they run a copy of
// their own executable as a child process laid out like the shipped game (the
// executable in a folder beside "data/" and "smalfont.bmp"), so that start-up
// makes that folder the working directory and finds the real assets exactly
// as the game does. The child runs the program's own steps (RunProgram, as
// the program entry does) and reports its figures on standard output in lines
// "figure <name> <value>"; the parent collects them.
#pragma once
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "engine/program.h"
#include "game/game.h"

extern char** environ;

namespace driver {

inline double MonotonicMs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1.0e6;
}

inline double CpuSeconds(const rusage& usage) {
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1.0e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

inline double OwnCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return CpuSeconds(usage);
}

// Peak resident memory of this process so far, in KiB.
inline long PeakResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// CPU seconds used so far by the X server of $DISPLAY (found through its
// lock file), or -1 when it cannot be found.
inline double XServerCpuSeconds() {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || display[0] != ':') return -1;
    const int number = std::atoi(display + 1);
    std::ifstream lock("/tmp/.X" + std::to_string(number) + "-lock");
    long pid = 0;
    if (!(lock >> pid) || pid <= 0) return -1;
    std::ifstream statFile("/proc/" + std::to_string(pid) + "/stat");
    std::string stat;
    std::getline(statFile, stat);
    const size_t close = stat.rfind(')');
    if (close == std::string::npos) return -1;
    std::istringstream fields(stat.substr(close + 2));
    std::string field;
    double utime = -1, stime = -1;
    // Fields from the state (3rd) on: utime is the 14th, stime the 15th.
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14) utime = std::atof(field.c_str());
        if (i == 15) stime = std::atof(field.c_str());
    }
    if (utime < 0 || stime < 0) return -1;
    return (utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

inline void Figure(const char* name, double value) {
    std::printf("figure %s %.6f\n", name, value);
    std::fflush(stdout);
}

// The program's own start-up and game, as its entry runs them, with an
// empty command line.
[[noreturn]] inline void RunProgram() { ::RunProgram("", AeroxSettings(), &GameMain); }

inline std::string OwnExecutable() {
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error).string();
}

// The game's folder: $AEROX_GAME_DIR, else build/game beside build/bench.
inline std::string GameFolder() {
    const char* dir = std::getenv("AEROX_GAME_DIR");
    if (dir != nullptr && dir[0] != '\0') return dir;
    return (std::filesystem::path(OwnExecutable()).parent_path() / ".." / "game").lexically_normal().string();
}

// A temporary folder holding a copy of this executable named "aerox" and
// links to the game's data folder and font; removed when the object goes.
class StagedGame {
public:
    StagedGame() {
        const std::string game = GameFolder();
        namespace fs = std::filesystem;
        if (!fs::is_directory(game + "/data") || !fs::is_regular_file(game + "/smalfont.bmp")) {
            std::fprintf(stderr, "the game's assets are not in %s (build the game, or set AEROX_GAME_DIR)\n",
                         game.c_str());
            return;
        }
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp != nullptr && tmp[0] != '\0' ? tmp : "/tmp") + "/aerox-bench-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) return;
        folder_ = pattern;
        std::error_code error;
        fs::copy_file(OwnExecutable(), folder_ + "/aerox", error);
        if (!error) fs::create_directory_symlink(fs::absolute(game + "/data"), folder_ + "/data", error);
        if (!error) fs::create_symlink(fs::absolute(game + "/smalfont.bmp"), folder_ + "/smalfont.bmp", error);
        ok_ = !error;
        if (!ok_) std::fprintf(stderr, "cannot lay out the program in %s: %s\n", folder_.c_str(), error.message().c_str());
    }
    ~StagedGame() {
        std::error_code ignored;
        if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
    }
    StagedGame(const StagedGame&) = delete;
    StagedGame& operator=(const StagedGame&) = delete;

    bool ok() const { return ok_; }
    std::string Program() const { return folder_ + "/aerox"; }
    std::string Folder() const { return folder_; }

private:
    std::string folder_;
    bool ok_ = false;
};

struct ChildRun {
    bool finished = false;  // ended by itself within the time allowed
    int exitCode = -1;
    double spawnMs = 0;  // the parent's monotonic clock just before the spawn
    double cpuSeconds = 0;
    long peakResidentKiB = 0;
    std::map<std::string, double> figures;
    std::vector<std::string> notes;  // the lines "note <text>", without "note "
};

// Starts the staged program with the arguments, waits at most timeoutSeconds
// (then kills it) and collects the figures it printed.
inline ChildRun RunChild(const StagedGame& game, const std::vector<std::string>& args, double timeoutSeconds) {
    ChildRun run;
    const std::string outputPath = game.Folder() + "/output.txt";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<std::string> argStrings{game.Program()};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : argStrings) argv.push_back(a.data());
    argv.push_back(nullptr);

    pid_t pid = 0;
    run.spawnMs = MonotonicMs();
    const int error = posix_spawn(&pid, game.Program().c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        std::fprintf(stderr, "cannot start %s\n", game.Program().c_str());
        return run;
    }
    int status = 0;
    rusage usage{};
    const double deadline = MonotonicMs() + timeoutSeconds * 1000.0;
    for (;;) {
        const pid_t done = wait4(pid, &status, WNOHANG, &usage);
        if (done == pid) {
            run.finished = true;
            break;
        }
        if (MonotonicMs() > deadline) {
            kill(pid, SIGKILL);
            wait4(pid, &status, 0, &usage);
            std::fprintf(stderr, "the program did not end within %.0f s: killed\n", timeoutSeconds);
            break;
        }
        usleep(2000);
    }
    if (run.finished && WIFEXITED(status)) run.exitCode = WEXITSTATUS(status);
    run.cpuSeconds = CpuSeconds(usage);
    run.peakResidentKiB = usage.ru_maxrss;
    std::ifstream output(outputPath);
    std::string line;
    while (std::getline(output, line)) {
        std::istringstream words(line);
        std::string tag, name;
        double value = 0;
        if (line.rfind("note ", 0) == 0) run.notes.push_back(line.substr(5));
        if (words >> tag >> name >> value && tag == "figure") run.figures[name] = value;
    }
    return run;
}

inline double Percentile(std::vector<double> values, double p) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, static_cast<size_t>(p * static_cast<double>(values.size())));
    return values[index];
}

}  // namespace driver
