// A peer the test drives byte by byte over a plain loopback socket: it
// speaks the frames itself, or sends whatever a hostile peer would.
#pragma once
#include <string>

class RawPeer {
public:
    explicit RawPeer(int port);
    ~RawPeer();
    RawPeer(const RawPeer&) = delete;
    RawPeer& operator=(const RawPeer&) = delete;

    // Sends bytes whole; with pauseMs > 0 one byte at a time, that long
    // apart. False once the host closed the connection.
    bool Send(const std::string& bytes, int pauseMs = 0) const;
    void SendFrame(const std::string& payload, int pauseMs = 0) const;
    // Sends a hello for game and reads the answer; the peer number or -1.
    int Join(const std::string& game = "Game");
    // The payload of the next frame that is not a ping or pong (pings are
    // answered), within seconds; "" when none came.
    std::string NextMessage(double seconds);
    // Whether the host closed the connection within seconds.
    bool ClosedWithin(double seconds);
    // Ends with a reset instead of an orderly close.
    void Reset();
    void Close();

private:
    int fd_ = -1;
    std::string in_;
};
