// Recursive timed lock; see criticalsection.h.
#include "criticalsection.h"

#include "syncobject.h"

#include <cassert>
#include <chrono>

void CCriticalSection::Lock()
{
    Lock(INFINITE);
}

bool CCriticalSection::Lock(uint32_t ms)
{
    const std::thread::id self = std::this_thread::get_id();
    std::unique_lock lock(m_mutex);
    if (m_owner == self) {
        ++m_depth;
        return true;
    }
    const auto isFree = [this] { return m_depth == 0; };
    if (ms == INFINITE)
        m_released.wait(lock, isFree);
    else if (!m_released.wait_for(lock, std::chrono::milliseconds(ms), isFree))
        return false;
    m_owner = self;
    m_depth = 1;
    return true;
}

void CCriticalSection::Unlock()
{
    std::lock_guard lock(m_mutex);
    assert(m_owner == std::this_thread::get_id() && m_depth > 0 &&
           "unlocked by a thread that does not hold it");
    if (--m_depth == 0) {
        m_owner = std::thread::id();
        m_released.notify_one();
    }
}
