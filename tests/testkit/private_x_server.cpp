#include "testkit/private_x_server.h"

#include "testkit/e2e_process.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

PrivateXServer::PrivateXServer(const std::string& screen, bool windowManager) : wantManager_(windowManager) {
    int fds[2];
    if (pipe(fds) != 0) return;
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        const std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    if (pid < 0) {
        close(fds[0]);
        return;
    }
    // Xvfb writes its display number once it accepts clients: wait at most
    // ten seconds for it.
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    while (poll(&p, 1, 10000) > 0) {
        char c;
        if (read(fds[0], &c, 1) != 1 || c == '\n') break;
        number += c;
    }
    close(fds[0]);
    if (number.empty()) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        return;
    }
    pid_ = pid;
    if (const char* old = std::getenv("DISPLAY")) {
        hadDisplay_ = true;
        oldDisplay_ = old;
    }
    setenv("DISPLAY", (":" + number).c_str(), 1);
    if (windowManager) StartWindowManager();
}

void PrivateXServer::StartWindowManager() {
    const pid_t pid = fork();
    if (pid == 0) {
        const int devNull = open("/dev/null", O_WRONLY);
        if (devNull >= 0) {
            dup2(devNull, STDOUT_FILENO);
            dup2(devNull, STDERR_FILENO);
        }
        execlp("openbox", "openbox", "--sm-disable", static_cast<char*>(nullptr));
        _exit(127);
    }
    if (pid < 0) return;
    managerPid_ = pid;
    // Managing once it has announced itself on the root window: at most ten
    // seconds.
    const auto start = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(10)) {
        if (testkit::RunCommand("xprop -root _NET_SUPPORTING_WM_CHECK", 2.0).find("window id") != std::string::npos)
            return;
        if (waitpid(pid, nullptr, WNOHANG) == pid) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    managerPid_ = -1;
}

namespace {
// Asks a server to stop and waits for it, at most three seconds before it is
// killed: a test never hangs on a server that does not leave.
void Stop(pid_t pid) {
    kill(pid, SIGTERM);
    const auto start = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(3)) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}
}  // namespace

PrivateXServer::~PrivateXServer() {
    if (managerPid_ > 0) Stop(managerPid_);
    if (pid_ <= 0) return;
    Stop(pid_);
    if (hadDisplay_) {
        setenv("DISPLAY", oldDisplay_.c_str(), 1);
    } else {
        unsetenv("DISPLAY");
    }
}
