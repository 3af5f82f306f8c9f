// A caller that waits for its reply (Execute, BeginCommand/WaitReply). The
// first delivery wins; the caller reads it after it arrived.
//
// A reply to a command usually comes back within tens of microseconds, so
// the caller looks for it briefly before going to sleep: waking a sleeping
// thread costs more than the whole round trip on a quiet link.
#pragma once

#include "admin/session/replytarget.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>

class CReplyWaiter : public CReplyTarget {
public:
    CReplyWaiter(const QByteArray &commandWord, int timeToLiveMs);

    void Deliver(const QString &reply) override;
    // Storing the text and waking the caller never blocks.
    bool DeliversWithoutWaiting() const override { return true; }
    // The reply, or nothing when it did not come within `ms`.
    std::optional<QString> Wait(uint32_t ms);

private:
    std::mutex m_mutex;
    std::condition_variable m_arrivedCondition;
    std::optional<QString> m_reply;
    std::atomic<bool> m_arrived{false};
};
