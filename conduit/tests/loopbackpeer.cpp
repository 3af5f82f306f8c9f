// See loopbackpeer.h.
#include "loopbackpeer.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <random>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int kWaitMs = 30000; // only catches hangs

void put32(uint8_t *out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<uint8_t>(v >> (8 * i));
}

uint32_t get32(const uint8_t *in)
{
    return uint32_t(in[0]) | uint32_t(in[1]) << 8 | uint32_t(in[2]) << 16 | uint32_t(in[3]) << 24;
}

// The kernel picks ephemeral ports by a parity rule of its own, so the
// port is drawn here and tried until one binds.
int bindWithParity(const std::string &host, LoopbackPeer::Parity parity, int *port)
{
    static std::mt19937 draw(std::random_device{}());
    std::uniform_int_distribution<int> pick(10000, 30000);
    for (int attempt = 0; attempt < 500; ++attempt) {
        int candidate = pick(draw) * 2 + (parity == LoopbackPeer::Parity::Odd ? 1 : 0);
        int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(candidate));
        inet_pton(AF_INET, host.c_str(), &address.sin_addr);
        if (::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0) {
            *port = candidate;
            return fd;
        }
        ::close(fd);
    }
    throw std::runtime_error("no free loopback port of the wanted parity");
}

} // namespace

std::string LoopbackPeer::processAddress()
{
    unsigned pid = static_cast<unsigned>(getpid());
    return "127." + std::to_string(1 + (pid >> 16) % 250) + "." + std::to_string((pid >> 8) & 255) + "." +
           std::to_string(1 + (pid & 255) % 254);
}

LoopbackPeer::LoopbackPeer(Parity parity) : m_host(processAddress())
{
    m_listener = bindWithParity(m_host, parity, &m_port);
    if (::listen(m_listener, 8) != 0)
        throw std::runtime_error("listen failed");
}

LoopbackPeer::LoopbackPeer(int connectedFd, int port) : m_host(processAddress()), m_port(port)
{
    m_connection = connectedFd;
    timeval limit{kWaitMs / 1000, 0};
    setsockopt(m_connection, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
}

std::unique_ptr<LoopbackPeer> LoopbackPeer::connectTo(int port)
{
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    inet_pton(AF_INET, processAddress().c_str(), &address.sin_addr);
    if (::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<LoopbackPeer>(new LoopbackPeer(fd, port));
}

LoopbackPeer::~LoopbackPeer()
{
    closeConnection();
    if (m_listener >= 0)
        ::close(m_listener);
}

bool LoopbackPeer::accept()
{
    pollfd waiting{m_listener, POLLIN, 0};
    if (poll(&waiting, 1, kWaitMs) != 1)
        return false;
    m_connection = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
    timeval limit{kWaitMs / 1000, 0};
    setsockopt(m_connection, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    return m_connection >= 0;
}

bool LoopbackPeer::sendBytes(const void *data, size_t length)
{
    const auto *bytes = static_cast<const uint8_t *>(data);
    while (length > 0) {
        ssize_t n = ::send(m_connection, bytes, length, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        bytes += n;
        length -= static_cast<size_t>(n);
    }
    return true;
}

bool LoopbackPeer::sendFrame(uint8_t type, uint32_t extra, const std::string &payload)
{
    uint8_t header[12] = {0, type, 0x5A, 0xA5}; // reserved bytes are ignored by receivers
    put32(header + 4, static_cast<uint32_t>(payload.size()));
    put32(header + 8, extra);
    return sendBytes(header, sizeof header) && sendBytes(payload.data(), payload.size());
}

bool LoopbackPeer::sendLengthFrame(const std::string &payload)
{
    uint8_t header[4];
    put32(header, static_cast<uint32_t>(payload.size()));
    return sendBytes(header, sizeof header) && sendBytes(payload.data(), payload.size());
}

std::vector<uint8_t> LoopbackPeer::receiveBytes(size_t length)
{
    std::vector<uint8_t> bytes(length);
    size_t done = 0;
    while (done < length) {
        ssize_t n = ::recv(m_connection, bytes.data() + done, length - done, 0);
        if (n <= 0)
            break;
        done += static_cast<size_t>(n);
    }
    bytes.resize(done);
    return bytes;
}

LoopbackPeer::Frame LoopbackPeer::receiveFrame()
{
    Frame frame;
    std::vector<uint8_t> header = receiveBytes(12);
    if (header.size() != 12)
        return frame;
    frame.marker = header[0];
    frame.type = header[1];
    frame.extra = get32(header.data() + 8);
    uint32_t length = get32(header.data() + 4);
    std::vector<uint8_t> payload = receiveBytes(length);
    frame.payload.assign(payload.begin(), payload.end());
    frame.complete = payload.size() == length;
    return frame;
}

std::string LoopbackPeer::receiveLine()
{
    std::string line;
    char byte;
    while (line.size() < 2 || line.compare(line.size() - 2, 2, "\r\n") != 0) {
        if (::recv(m_connection, &byte, 1, 0) != 1)
            break;
        line += byte;
    }
    return line;
}

bool LoopbackPeer::seesEndOfStream()
{
    char byte;
    return ::recv(m_connection, &byte, 1, 0) == 0;
}

void LoopbackPeer::closeConnection()
{
    if (m_connection >= 0)
        ::close(m_connection);
    m_connection = -1;
}

int unusedPort(LoopbackPeer::Parity parity)
{
    LoopbackPeer probe(parity);
    return probe.port(); // closed again when probe goes; nothing else binds this address
}
