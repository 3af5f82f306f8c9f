// The process-wide pool of dispatcher threads that hands replies to their
// targets. Replies are matched on Conduit's receive thread and queued here,
// so a slow window never holds up the link; the pool grows by one thread
// whenever more replies wait than threads exist, so one busy target cannot
// hold back the reply another caller waits for.
#pragma once

#include "admin/session/replytarget.h"
#include "platform/sync/criticalsection.h"
#include "platform/sync/event.h"
#include "platform/sync/semaphore.h"

#include <QString>

#include <atomic>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class CDispatcherPool {
public:
    CDispatcherPool() = default;
    // Stops the pool if that was not done.
    ~CDispatcherPool();
    CDispatcherPool(const CDispatcherPool &) = delete;
    CDispatcherPool &operator=(const CDispatcherPool &) = delete;

    // The pool all sessions of the program share.
    static CDispatcherPool &Process();

    // Queues the reply for its target; dropped once the pool is stopped.
    void QueueForDispatch(std::shared_ptr<CReplyTarget> target, const QString &reply);
    // Ends and joins every dispatcher thread; replies still queued are not
    // delivered. Called when the application object goes.
    void Stop();

    int ThreadCount() const { return m_threadCount.load(); }

private:
    struct Record {
        std::shared_ptr<CReplyTarget> target;
        QString reply;
    };
    void dispatchLoop();

    CCriticalSection m_listLock;
    std::deque<Record> m_records;
    CSemaphore m_queued{0, 32767};
    CEvent m_stopEvent{true, false};
    std::atomic<int> m_threadCount{0};
    std::atomic<int> m_waiting{0};
    std::atomic<bool> m_stopped{false};
    std::mutex m_threadsMutex;
    std::vector<std::thread> m_threads;
};
