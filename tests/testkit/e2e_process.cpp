#include "testkit/e2e_process.h"

#include "testkit/screenshot.h"

#include <X11/Xlib.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

extern char** environ;

namespace testkit {

namespace {
double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
void SleepSeconds(double s) { std::this_thread::sleep_for(std::chrono::duration<double>(s)); }
}  // namespace

ChildProgram::ChildProgram(const std::string& program, const std::vector<std::string>& args,
                           const std::vector<std::string>& env) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return;
    // Build argv and envp before forking.
    std::vector<std::string> envText;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('='));
        bool replaced = false;
        for (const auto& add : env)
            if (add.substr(0, add.find('=')) == name) replaced = true;
        if (!replaced) envText.push_back(entry);
    }
    for (const auto& add : env) envText.push_back(add);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (auto& e : envText) envp.push_back(e.data());
    envp.push_back(nullptr);

    const pid_t pid = fork();
    if (pid == 0) {
        dup2(fds[1], STDOUT_FILENO);
        execve(program.c_str(), argv.data(), envp.data());
        const std::string why = "cannot start " + program + ": " + strerror(errno) + "\n";
        (void)!write(STDERR_FILENO, why.data(), why.size());
        _exit(127);
    }
    close(fds[1]);
    if (pid < 0) {
        close(fds[0]);
        return;
    }
    pid_ = pid;
    stdoutFd_ = fds[0];
}

ChildProgram::~ChildProgram() {
    if (pid_ > 0 && !exited_) {
        kill(pid_, SIGKILL);
        int status = 0;
        waitpid(pid_, &status, 0);
    }
    if (stdoutFd_ >= 0) close(stdoutFd_);
}

void ChildProgram::ReadAvailable(int timeoutMs) {
    if (stdoutFd_ < 0) return;
    pollfd p{stdoutFd_, POLLIN, 0};
    if (poll(&p, 1, timeoutMs) <= 0) return;
    char buffer[4096];
    const ssize_t n = read(stdoutFd_, buffer, sizeof buffer);
    if (n > 0) {
        output_.append(buffer, static_cast<size_t>(n));
    } else {
        close(stdoutFd_);  // end of file
        stdoutFd_ = -1;
    }
}

bool ChildProgram::WaitForLine(const std::string& line, double timeoutSeconds) {
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        size_t from = 0;
        for (size_t end; (end = output_.find('\n', from)) != std::string::npos; from = end + 1) {
            // A Windows program's text output ends its lines with CR LF.
            const size_t length = end > from && output_[end - 1] == '\r' ? end - 1 - from : end - from;
            if (output_.compare(from, length, line) == 0) return true;
        }
        if (stdoutFd_ < 0 || SecondsSince(start) > timeoutSeconds) return false;
        ReadAvailable(50);
    }
}

bool ChildProgram::WaitExit(double timeoutSeconds, int& exitCode) {
    if (pid_ <= 0) return false;
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        int status = 0;
        const pid_t done = waitpid(pid_, &status, WNOHANG);
        if (done == pid_) {
            exited_ = true;
            exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
            ReadAvailable(0);
            return true;
        }
        if (SecondsSince(start) > timeoutSeconds) return false;
        ReadAvailable(20);  // keeps the pipe drained
    }
}

std::string RunCommand(const std::string& command, double timeoutSeconds) {
    // Its own process group, read with a deadline: at the deadline the whole
    // group is killed and what it wrote is returned, even when something
    // else still holds the pipe open.
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return {};
    const std::string line = command + " 2>/dev/null";
    const pid_t pid = fork();
    if (pid == 0) {
        setpgid(0, 0);
        dup2(fds[1], STDOUT_FILENO);
        execl("/bin/sh", "sh", "-c", line.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    if (pid < 0) {
        close(fds[0]);
        return {};
    }
    setpgid(pid, pid);
    std::string output;
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        const double left = timeoutSeconds - SecondsSince(start);
        if (left <= 0) break;
        pollfd p{fds[0], POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left * 1000) + 1) <= 0) continue;
        char buffer[65536];
        const ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n <= 0) break;
        output.append(buffer, static_cast<size_t>(n));
    }
    close(fds[0]);
    kill(-pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return output;
}

