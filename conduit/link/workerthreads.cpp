// See workerthreads.h.
#include "workerthreads.h"

CWorkerThreads &CWorkerThreads::instance()
{
    static CWorkerThreads threads;
    return threads;
}

CWorkerThreads::~CWorkerThreads()
{
    std::lock_guard lock(m_mutex);
    joinFinishedLocked();
    for (auto &worker : m_workers)
        worker->thread.detach();
}

bool CWorkerThreads::start(std::function<void()> work)
{
    auto worker = std::make_shared<Worker>();
    std::lock_guard lock(m_mutex);
    joinFinishedLocked();
    try {
        // The thread shares its record: a set that goes away while the
        // thread runs leaves the record to the thread.
        worker->thread = std::thread([worker, work = std::move(work)]() mutable {
            work();
            work = nullptr; // what the work holds goes before it is counted finished
            worker->finished = true;
        });
    } catch (const std::system_error &) {
        return false;
    }
    m_workers.push_back(std::move(worker));
    return true;
}

void CWorkerThreads::joinAll()
{
    std::list<std::shared_ptr<Worker>> workers;
    {
        std::lock_guard lock(m_mutex);
        workers.swap(m_workers);
    }
    for (auto &worker : workers)
        worker->thread.join();
}

void CWorkerThreads::joinFinishedLocked()
{
    for (auto it = m_workers.begin(); it != m_workers.end();) {
        if ((*it)->finished) {
            (*it)->thread.join();
            it = m_workers.erase(it);
        } else {
            ++it;
        }
    }
}
