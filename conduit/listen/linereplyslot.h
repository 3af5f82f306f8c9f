// Where the reply to one text line is put: the raw reply pointer and length
// a plain callback writes (its event is this slot's eventfd, written to say
// "done"), or Complete for the message server's handlers. A slot whose wait
// ran out is kept by its listener until the listener is freed, so a late
// writer still writes into live memory and a live descriptor; what it wrote
// is then dropped.
#pragma once

#include "conduit/connectionhandler.h"

#include <atomic>
#include <cstdint>
#include <mutex>

class CLineReplySlot final : public CDeferredReply {
public:
    CLineReplySlot();
    CLineReplySlot(const CLineReplySlot &) = delete;
    CLineReplySlot &operator=(const CLineReplySlot &) = delete;

    void AddRef() override;
    void Release() override;
    int Complete(const void *data, uint32_t length) override;

    bool isUsable() const { return m_eventFd >= 0; }
    // The raw places a plain callback writes to.
    char **replyPointer() { return &m_reply; }
    uint32_t *replyLength() { return &m_replyLength; }
    void *eventHandle() const { return reinterpret_cast<void *>(static_cast<intptr_t>(m_eventFd)); }

    // True when the reply came within `ms`.
    bool wait(int ms);
    // Hands over the reply buffer (malloc; null when none), emptying the slot.
    char *takeReply(uint32_t *length);
    // After a wait ran out: later replies are dropped.
    void abandon();

private:
    ~CLineReplySlot();

    std::atomic<int> m_refCount{1};
    std::mutex m_mutex;
    bool m_closed = false; // completed or abandoned
    char *m_reply = nullptr;
    uint32_t m_replyLength = 0;
    int m_eventFd;
};
