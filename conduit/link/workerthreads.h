// The library's detached work threads (link receive loops, listener
// connections). Nobody waits for them, yet a finished thread is joined, at
// the next start or when the library goes away, so that no thread of ours is
// still unwinding while the process exits (the leak checker and unloading
// both need that). Threads still running at that point are left alone.
#pragma once

#include <atomic>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <thread>

class CWorkerThreads {
public:
    static CWorkerThreads &instance();
    ~CWorkerThreads();

    // Runs `work` on a new thread; false when no thread could be made.
    bool start(std::function<void()> work);

private:
    struct Worker {
        std::thread thread;
        std::atomic<bool> finished{false};
    };
    void joinFinishedLocked();

    std::mutex m_mutex;
    std::list<std::shared_ptr<Worker>> m_workers;
};
