// A recursive lock, taken either without limit or with a bound in
// milliseconds (the session's transaction lock is taken within 2000 ms).
// Built on a plain mutex and a condition variable, which every checker
// (ThreadSanitizer included) understands.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

class CCriticalSection {
public:
    CCriticalSection() = default;
    CCriticalSection(const CCriticalSection &) = delete;
    CCriticalSection &operator=(const CCriticalSection &) = delete;

    void Lock();
    // True when the lock was had within `ms` milliseconds (INFINITE: waits
    // as long as it takes).
    bool Lock(uint32_t ms);
    // Only by the thread that holds the lock, once for each Lock.
    void Unlock();

private:
    std::mutex m_mutex;
    std::condition_variable m_released;
    std::thread::id m_owner;
    int m_depth = 0;
};
