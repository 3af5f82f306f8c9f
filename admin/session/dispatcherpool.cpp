// The reply dispatcher pool; see dispatcherpool.h.
#include "admin/session/dispatcherpool.h"

#include "platform/sync/singlelock.h"
#include "platform/sync/syncobject.h"

#include <array>

CDispatcherPool::~CDispatcherPool()
{
    Stop();
}

CDispatcherPool &CDispatcherPool::Process()
{
    static CDispatcherPool pool;
    return pool;
}

void CDispatcherPool::QueueForDispatch(std::shared_ptr<CReplyTarget> target, const QString &reply)
{
    Q_ASSERT(target);
    {
        // Under the threads' lock so Stop cannot slip between the check and
        // the start of a new thread.
        std::lock_guard threads(m_threadsMutex);
        if (m_stopped.load())
            return;
        {
            CSingleLock lock(m_listLock, true);
            m_records.push_back(Record{std::move(target), reply});
        }
        if (m_waiting.fetch_add(1) + 1 > m_threadCount.load()) {
            m_threadCount.fetch_add(1);
            m_threads.emplace_back(&CDispatcherPool::dispatchLoop, this);
        }
    }
    m_queued.Release();
}

void CDispatcherPool::dispatchLoop()
{
    const std::array<CSyncObject *, 2> objects{&m_stopEvent, &m_queued};
    while (WaitForMultipleObjects(objects) == WAIT_OBJECT_0 + 1 && !m_stopped.load()) {
        std::optional<Record> record;
        {
            CSingleLock lock(m_listLock, true);
            if (!m_records.empty()) {
                record = std::move(m_records.front());
                m_records.pop_front();
            }
        }
        if (record)
            record->target->Deliver(record->reply);
        m_waiting.fetch_sub(1);
    }
    m_threadCount.fetch_sub(1);
}

void CDispatcherPool::Stop()
{
    std::vector<std::thread> threads;
    {
        std::lock_guard lock(m_threadsMutex);
        if (m_stopped.exchange(true))
            return;
        threads.swap(m_threads);
    }
    m_stopEvent.SetEvent();
    for (std::thread &thread : threads)
        thread.join();
    CSingleLock lock(m_listLock, true);
    m_records.clear();
}
