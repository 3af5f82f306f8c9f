// The reply dispatcher pool: every reply delivered once, the pool growing
// past a busy target, and nothing delivered after Stop.
#include "admin/session/dispatcherpool.h"
#include "admin/session/pendingcommand.h"
#include "admin/session/replywaiter.h"

#include "platform/sync/event.h"
#include "platform/sync/semaphore.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <algorithm>
#include <atomic>
#include <mutex>

namespace {

// A target that records its deliveries and may hold its dispatcher thread.
class RecordingTarget : public CReplyTarget {
public:
    RecordingTarget() : CReplyTarget("Cmd", ModeKept, 1000) {}
    void Deliver(const QString &reply) override
    {
        m_started.SetEvent();
        if (m_hold)
            m_release.Wait(30000);
        std::lock_guard lock(m_mutex);
        m_replies.append(reply);
        m_delivered.Release();
    }
    QStringList replies()
    {
        std::lock_guard lock(m_mutex);
        return m_replies;
    }

    bool m_hold = false;
    CEvent m_started{true, false};
    CEvent m_release{true, false};
    CSemaphore m_delivered{0, 1000};

private:
    std::mutex m_mutex;
    QStringList m_replies;
};

TEST(CDispatcherPoolTest, DeliversEveryReplyOnce)
{
    CDispatcherPool pool;
    auto target = std::make_shared<RecordingTarget>();
    for (int i = 0; i < 100; ++i)
        pool.QueueForDispatch(target, QString::number(i));
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ(target->m_delivered.Wait(30000), WAIT_OBJECT_0);
    QStringList replies = target->replies();
    ASSERT_EQ(replies.size(), 100);
    std::sort(replies.begin(), replies.end(),
              [](const QString &a, const QString &b) { return a.toInt() < b.toInt(); });
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(replies[i], QString::number(i));
}

TEST(CDispatcherPoolTest, GrowsPastATargetThatHoldsItsThread)
{
    CDispatcherPool pool;
    auto busy = std::make_shared<RecordingTarget>();
    busy->m_hold = true;
    pool.QueueForDispatch(busy, "slow");
    ASSERT_EQ(busy->m_started.Wait(30000), WAIT_OBJECT_0);

    auto waiter = std::make_shared<CReplyWaiter>("Cmd", 1000);
    pool.QueueForDispatch(waiter, "fast");
    EXPECT_EQ(waiter->Wait(30000), QString("fast"));
    EXPECT_GE(pool.ThreadCount(), 2);
    busy->m_release.SetEvent();
}

TEST(CDispatcherPoolTest, DropsRepliesOnceStopped)
{
    CDispatcherPool pool;
    auto waiter = std::make_shared<CReplyWaiter>("Cmd", 1000);
    pool.Stop();
    pool.QueueForDispatch(waiter, "late");
    EXPECT_FALSE(waiter->Wait(50));
    EXPECT_EQ(pool.ThreadCount(), 0);
}

TEST(CReplyWaiterTest, FirstDeliveryWins)
{
    CReplyWaiter waiter("Cmd", 1000);
    waiter.Deliver("first");
    waiter.Deliver("second");
    EXPECT_EQ(waiter.Wait(0), QString("first"));
}

TEST(CPendingCommandTest, ADroppedHandleAbandonsItsCommand)
{
    auto waiter = std::make_shared<CReplyWaiter>("Cmd", 1000);
    {
        CPendingCommand pending(waiter, 7);
        EXPECT_EQ(waiter->GetMode(), CReplyTarget::ModeOneShot);
    }
    EXPECT_EQ(waiter->GetMode(), CReplyTarget::ModeAbandoned);
    EXPECT_EQ(waiter.use_count(), 1);
}

TEST(CPendingCommandTest, ATakenHandleLeavesTheCommandToItsWaiter)
{
    auto waiter = std::make_shared<CReplyWaiter>("Cmd", 1000);
    CPendingCommand pending(waiter, 7);
    EXPECT_EQ(pending.Take(), waiter);
    EXPECT_FALSE(pending.IsValid());
    EXPECT_EQ(waiter->GetMode(), CReplyTarget::ModeOneShot);
}

} // namespace
