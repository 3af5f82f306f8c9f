// See receiveloop.h. The order of effects follows the link's contract: the
// socket is closed before the end event is reported, and a callback that
// asks to stop ends the link with no further event.
#include "receiveloop.h"

#include "linktable.h"
#include "zeltmessageheader.h"

#include "platform/winsock/winsock.h"

#include <cassert>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/socket.h>

namespace {
// What an exception escaping the callback counts as: a refusal of any kind.
constexpr int kEscaped = -1;
} // namespace

CReceiveLoop::CReceiveLoop(std::shared_ptr<CLink> link, void *context, ConduitCallback callback, int protocol,
                           Options options)
    : m_link(std::move(link)), m_context(context), m_callback(callback), m_protocol(protocol == 1 ? 1 : 2),
      m_options(options), m_buffer(new uint8_t[kBufferSize])
{
    assert(m_link && m_callback);
}

void CReceiveLoop::run()
{
    WSASetLastError(0);
    if (call(ZELT_EVENT_STARTED, 0, 0, 0) < 0 && m_options.startCanRefuse) {
        endWithEvent(ZELT_EVENT_BROKEN, 0);
        return;
    }
    for (;;) {
        uint8_t headerBytes[ZeltMessageHeader::kSize];
        const size_t headerSize =
            m_protocol == 2 ? ZeltMessageHeader::kSize : ZeltMessageHeader::kLengthOnlySize;
        ReadResult result = readExactly(headerBytes, headerSize, false);
        if (result == ReadResult::Ended)
            return;
        if (result == ReadResult::Incomplete) {
            endWithEvent(ZELT_EVENT_CLOSED, static_cast<uint32_t>(WSAGetLastError()));
            return;
        }
        ZeltMessageHeader header;
        if (m_protocol == 2) {
            header = ZeltMessageHeader::decode(headerBytes);
        } else {
            header.length = getLittleEndian32(headerBytes);
        }
        // A bad marker means the stream is out of step: stop before trusting
        // its length.
        if (header.marker != 0) {
            endWithEvent(ZELT_EVENT_BROKEN, static_cast<uint32_t>(WSAGetLastError()));
            return;
        }
        if (header.length > ZeltMessageHeader::kMaxPayloadLength) {
            WSASetLastError(WSAEMSGSIZE);
            endWithEvent(ZELT_EVENT_BROKEN, WSAEMSGSIZE);
            return;
        }
        uint8_t *payload = nullptr;
        result = readPayload(header.length, &payload);
        if (result == ReadResult::Ended)
            return;
        if (result == ReadResult::Incomplete) {
            endWithEvent(ZELT_EVENT_BROKEN, static_cast<uint32_t>(WSAGetLastError()));
            return;
        }
        int answer = call(reinterpret_cast<uintptr_t>(payload), header.length, header.type, header.extra);
        std::free(payload);
        if (answer != 0) {
            if (m_options.reportStopRequest)
                endWithEvent(ZELT_EVENT_BROKEN, 0);
            else
                endLink();
            return;
        }
    }
}

CReceiveLoop::ReadResult CReceiveLoop::readExactly(uint8_t *out, size_t length, bool insideFrame)
{
    size_t done = 0;
    while (done < length) {
        ReadResult result;
        size_t n = readSome(out + done, length - done, insideFrame || done > 0, &result);
        if (n == 0)
            return result;
        done += n;
    }
    return ReadResult::Complete;
}

CReceiveLoop::ReadResult CReceiveLoop::readPayload(uint32_t length, uint8_t **payload)
{
    // Sizes in size_t: length + 1 can't wrap, and the buffer starts small.
    const size_t total = size_t(length) + 1;
    size_t capacity = total < kBufferSize ? total : kBufferSize;
    auto *buffer = static_cast<uint8_t *>(std::malloc(capacity));
    if (!buffer) {
        WSASetLastError(WSAENOBUFS);
        return ReadResult::Incomplete;
    }
    size_t done = 0;
    while (done < length) {
        if (done + 1 == capacity) {
            size_t grown = capacity * 2 < total ? capacity * 2 : total;
            auto *bigger = static_cast<uint8_t *>(std::realloc(buffer, grown));
            if (!bigger) {
                std::free(buffer);
                WSASetLastError(WSAENOBUFS);
                return ReadResult::Incomplete;
            }
            buffer = bigger;
            capacity = grown;
        }
        ReadResult result;
        size_t n = readSome(buffer + done, capacity - 1 - done, true, &result);
        if (n == 0) {
            std::free(buffer);
            return result;
        }
        done += n;
    }
    buffer[length] = 0;
    *payload = buffer;
    return ReadResult::Complete;
}

size_t CReceiveLoop::readSome(uint8_t *out, size_t maximum, bool insideFrame, ReadResult *result)
{
    assert(maximum > 0);
    if (m_bufferStart == m_bufferEnd) {
        // A large read goes straight to its destination.
        if (maximum >= kBufferSize)
            return receive(out, maximum, insideFrame, result);
        size_t n = receive(m_buffer.get(), kBufferSize, insideFrame, result);
        if (n == 0)
            return 0;
        m_bufferStart = 0;
        m_bufferEnd = n;
    }
    size_t available = m_bufferEnd - m_bufferStart;
    size_t n = available < maximum ? available : maximum;
    std::memcpy(out, m_buffer.get() + m_bufferStart, n);
    m_bufferStart += n;
    return n;
}

size_t CReceiveLoop::receive(uint8_t *out, size_t maximum, bool insideFrame, ReadResult *result)
{
    for (;;) {
        ssize_t n = ::recv(m_link->socket(), out, maximum, 0);
        if (n > 0)
            return static_cast<size_t>(n);
        if (n == 0) {
            *result = ReadResult::Incomplete;
            return 0;
        }
        if (errno == EINTR)
            continue;
        if (WsaSetLastErrorFromErrno() != WSAETIMEDOUT) {
            *result = ReadResult::Incomplete;
            return 0;
        }
        if (!keepWaitingAfterTimeout(insideFrame)) {
            *result = ReadResult::Ended;
            return 0;
        }
    }
}

bool CReceiveLoop::keepWaitingAfterTimeout(bool insideFrame)
{
    uintptr_t event = insideFrame ? ZELT_EVENT_FRAME_TIMEOUT : ZELT_EVENT_IDLE_TIMEOUT;
    if (call(event, 0, WSAETIMEDOUT, 0) == 0)
        return true;
    endWithEvent(m_options.refusedTimeoutEvent, WSAETIMEDOUT);
    return false;
}

int CReceiveLoop::call(uintptr_t dataOrEvent, uint32_t length, uint32_t typeOrError, uint32_t extra)
{
    try {
        return m_callback(dataOrEvent, length, m_context, typeOrError, extra);
    } catch (...) {
        return kEscaped;
    }
}

void CReceiveLoop::endLink()
{
    CLinkTable::instance().remove(static_cast<uintptr_t>(m_link->socket()));
    m_link->close();
}

void CReceiveLoop::endWithEvent(uintptr_t event, uint32_t error)
{
    endLink();
    call(event, 0, error, 0);
}
