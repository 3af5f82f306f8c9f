// The waiting caller's target; see replywaiter.h.
#include "admin/session/replywaiter.h"

#include <chrono>
#include <thread>

namespace {
// How long a caller looks for its reply before it sleeps.
constexpr auto kLookBeforeSleeping = std::chrono::microseconds(25);
} // namespace

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
        m_arrived.store(true, std::memory_order_release);
    }
    m_arrivedCondition.notify_all();
}

std::optional<QString> CReplyWaiter::Wait(uint32_t ms)
{
    const auto lookUntil = std::chrono::steady_clock::now() + kLookBeforeSleeping;
    while (!m_arrived.load(std::memory_order_acquire) && std::chrono::steady_clock::now() < lookUntil)
        std::this_thread::yield();
    std::unique_lock lock(m_mutex);
    if (!m_arrivedCondition.wait_for(lock, std::chrono::milliseconds(ms),
                                     [this] { return m_reply.has_value(); }))
        return std::nullopt;
    return m_reply;
}
