// See connectionlimit.h.
#include "connectionlimit.h"

bool CConnectionLimit::acquire()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_stopped || !m_bounded || m_free > 0; });
    if (m_stopped)
        return false;
    if (m_bounded)
        --m_free;
    return true;
}

void CConnectionLimit::release()
{
    std::lock_guard lock(m_mutex);
    if (m_bounded)
        ++m_free;
    m_changed.notify_all();
}

void CConnectionLimit::stop()
{
    std::lock_guard lock(m_mutex);
    m_stopped = true;
    m_changed.notify_all();
}
