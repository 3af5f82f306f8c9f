// See linereplyslot.h.
#include "linereplyslot.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

CLineReplySlot::CLineReplySlot() : m_eventFd(eventfd(0, EFD_CLOEXEC)) {}

CLineReplySlot::~CLineReplySlot()
{
    std::free(m_reply);
    if (m_eventFd >= 0)
        ::close(m_eventFd);
}

void CLineReplySlot::AddRef()
{
    ++m_refCount;
}

void CLineReplySlot::Release()
{
    if (--m_refCount == 0)
        delete this;
}

int CLineReplySlot::Complete(const void *data, uint32_t length)
{
    std::lock_guard lock(m_mutex);
    if (m_closed || (!data && length > 0))
        return 0;
    char *copy = static_cast<char *>(std::malloc(length ? length : 1));
    if (!copy)
        return 0;
    if (length)
        std::memcpy(copy, data, length);
    std::free(m_reply);
    m_reply = copy;
    m_replyLength = length;
    m_closed = true;
    uint64_t one = 1;
    [[maybe_unused]] ssize_t written = ::write(m_eventFd, &one, sizeof one);
    return 1;
}

bool CLineReplySlot::wait(int ms)
{
    pollfd ready{m_eventFd, POLLIN, 0};
    int result;
    do {
        result = poll(&ready, 1, ms);
    } while (result < 0 && errno == EINTR);
    if (result != 1)
        return false;
    // Consumes the signal: what the writer did before it is now ours to read.
    uint64_t count = 0;
    return ::read(m_eventFd, &count, sizeof count) == sizeof count;
}

char *CLineReplySlot::takeReply(uint32_t *length)
{
    std::lock_guard lock(m_mutex);
    char *reply = m_reply;
    *length = reply ? m_replyLength : 0;
    m_reply = nullptr;
    m_replyLength = 0;
    return reply;
}

void CLineReplySlot::abandon()
{
    std::lock_guard lock(m_mutex);
    m_closed = true;
}
