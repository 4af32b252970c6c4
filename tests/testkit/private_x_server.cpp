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

namespace {

// Asks a server to stop and waits for it, at most three seconds before it is
// killed: a test never hangs on a server that does not leave.
void Stop(pid_t pid) {
    kill(pid, SIGTERM);
    const auto start = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(3)) {
        // Gone, or already reaped (waitpid fails): nothing to wait for.
        if (waitpid(pid, nullptr, WNOHANG) != 0) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

bool Alive(pid_t pid) { return waitpid(pid, nullptr, WNOHANG) == 0; }

// Starts Xvfb on a free display; its number, or "" (and nothing left
// running) when it did not come up within ten seconds.
std::string StartXvfb(const std::string& screen, pid_t& pid) {
    int fds[2];
    if (pipe(fds) != 0) return {};
    pid = fork();
    if (pid == 0) {
        close(fds[0]);
        const std::string fd = std::to_string(fds[1]);
        // -noreset: otherwise the server resets whenever its last client
        // leaves (the reachability check below is one), and refuses the
        // test's first connection if it comes during the reset.
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp",
               "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    if (pid < 0) {
        close(fds[0]);
        return {};
    }
    // Xvfb writes its display number once it accepts clients.
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    while (poll(&p, 1, 10000) > 0) {
        char c;
        if (read(fds[0], &c, 1) != 1 || c == '\n') break;
        number += c;
    }
    close(fds[0]);
    // Servers started side by side can race for a number: the one written
    // is trusted only while this server lives and a client reaches it.
    if (number.empty() || !Alive(pid) ||
        testkit::RunCommand("xprop -display :" + number + " -root _NET_SUPPORTING_WM_CHECK", 3.0).empty()) {
        Stop(pid);
        pid = -1;
        return {};
    }
    return number;
}

}  // namespace

PrivateXServer::PrivateXServer(const std::string& screen, bool windowManager) : wantManager_(windowManager) {
    std::string number;
    for (int attempt = 0; attempt < 3 && number.empty(); ++attempt) number = StartXvfb(screen, pid_);
    if (number.empty()) return;
    if (const char* old = std::getenv("DISPLAY")) {
        hadDisplay_ = true;
        oldDisplay_ = old;
    }
    setenv("DISPLAY", (":" + number).c_str(), 1);
    if (windowManager) {
        for (int attempt = 0; attempt < 3 && managerPid_ <= 0; ++attempt) StartWindowManager();
    }
}

// Starts openbox and waits until it manages windows: it has announced
// itself on the root window and has mapped a probe window (a map request
// sent while it is still starting can be lost, and SDL waits without a
// bound for its window to be mapped). Leaves managerPid_ at -1 when it did
// not come up.
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
    bool announced = false;
    const auto start = std::chrono::steady_clock::now();
    while (!announced && Alive(pid) && std::chrono::steady_clock::now() - start < std::chrono::seconds(10)) {
        announced =
            testkit::RunCommand("xprop -root _NET_SUPPORTING_WM_CHECK", 2.0).find("window id") != std::string::npos;
        if (!announced) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    for (int probe = 0; announced && probe < 3; ++probe) {
        const std::string title = "aerox-wm-probe-" + std::to_string(getpid());
        testkit::ChildProgram window("/usr/bin/xmessage", {"-title", title, "probe"});
        const auto shown = std::chrono::steady_clock::now();
        while (Alive(pid) && std::chrono::steady_clock::now() - shown < std::chrono::seconds(3)) {
            if (!testkit::RunCommand("xdotool search --onlyvisible --name '^" + title + "$'", 2.0).empty()) {
                managerPid_ = pid;
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        std::fprintf(stderr, "openbox did not map a probe window within 3 s\n");
    }
    Stop(pid);
}

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
