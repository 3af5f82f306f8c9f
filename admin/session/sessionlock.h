// The lock that orders a session's handshake (on the receive thread) with
// Connect and Disconnect (on the caller's thread). Every take has a bound:
// a lock that is not had in time is a failure the caller reports.
#pragma once

#include <chrono>
#include <cstdint>
#include <mutex>

class CSessionLock {
public:
    // True when the lock was had within `ms` milliseconds.
    bool Lock(uint32_t ms) { return m_mutex.try_lock_for(std::chrono::milliseconds(ms)); }
    void Unlock() { m_mutex.unlock(); }

private:
    std::timed_mutex m_mutex;
};
