// The handle of a command begun with BeginCommand. It owns its share of the
// waiting target: a handle dropped without WaitReply marks the command
// abandoned, so its reply is dropped and the next sweep clears it; nothing
// leaks and nothing is freed twice.
#pragma once

#include "admin/session/replywaiter.h"

#include <memory>

class CPendingCommand {
public:
    CPendingCommand() = default;
    explicit CPendingCommand(std::shared_ptr<CReplyWaiter> waiter, uint32_t transaction)
        : m_waiter(std::move(waiter)), m_transaction(transaction)
    {
    }
    CPendingCommand(CPendingCommand &&other) noexcept = default;
    CPendingCommand &operator=(CPendingCommand &&other) noexcept
    {
        abandon();
        m_waiter = std::move(other.m_waiter);
        m_transaction = other.m_transaction;
        return *this;
    }
    ~CPendingCommand() { abandon(); }

    bool IsValid() const { return m_waiter != nullptr; }
    uint32_t Transaction() const { return m_transaction; }
    // Hands the waiter to WaitReply; the handle is spent.
    std::shared_ptr<CReplyWaiter> Take() { return std::move(m_waiter); }

private:
    void abandon()
    {
        if (m_waiter)
            m_waiter->SetMode(CReplyTarget::ModeAbandoned);
        m_waiter.reset();
    }

    std::shared_ptr<CReplyWaiter> m_waiter;
    uint32_t m_transaction = 0;
};
