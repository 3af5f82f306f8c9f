// Scope guard of a critical section; see singlelock.h.
#include "singlelock.h"

CSingleLock::CSingleLock(CCriticalSection &section, bool lockNow) : m_section(section)
{
    if (lockNow)
        Lock();
}

CSingleLock::~CSingleLock()
{
    Unlock();
}

bool CSingleLock::Lock(uint32_t ms)
{
    if (!m_locked)
        m_locked = m_section.Lock(ms);
    return m_locked;
}

void CSingleLock::Unlock()
{
    if (m_locked) {
        m_section.Unlock();
        m_locked = false;
    }
}
