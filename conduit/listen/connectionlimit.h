// The bound on connections served at once: the accept thread takes a slot
// before each accept, a connection gives its slot back when it ends, and
// stopping the listener wakes an accept thread waiting for one.
#pragma once

#include <condition_variable>
#include <mutex>

class CConnectionLimit {
public:
    // `limit` 0: unbounded.
    explicit CConnectionLimit(int limit) : m_free(limit), m_bounded(limit > 0) {}

    // False once stopped.
    bool acquire();
    void release();
    void stop();

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_free;
    const bool m_bounded;
    bool m_stopped = false;
};
