// One accepted connection of a listener: the record its callbacks get, its
// link (send lock, stop), the last extra it received (replies carry it) and,
// for text lines, the reply slot of the line being handled.
#pragma once

#include "conduit/link/link.h"
#include "conduit/listenerrecord.h"

#include <atomic>
#include <cstdint>
#include <memory>

class CLineReplySlot;

class CListenerConnection {
public:
    CListenerConnection(ConduitListenerRecord *listener, int fd, uint32_t peerAddress)
        : m_link(std::make_shared<CLink>(fd))
    {
        m_record.listener = listener;
        m_record.socket = static_cast<uintptr_t>(fd);
        m_record.peerAddress = peerAddress;
        m_record.handler = nullptr;
    }

    ConduitConnectionRecord m_record;
    std::shared_ptr<CLink> m_link;
    std::atomic<uint32_t> m_lastExtra{0};
    uint32_t m_threadId = 0;
    CLineReplySlot *m_currentReply = nullptr; // only touched on the connection's thread
};
