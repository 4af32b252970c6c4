// A private X server (Xvfb) for tests that move the focus or press keys, so
// that they neither disturb nor are disturbed by other tests' windows on the
// shared display. Points DISPLAY at it while alive. A window manager
// (openbox) can run on it too: desktop full screen needs one.
#pragma once
#include <string>
#include <sys/types.h>

class PrivateXServer {
public:
    // screen: Xvfb's "-screen 0" text, width x height x depth.
    explicit PrivateXServer(const std::string& screen = "320x240x24", bool windowManager = false);
    ~PrivateXServer();
    // False when Xvfb (or the window manager asked for) could not be
    // started.
    bool running() const { return pid_ > 0 && (!wantManager_ || managerPid_ > 0); }

private:
    void StartWindowManager();
    pid_t pid_ = -1;
    pid_t managerPid_ = -1;
    bool wantManager_ = false;
    std::string oldDisplay_;
    bool hadDisplay_ = false;
};
