// See lineconnection.h. NUL bytes in the input become 0xFF so each line can
// be handed on as a C string; the input limit bounds the unfinished line,
// since finished lines leave the buffer as soon as they are handled.
#include "lineconnection.h"

#include "linereplyslot.h"

#include "platform/winsock/winsock.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
constexpr size_t kReadChunk = 4096;
constexpr size_t kFilePiece = 32768;
constexpr uint8_t kFileReplyMark = 0xFF;
} // namespace

CLineConnection::CLineConnection(CListener &listener, std::shared_ptr<CListenerConnection> connection)
    : m_listener(listener), m_connection(std::move(connection)),
      m_callback(reinterpret_cast<LineServerCallback>(listener.record()->callback))
{
}

void CLineConnection::run()
{
    char *reply = nullptr;
    uint32_t replyLength = 0;
    int opened = call(LINE_EVENT_OPENED, 0, &reply, &replyLength, nullptr);
    uintptr_t ending = opened < 0 ? LINE_EVENT_REFUSED : sendReply(reply, replyLength);
    std::string pending;
    char chunk[kReadChunk];
    while (ending == 0) {
        ssize_t n = ::recv(m_connection->m_link->socket(), chunk, sizeof chunk, 0);
        if (n == 0) {
            ending = LINE_EVENT_PEER_CLOSED;
            break;
        }
        if (n < 0) {
            if (errno == EINTR)
                continue;
            WsaSetLastErrorFromErrno();
            ending = LINE_EVENT_READ_FAILED;
            break;
        }
        std::replace(chunk, chunk + n, '\0', '\xFF');
        pending.append(chunk, static_cast<size_t>(n));
        size_t start = 0;
        for (size_t end; ending == 0 && (end = pending.find("\r\n", start)) != std::string::npos;
             start = end + 2) {
            pending[end] = '\0';
            ending = handleLine(pending.c_str() + start, static_cast<uint32_t>(end - start));
        }
        pending.erase(0, start);
        if (ending == 0 && pending.size() > static_cast<size_t>(m_listener.record()->inputLimit))
            ending = LINE_EVENT_REFUSED;
    }
    end(ending);
}

uintptr_t CLineConnection::handleLine(const char *line, uint32_t length)
{
    auto *slot = new CLineReplySlot();
    if (!slot->isUsable()) {
        slot->Release();
        return LINE_EVENT_REFUSED;
    }
    m_connection->m_currentReply = slot;
    int result = call(reinterpret_cast<uintptr_t>(line), length, slot->replyPointer(), slot->replyLength(),
                      slot->eventHandle());
    m_connection->m_currentReply = nullptr;
    if (result < 0) {
        slot->Release();
        return LINE_EVENT_REFUSED;
    }
    if (result > 0) {
        int wait = std::min(result, m_listener.timeoutMs());
        if (!slot->wait(wait)) {
            // Whoever still holds the slot may write to it later: it lives
            // on with the listener, and what comes is dropped.
            slot->abandon();
            m_listener.keepAbandonedReply(slot);
            return LINE_EVENT_REFUSED;
        }
    }
    uint32_t replyLength = 0;
    char *reply = slot->takeReply(&replyLength);
    slot->Release();
    return sendReply(reply, replyLength);
}

uintptr_t CLineConnection::sendReply(char *reply, uint32_t length)
{
    if (!reply)
        return 0;
    bool sent;
    if (length >= 2 && static_cast<uint8_t>(reply[0]) == kFileReplyMark)
        sent = sendFileReply(std::string(reply + 1, length - 1));
    else
        sent = m_connection->m_link->sendFrame(reply, length, nullptr, 0);
    std::free(reply);
    return sent ? uintptr_t{0} : uintptr_t{LINE_EVENT_PEER_CLOSED};
}

bool CLineConnection::sendFileReply(const std::string &path)
{
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    char piece[kFilePiece];
    bool sent = true;
    for (;;) {
        ssize_t n = ::read(fd, piece, sizeof piece);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            sent = n == 0;
            break;
        }
        if (!m_connection->m_link->sendFrame(piece, static_cast<size_t>(n), nullptr, 0)) {
            sent = false;
            break;
        }
    }
    ::close(fd);
    ::unlink(path.c_str());
    return sent;
}

int CLineConnection::call(uintptr_t lineOrEvent, uint32_t length, char **reply, uint32_t *replyLength,
                          void *event)
{
    try {
        return m_callback(lineOrEvent, length, reply, replyLength, m_connection->m_threadId,
                          &m_connection->m_record, event, nullptr);
    } catch (...) {
        return -1; // an escaped exception ends the connection
    }
}

void CLineConnection::end(uintptr_t event)
{
    char *reply = nullptr;
    uint32_t replyLength = 0;
    int result = call(event, 0, &reply, &replyLength, nullptr);
    if (result == 0)
        sendReply(reply, replyLength);
    else
        std::free(reply);
}
