// A network test program (aerox_net_peer) run as a child process, its
// output read line by line with a deadline, and a free loopback port.
#pragma once
#include <sys/types.h>

#include <string>
#include <vector>

class NetChild {
public:
    // Starts AEROX_NET_PEER with args, or under `prefix` (a program and its
    // arguments, e.g. unshare) when one is given.
    explicit NetChild(const std::vector<std::string>& args, const std::vector<std::string>& prefix = {});
    ~NetChild();
    NetChild(const NetChild&) = delete;
    NetChild& operator=(const NetChild&) = delete;

    // The next line of output, or "" when none came within seconds (or the
    // output ended).
    std::string Line(double seconds);
    // Reads lines until one starts with start; that line, or "".
    std::string LineStarting(const std::string& start, double seconds);
    void Kill();
    pid_t Pid() const { return pid_; }

private:
    pid_t pid_ = 0;
    int output_ = -1;
    std::string pending_;
};

// A TCP port on loopback that nothing listens on now.
int FreeLoopbackPort();
