// A recursive lock, taken either without limit or with a bound in
// milliseconds (the session's transaction lock is taken within 2000 ms).
#pragma once

#include <cstdint>
#include <mutex>

class CCriticalSection {
public:
    CCriticalSection() = default;
    CCriticalSection(const CCriticalSection &) = delete;
    CCriticalSection &operator=(const CCriticalSection &) = delete;

    void Lock();
    // True when the lock was had within `ms` milliseconds.
    bool Lock(uint32_t ms);
    void Unlock();

private:
    std::recursive_timed_mutex m_mutex;
};
