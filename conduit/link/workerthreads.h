// Work threads of the library (link receive loops, listener connections).
// Nobody waits for one by itself, yet a finished thread is joined, at the
// next start or when its owner goes away, so that no thread of ours is still
// unwinding while the process exits (the leak checker and unloading both
// need that). The process-wide set leaves threads still running at its end
// alone; a listener keeps a set of its own and joins it all when freed.
#pragma once

#include <atomic>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

class CWorkerThreads {
public:
    // The process-wide set, for threads no owner waits for.
    static CWorkerThreads &instance();
    CWorkerThreads() = default;
    ~CWorkerThreads();
    CWorkerThreads(const CWorkerThreads &) = delete;
    CWorkerThreads &operator=(const CWorkerThreads &) = delete;

    // Runs `work` on a new thread; false when no thread could be made.
    bool start(std::function<void()> work);
    // Waits until every thread of the set has ended. Their work must be
    // bound to end (a listener stops its connections first).
    void joinAll();

private:
    struct Worker {
        std::thread thread;
        std::atomic<bool> finished{false};
    };
    void joinFinishedLocked();

    std::mutex m_mutex;
    std::list<std::shared_ptr<Worker>> m_workers;
};
