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
        worker->thread = std::thread([worker = worker.get(), work = std::move(work)] {
            work();
            worker->finished = true;
        });
    } catch (const std::system_error &) {
        return false;
    }
    m_workers.push_back(std::move(worker));
    return true;
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