Shot GrabWindow(const std::string& windowId) { return DecodeXwd(RunCommand("xwd -silent -id " + windowId, 5.0)); }

std::string FindWindow(pid_t pid, const std::string& nameRegex, double timeoutSeconds) {
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        std::string found = RunCommand("xdotool search --pid " + std::to_string(pid) + " --name '" + nameRegex + "'");
        const size_t end = found.find('\n');
        if (end != std::string::npos && end > 0) return found.substr(0, end);
        if (SecondsSince(start) > timeoutSeconds) return {};
        SleepSeconds(0.05);
    }
}

ShellRun RunShell(const std::string& command, double timeoutSeconds) {
    const std::string marker = "exit code ";
    const std::string out = RunCommand("( " + command + " ) 2>&1; echo \"" + marker + "$?\"", timeoutSeconds);
    ShellRun ran;
    const size_t at = out.rfind(marker);
    if (at == std::string::npos) {
        ran.output = out + "\n(timed out)";
        return ran;
    }
    ran.output = out.substr(0, at);
    ran.code = std::atoi(out.c_str() + at + marker.size());
    return ran;
}

std::string ShellQuoted(const std::string& text) { return "'" + text + "'"; }

std::string FindVisibleWindow(const std::string& nameRegex, double timeoutSeconds) {
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        const std::string found = RunCommand("xdotool search --onlyvisible --name '" + nameRegex + "'");
        const size_t end = found.find('\n');
        if (end != std::string::npos && end > 0) return found.substr(0, end);
        if (SecondsSince(start) > timeoutSeconds) return {};
        SleepSeconds(0.1);
    }
}

bool WaitForWindowName(const std::string& windowId, const std::string& name, double timeoutSeconds) {
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        if (RunCommand("xdotool getwindowname " + windowId) == name + "\n") return true;
        if (SecondsSince(start) > timeoutSeconds) return false;
        SleepSeconds(0.05);
    }
}

bool SendCloseRequest(const std::string& windowId) {
    // libX11 is loaded at run time, so the tests need no link to it.
    void* x11 = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
    if (x11 == nullptr) return false;
    auto open = reinterpret_cast<Display* (*)(const char*)>(dlsym(x11, "XOpenDisplay"));
    auto atom = reinterpret_cast<Atom (*)(Display*, const char*, Bool)>(dlsym(x11, "XInternAtom"));
    auto send = reinterpret_cast<Status (*)(Display*, Window, Bool, long, XEvent*)>(dlsym(x11, "XSendEvent"));
    auto sync = reinterpret_cast<int (*)(Display*, Bool)>(dlsym(x11, "XSync"));
    auto closeDisplay = reinterpret_cast<int (*)(Display*)>(dlsym(x11, "XCloseDisplay"));
    bool sent = false;
    if (open != nullptr && atom != nullptr && send != nullptr && sync != nullptr && closeDisplay != nullptr) {
        if (Display* display = open(nullptr)) {
            const Window window = std::strtoul(windowId.c_str(), nullptr, 10);
            XEvent event{};
            event.xclient.type = ClientMessage;
            event.xclient.window = window;
            event.xclient.message_type = atom(display, "WM_PROTOCOLS", False);
            event.xclient.format = 32;
            event.xclient.data.l[0] = static_cast<long>(atom(display, "WM_DELETE_WINDOW", False));
            event.xclient.data.l[1] = CurrentTime;
            sent = send(display, window, False, NoEventMask, &event) != 0;
            sync(display, False);
            closeDisplay(display);
        }
    }
    dlclose(x11);
    return sent;
}

void HoldKeys(const std::string& keys, double holdSeconds) {
    RunCommand("xdotool keydown " + keys);
    SleepSeconds(holdSeconds);
    RunCommand("xdotool keyup " + keys);
}

FocusLock::FocusLock() {
    const int fd = open("/tmp/aerox-x11-focus.lock", O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return;
    const auto start = std::chrono::steady_clock::now();
    while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (SecondsSince(start) > 120) {
            close(fd);
            return;
        }
        SleepSeconds(0.05);
    }
    fd_ = fd;
}

FocusLock::~FocusLock() {
    if (fd_ >= 0) close(fd_);
}

}  // namespace testkit
