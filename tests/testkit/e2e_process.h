// Helpers for end-to-end tests that run the real program under the current
// X server: a child process with its standard output piped, bounded waits,
// xdotool commands, a close request as the window manager would send it,
// and a lock that keeps tests which move the keyboard focus from running
// at the same time.
#pragma once
#include <sys/types.h>

#include <string>
#include <vector>

namespace testkit {

// A child process. Its standard output is read through a pipe; standard
// error goes to the test's own. Killed (SIGKILL) and reaped on destruction
// when still running.
class ChildProgram {
public:
    // Starts program with args; env entries ("NAME=value") are added to
    // (or replace) the test's environment.
    ChildProgram(const std::string& program, const std::vector<std::string>& args,
                 const std::vector<std::string>& env = {});
    ~ChildProgram();
    ChildProgram(const ChildProgram&) = delete;
    ChildProgram& operator=(const ChildProgram&) = delete;

    pid_t pid() const { return pid_; }
    bool started() const { return pid_ > 0; }
    // True once a whole line equal to line has been read within the time.
    bool WaitForLine(const std::string& line, double timeoutSeconds);
    // Everything read from standard output so far.
    const std::string& output() const { return output_; }
    // True when the child ended within the time; exitCode is its exit code,
    // or -signal when a signal ended it.
    bool WaitExit(double timeoutSeconds, int& exitCode);

private:
    void ReadAvailable(int timeoutMs);
    pid_t pid_ = -1;
    int stdoutFd_ = -1;
    bool exited_ = false;
    std::string output_;
};

// Runs a shell command with a time limit (then its whole process group is
// killed); returns its standard output, binary-safe.
std::string RunCommand(const std::string& command, double timeoutSeconds = 5.0);
// A shell command's exit code (-1 when it ran out of time) and everything
// it printed on standard output and standard error.
struct ShellRun {
    int code = -1;
    std::string output;
};
ShellRun RunShell(const std::string& command, double timeoutSeconds);
// text in single quotes for the shell (paths with spaces).
std::string ShellQuoted(const std::string& text);
// Polls xdotool for a visible window of any process whose name matches the
// regular expression (Wine's windows carry the pid of Wine's own process,
// not always the one started); its id, or an empty text after the time.
std::string FindVisibleWindow(const std::string& nameRegex, double timeoutSeconds);

// Polls xdotool for a window of process pid whose name matches the regular
// expression; returns its id, or an empty text after the time.
std::string FindWindow(pid_t pid, const std::string& nameRegex, double timeoutSeconds);
// Polls the window's name until it equals name; false after the time.
bool WaitForWindowName(const std::string& windowId, const std::string& name, double timeoutSeconds);
// Sends the window the close request of its close button (WM_DELETE_WINDOW).
bool SendCloseRequest(const std::string& windowId);
// Holds a key down for holdSeconds through XTEST (a once-a-frame poll
// misses a quicker press). keys is an xdotool key list such as "Alt_L F4".
void HoldKeys(const std::string& keys, double holdSeconds = 0.1);

// Only one test at a time moves the keyboard focus or types on the shared X
// server: the lock is a file lock under /tmp, waited for at most two minutes.
class FocusLock {
public:
    FocusLock();
    ~FocusLock();
    bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

}  // namespace testkit
