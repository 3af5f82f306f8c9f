// See link.h. Sends use MSG_NOSIGNAL: a peer that went away must give the
// sender an error, not end the process with SIGPIPE.
#include "link.h"

#include "platform/winsock/winsock.h"

#include <cerrno>
#include <sys/socket.h>
#include <sys/uio.h>
#include <unistd.h>

CLink::CLink(int fd) : m_fd(fd) {}

CLink::~CLink()
{
    close();
}

bool CLink::sendFrame(const void *header, size_t headerLength, const void *payload, size_t payloadLength,
                      uint32_t *payloadSent)
{
    if (payloadSent)
        *payloadSent = 0;
    std::lock_guard lock(m_sendMutex);
    if (m_closed) {
        WSASetLastError(WSAENOTSOCK);
        return false;
    }
    // Header and payload leave in one call when the kernel takes them, which
    // keeps a small request to one segment.
    iovec parts[2] = {{const_cast<void *>(header), headerLength},
                      {const_cast<void *>(payload), payloadLength}};
    msghdr message{};
    message.msg_iov = parts;
    message.msg_iovlen = payloadLength > 0 ? 2 : 1;
    size_t headerLeft = headerLength;
    size_t payloadDone = 0;
    while (headerLeft > 0 || payloadDone < payloadLength) {
        ssize_t n = ::sendmsg(m_fd, &message, MSG_NOSIGNAL);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            WsaSetLastErrorFromErrno();
            return false;
        }
        size_t taken = static_cast<size_t>(n);
        size_t fromHeader = taken < headerLeft ? taken : headerLeft;
        headerLeft -= fromHeader;
        payloadDone += taken - fromHeader;
        if (payloadSent)
            *payloadSent = static_cast<uint32_t>(payloadDone);
        // Rebuild the vector from what is still unsent.
        message.msg_iov = headerLeft > 0 ? parts : parts + 1;
        message.msg_iovlen = headerLeft > 0 ? 2 : 1;
        parts[0].iov_base =
            const_cast<uint8_t *>(static_cast<const uint8_t *>(header)) + (headerLength - headerLeft);
        parts[0].iov_len = headerLeft;
        parts[1].iov_base = const_cast<uint8_t *>(static_cast<const uint8_t *>(payload)) + payloadDone;
        parts[1].iov_len = payloadLength - payloadDone;
        if (headerLeft == 0 && payloadDone == payloadLength)
            break;
    }
    return true;
}

bool CLink::sendAllLocked(const void *data, size_t length, size_t *sent)
{
    if (sent)
        *sent = 0;
    if (m_closed) {
        WSASetLastError(WSAENOTSOCK);
        return false;
    }
    const auto *bytes = static_cast<const uint8_t *>(data);
    size_t done = 0;
    while (done < length) {
        ssize_t n = ::send(m_fd, bytes + done, length - done, MSG_NOSIGNAL);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            WsaSetLastErrorFromErrno();
            return false;
        }
        done += static_cast<size_t>(n);
        if (sent)
            *sent = done;
    }
    return true;
}

void CLink::stop()
{
    std::lock_guard lock(m_stateMutex);
    if (!m_closed)
        ::shutdown(m_fd, SHUT_RDWR);
}

void CLink::close()
{
    {
        std::lock_guard lock(m_stateMutex);
        if (m_closed)
            return;
        // Before the shutdown: a peer that sees the end finds the files gone.
        receivedFiles().deleteAll();
    }
    stop(); // a sender blocked in a full socket gives up now
    std::lock_guard sending(m_sendMutex);
    std::lock_guard lock(m_stateMutex);
    if (m_closed)
        return;
    m_closed = true;
    ::close(m_fd);
}
