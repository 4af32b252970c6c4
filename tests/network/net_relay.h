// A relay between one peer and the host, on loopback: what one side sends
// reaches the other after a delay, optionally one byte per write. It takes
// the place of a slow network, which this kernel cannot make.
#pragma once
#include <atomic>
#include <thread>

class NetRelay {
public:
    // Listens on a free loopback port (Port()) and forwards the first
    // connection to hostPort.
    NetRelay(int hostPort, int delayMs, bool byteAtATime);
    ~NetRelay();
    NetRelay(const NetRelay&) = delete;
    NetRelay& operator=(const NetRelay&) = delete;

    int Port() const { return port_; }

private:
    void Run();

    int hostPort_;
    int delayMs_;
    bool byteAtATime_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};
