// The other end of a link in tests: a plain blocking socket on a loopback
// address of this process's own (127.x.y.z from the process id), so tests
// run side by side never meet. Ports are ephemeral with the parity the test
// asks for, since the port's parity picks the framing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class LoopbackPeer {
public:
    enum class Parity { Odd, Even };

    explicit LoopbackPeer(Parity parity = Parity::Odd);
    // The client side instead: connected to `port` of the process address.
    static std::unique_ptr<LoopbackPeer> connectTo(int port);
    ~LoopbackPeer();
    LoopbackPeer(const LoopbackPeer &) = delete;
    LoopbackPeer &operator=(const LoopbackPeer &) = delete;

    static std::string processAddress();
    const std::string &host() const { return m_host; }
    int port() const { return m_port; }

    // Waits (bounded) for the client and keeps its socket.
    bool accept();
    int connection() const { return m_connection; }

    bool sendBytes(const void *data, size_t length);
    bool sendFrame(uint8_t type, uint32_t extra, const std::string &payload);
    bool sendLengthFrame(const std::string &payload);
    // Exactly `length` bytes, or fewer when the link ended.
    std::vector<uint8_t> receiveBytes(size_t length);
    struct Frame {
        uint8_t marker = 0xEE;
        uint8_t type = 0;
        uint32_t extra = 0;
        std::string payload;
        bool complete = false;
    };
    Frame receiveFrame();
    // Bytes up to and including CR LF (fewer when the link ended).
    std::string receiveLine();
    // True when the client closed its end (no more bytes arrive).
    bool seesEndOfStream();
    void closeConnection();

private:
    LoopbackPeer(int connectedFd, int port);

    std::string m_host;
    int m_port = 0;
    int m_listener = -1;
    int m_connection = -1;
};

// A port on the process address where nothing listens.
int unusedPort(LoopbackPeer::Parity parity);
