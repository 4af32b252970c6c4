// A private X server (Xvfb) for tests that move the focus or press keys, so
// that they neither disturb nor are disturbed by other tests' windows on the
// shared display. Points DISPLAY at it while alive.
#pragma once
#include <string>
#include <sys/types.h>

class PrivateXServer {
public:
    PrivateXServer();
    ~PrivateXServer();
    // False when Xvfb could not be started (then DISPLAY is unchanged).
    bool running() const { return pid_ > 0; }

private:
    pid_t pid_ = -1;
    std::string oldDisplay_;
    bool hadDisplay_ = false;
};
