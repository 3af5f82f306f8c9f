// A server the tests script frame by frame: it listens on a loopback address
// of this process's own with an odd ephemeral port (so the 12-byte header
// framing), and runs the test's handler for each accepted link on a thread
// of its own. For conversations the simulator will not hold: a malformed
// greeting, a server that never answers, a text frame.
#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

class ScriptedLink {
public:
    explicit ScriptedLink(int socket) : m_socket(socket) {}

    struct Frame {
        uint8_t type = 0;
        uint32_t extra = 0;
        QByteArray payload;
    };
    bool send(uint8_t type, uint32_t extra, const QByteArray &payload);
    // Bytes as they stand, for frames the rules forbid.
    bool sendBytes(const QByteArray &bytes);
    // The next frame, or nothing when the link ended.
    std::optional<Frame> receive();
    // Greets with "VREADY a b UTC", takes any login line and confirms it;
    // false when the client left. The login line is kept.
    bool acceptAnyLogin(const QByteArray &greeting = "VREADY a b UTC");
    QByteArray loginLine() const { return m_loginLine; }
    void close();

private:
    bool readExactly(char *buffer, size_t length);
    int m_socket;
    QByteArray m_loginLine;
};

class ScriptedPeer {
public:
    using Handler = std::function<void(ScriptedLink &)>;
    explicit ScriptedPeer(Handler handler);
    // Closes every link and joins the threads.
    ~ScriptedPeer();
    ScriptedPeer(const ScriptedPeer &) = delete;
    ScriptedPeer &operator=(const ScriptedPeer &) = delete;

    QString host() const { return m_host; }
    int port() const { return m_port; }
    // Ends every open link from the server's side.
    void dropLinks();

private:
    void acceptLoop();

    Handler m_handler;
    QString m_host;
    int m_port = 0;
    int m_listener = -1;
    std::atomic<bool> m_stopping{false};
    std::mutex m_mutex;
    std::vector<int> m_sockets;
    std::vector<std::thread> m_threads;
    std::thread m_acceptor;
};
