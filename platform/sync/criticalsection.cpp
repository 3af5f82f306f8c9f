// Recursive timed lock; see criticalsection.h.
#include "criticalsection.h"

#include "syncobject.h"

#include <chrono>

void CCriticalSection::Lock()
{
    m_mutex.lock();
}

bool CCriticalSection::Lock(uint32_t ms)
{
    if (ms == INFINITE) {
        m_mutex.lock();
        return true;
    }
    return m_mutex.try_lock_for(std::chrono::milliseconds(ms));
}

void CCriticalSection::Unlock()
{
    m_mutex.unlock();
}
