// Counting semaphore over the shared wait lock; see semaphore.h.
#include "semaphore.h"

#include <cassert>

CSemaphore::CSemaphore(int initial, int maximum) : m_maximum(maximum), m_count(initial)
{
    assert(maximum > 0 && initial >= 0 && initial <= maximum);
}

bool CSemaphore::Release(int count, int *previous)
{
    bool released = false;
    changeState([&] {
        if (previous)
            *previous = m_count;
        if (count < 1 || count > m_maximum - m_count)
            return false;
        m_count += count;
        released = true;
        return true;
    });
    return released;
}

bool CSemaphore::tryAcquireLocked()
{
    if (m_count == 0)
        return false;
    --m_count;
    return true;
}
