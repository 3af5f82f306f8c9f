// The scripted test server; see scriptedpeer.h.
#include "admin/testsupport/scriptedpeer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>
#include <stdexcept>

namespace {

QString processAddress()
{
    const int pid = static_cast<int>(getpid());
    return QStringLiteral("127.%1.%2.%3").arg(100 + (pid >> 16) % 100).arg((pid >> 8) & 255).arg(pid & 255);
}

void putU32(char *at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

uint32_t getU32(const char *at)
{
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= static_cast<uint32_t>(static_cast<uint8_t>(at[i])) << (8 * i);
    return value;
}

} // namespace

bool ScriptedLink::send(uint8_t type, uint32_t extra, const QByteArray &payload)
{
    QByteArray frame(12, '\0');
    frame[1] = static_cast<char>(type);
    putU32(frame.data() + 4, static_cast<uint32_t>(payload.size()));
    putU32(frame.data() + 8, extra);
    return sendBytes(frame + payload);
}

bool ScriptedLink::sendBytes(const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(m_socket, bytes.constData() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

bool ScriptedLink::readExactly(char *buffer, size_t length)
{
    size_t done = 0;
    while (done < length) {
        const ssize_t n = ::recv(m_socket, buffer + done, length - done, 0);
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

std::optional<ScriptedLink::Frame> ScriptedLink::receive()
{
    char header[12];
    if (!readExactly(header, sizeof header))
        return std::nullopt;
    Frame frame;
    frame.type = static_cast<uint8_t>(header[1]);
    frame.extra = getU32(header + 8);
    frame.payload.resize(getU32(header + 4));
    if (!readExactly(frame.payload.data(), frame.payload.size()))
        return std::nullopt;
    return frame;
}

bool ScriptedLink::acceptAnyLogin(const QByteArray &greeting)
{
    if (!send(1, 0, greeting))
        return false;
    const std::optional<Frame> login = receive();
    if (!login)
        return false;
    m_loginLine = login->payload;
    return send(1, 0, "VCONNECTED");
}

void ScriptedLink::close()
{
    ::shutdown(m_socket, SHUT_RDWR);
}

ScriptedPeer::ScriptedPeer(Handler handler) : m_handler(std::move(handler)), m_host(processAddress())
{
    m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
    const int yes = 1;
    setsockopt(m_listener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    inet_pton(AF_INET, m_host.toLatin1().constData(), &address.sin_addr);
    // The framing follows the port's parity: keep trying until the kernel
    // hands out an odd port.
    for (int attempt = 0; attempt < 200 && m_port % 2 == 0; ++attempt) {
        address.sin_port = 0;
        if (attempt > 0) {
            ::close(m_listener);
            m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
        }
        if (::bind(m_listener, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0)
            continue;
        socklen_t size = sizeof address;
        getsockname(m_listener, reinterpret_cast<sockaddr *>(&address), &size);
        m_port = ntohs(address.sin_port);
    }
    if (m_port % 2 == 0 || ::listen(m_listener, 64) != 0)
        throw std::runtime_error("no odd loopback port to listen on");
    m_acceptor = std::thread(&ScriptedPeer::acceptLoop, this);
}

ScriptedPeer::~ScriptedPeer()
{
    m_stopping = true;
    ::shutdown(m_listener, SHUT_RDWR);
    m_acceptor.join();
    dropLinks();
    for (std::thread &thread : m_threads)
        thread.join();
    ::close(m_listener);
    for (int socket : m_sockets)
        ::close(socket);
}

void ScriptedPeer::dropLinks()
{
    std::lock_guard lock(m_mutex);
    for (int socket : m_sockets)
        ::shutdown(socket, SHUT_RDWR);
}

void ScriptedPeer::acceptLoop()
{
    while (!m_stopping) {
        pollfd wait{m_listener, POLLIN, 0};
        if (poll(&wait, 1, 100) <= 0)
            continue;
        const int socket = ::accept(m_listener, nullptr, nullptr);
        if (socket < 0)
            continue;
        const int yes = 1;
        setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
        std::lock_guard lock(m_mutex);
        m_sockets.push_back(socket);
        m_threads.emplace_back([this, socket] {
            ScriptedLink link(socket);
            m_handler(link);
        });
    }
}
