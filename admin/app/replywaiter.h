// A caller that waits for its reply (Execute, BeginCommand/WaitReply). The
// first delivery wins; the caller reads it after the event is set.
#pragma once

#include "admin/app/replytarget.h"
#include "platform/sync/event.h"

#include <mutex>
#include <optional>

class CReplyWaiter : public CReplyTarget {
public:
    CReplyWaiter(const QByteArray &commandWord, int timeToLiveMs);

    void Deliver(const QString &reply) override;
    // The reply, or nothing when it did not come within `ms`.
    std::optional<QString> Wait(uint32_t ms);

private:
    std::mutex m_mutex;
    std::optional<QString> m_reply;
    CEvent m_arrived{true, false};
};
