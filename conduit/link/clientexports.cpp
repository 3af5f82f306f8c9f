// The plain client functions of the library: connect, start the receive
// thread, send one framed message on a bare socket, stop, read a file. The
// client object is built on them; other programs may call them directly.
//
// Receive threads are std::threads (CWorkerThreads): the callbacks they run
// are the caller's code (a session's parsing, Qt calls), so they get the
// system's default stack rather than a small fixed one; untouched stack
// costs only address space.
#include "conduit/exports.h"

#include "link.h"
#include "linktable.h"
#include "receiveloop.h"
#include "socketdescriptor.h"
#include "workerthreads.h"
#include "zeltmessageheader.h"

#include "platform/winsock/winsock.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kSendTimeoutMs = 600000;

uintptr_t failConnect(int error, int *errorOut)
{
    WSASetLastError(error);
    if (errorOut)
        *errorOut = error;
    return 0;
}

// A dotted address as inet_addr takes it, else the first IPv4 address of
// the name (getaddrinfo: safe on any thread). 0 or the Winsock error.
int resolveHost(const char *host, in_addr *address)
{
    if (inet_aton(host, address))
        return 0;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *found = nullptr;
    int status = getaddrinfo(host, nullptr, &hints, &found);
    if (status != 0)
        return WsaErrorFromAddrInfo(status);
    *address = reinterpret_cast<sockaddr_in *>(found->ai_addr)->sin_addr;
    freeaddrinfo(found);
    return 0;
}

// connect() on a socket with a send time-out is never restarted after a
// signal: it fails with EINTR while the kernel goes on connecting. Wait for
// that attempt to finish instead of reporting a failure that did not happen.
// 0 when connected, else the errno of the failure.
int connectThroughSignals(int fd, const sockaddr_in &peer)
{
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&peer), sizeof peer) == 0)
        return 0;
    if (errno != EINTR)
        return errno;
    pollfd waiting{fd, POLLOUT, 0};
    int ready;
    do
        ready = ::poll(&waiting, 1, kSendTimeoutMs);
    while (ready < 0 && errno == EINTR);
    if (ready < 0)
        return errno;
    if (ready == 0)
        return ETIMEDOUT;
    int error = 0;
    socklen_t size = sizeof error;
    if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0)
        return errno;
    return error;
}

} // namespace

extern "C" {

uintptr_t ConnectToServer(const char *host, int port, int *timeoutInErrorOut, uint32_t *serverAddress)
{
    const int timeoutMs = timeoutInErrorOut ? *timeoutInErrorOut : 0;
    if (timeoutInErrorOut)
        *timeoutInErrorOut = 0;
    if (serverAddress)
        *serverAddress = 0;
    if (!host)
        return failConnect(WSAEFAULT, timeoutInErrorOut);
    // A port is 16 bits; a value outside would silently reach another port.
    if (port <= 0 || port > 65535)
        return failConnect(WSAEINVAL, timeoutInErrorOut);
    in_addr address{};
    if (int error = resolveHost(host, &address))
        return failConnect(error, timeoutInErrorOut);

    int fd = avoidZero(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (fd < 0)
        return failConnect(WsaErrorFromErrno(errno), timeoutInErrorOut);
    // No SO_LINGER: a lingering close() would hold whoever stops the link
    // for up to its time, and the kernel delivers queued bytes without it.
    setMilliseconds(fd, SO_SNDTIMEO, kSendTimeoutMs);
    if (timeoutMs > 0)
        setMilliseconds(fd, SO_RCVTIMEO, timeoutMs);

    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(static_cast<uint16_t>(port));
    peer.sin_addr = address;
    if (int failure = connectThroughSignals(fd, peer)) {
        int error = WsaErrorFromErrno(failure);
        ::close(fd);
        return failConnect(error, timeoutInErrorOut);
    }
    CLinkTable::instance().add(fd);
    if (serverAddress)
        *serverAddress = address.s_addr;
    return static_cast<uintptr_t>(fd);
}

int RunClient(uintptr_t socket, void *context, ConduitCallback cb, int protocol)
{
    if (socket == 0 || socket == INVALID_SOCKET || !cb)
        return 0;
    std::shared_ptr<CLink> link = CLinkTable::instance().attachReader(socket);
    if (!link)
        return 0;
    try {
        std::thread([loop = std::make_shared<CReceiveLoop>(link, context, cb, protocol)] {
            loop->run();
        }).detach();
    } catch (const std::exception &) {
        CLinkTable::instance().detachReader(socket);
        return 0;
    }
    return 1;
}

int ClientSend(uintptr_t socket, const void *data, uint32_t length, int type, uint32_t extra)
{
    if (!data && length > 0)
        return 0;
    std::shared_ptr<CLink> link = CLinkTable::instance().find(socket);
    if (!link) {
        WSASetLastError(WSAENOTSOCK);
        return 0;
    }
    ZeltMessageHeader header;
    header.type = static_cast<uint8_t>(type);
    header.length = length;
    header.extra = extra;
    uint8_t headerBytes[ZeltMessageHeader::kSize];
    header.encode(headerBytes);
    return link->sendFrame(headerBytes, sizeof headerBytes, data, length) ? 1 : 0;
}

int StopClient(uintptr_t socket)
{
    if (CLinkTable::instance().stopOrClose(socket))
        return 0;
    WSASetLastError(WSAENOTSOCK);
    return SOCKET_ERROR;
}

void *GetFileData(const char *path, int *out)
{
    if (out)
        *out = 0;
    if (!path)
        return nullptr;
    int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    struct stat info {};
    if (fstat(fd, &info) != 0 || info.st_size == 0) {
        ::close(fd);
        return nullptr;
    }
    // The count goes out as an int, and a frame's fields are 32 bits: a
    // larger file is refused, not cut.
    if (static_cast<uint64_t>(info.st_size) > static_cast<uint64_t>(INT32_MAX)) {
        ::close(fd);
        if (out)
            *out = EFBIG;
        return nullptr;
    }
    const size_t size = static_cast<size_t>(info.st_size);
    auto *buffer = static_cast<uint8_t *>(std::malloc(size));
    if (!buffer) {
        ::close(fd);
        if (out)
            *out = 2;
        return nullptr;
    }
    size_t done = 0;
    while (done < size) {
        ssize_t n = ::read(fd, buffer + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            int error = errno;
            std::free(buffer);
            ::close(fd);
            if (out)
                *out = error;
            return nullptr;
        }
        if (n == 0)
            break; // the file shrank meanwhile: hand out what it holds now
        done += static_cast<size_t>(n);
    }
    ::close(fd);
    if (done == 0) {
        std::free(buffer);
        return nullptr;
    }
    if (out)
        *out = static_cast<int>(done);
    return buffer;
}

} // extern "C"
