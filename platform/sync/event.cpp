// Auto- and manual-reset events over the shared wait lock; see event.h.
#include "event.h"

CEvent::CEvent(bool manualReset, bool initiallySet) : m_manualReset(manualReset), m_set(initiallySet) {}

void CEvent::SetEvent()
{
    changeState([this] {
        m_set = true;
        return true;
    });
}

void CEvent::ResetEvent()
{
    changeState([this] {
        m_set = false;
        return false;
    });
}

bool CEvent::tryAcquireLocked()
{
    if (!m_set)
        return false;
    if (!m_manualReset)
        m_set = false;
    return true;
}
