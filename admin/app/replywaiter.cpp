// The waiting caller's target; see replywaiter.h.
#include "admin/app/replywaiter.h"

CReplyWaiter::CReplyWaiter(const QByteArray &commandWord, int timeToLiveMs)
    : CReplyTarget(commandWord, ModeOneShot, timeToLiveMs)
{
}

void CReplyWaiter::Deliver(const QString &reply)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_reply)
            return;
        m_reply = reply;
    }
    m_arrived.SetEvent();
}

std::optional<QString> CReplyWaiter::Wait(uint32_t ms)
{
    if (m_arrived.Wait(ms) != WAIT_OBJECT_0)
        return std::nullopt;
    std::lock_guard lock(m_mutex);
    return m_reply;
}
