#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <mutex>

#include "system/process_launch.h"

namespace {

// Children started without waiting, reaped at the next launch.
std::mutex g_mutex;
std::vector<pid_t> g_running;

void ReapEnded() {
    std::lock_guard<std::mutex> lock(g_mutex);
    for (size_t i = 0; i < g_running.size();) {
        int status = 0;
        const pid_t got = waitpid(g_running[i], &status, WNOHANG);
        if (got == g_running[i] || (got < 0 && errno == ECHILD)) {
            g_running[i] = g_running.back();
            g_running.pop_back();
        } else {
            ++i;
        }
    }
}

}  // namespace

LaunchResult LaunchProcess(const std::string& program, const std::vector<std::string>& arguments, bool wait) {
    ReapEnded();
    LaunchResult result;
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    // The child starts with the default signal dispositions, whatever the
    // game's (SDL's) handlers are.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t all;
    sigfillset(&all);
    posix_spawnattr_setsigdefault(&attributes, &all);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
    pid_t pid = 0;
    const int error = posix_spawnp(&pid, program.c_str(), nullptr, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    if (error != 0) {
        result.why = std::strerror(error);
        return result;
    }
    result.started = true;
    if (!wait) {
        std::lock_guard<std::mutex> lock(g_mutex);
        g_running.push_back(pid);
        return result;
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            result.exitCode = -1;
            return result;
        }
    }
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}
