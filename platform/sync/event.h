// An event as the threads of the suite use it: auto-reset (one waiter is
// released per SetEvent, and the event clears itself) or manual-reset (stays
// set, releasing every waiter, until ResetEvent).
#pragma once

#include "syncobject.h"

class CEvent : public CSyncObject {
public:
    explicit CEvent(bool manualReset = false, bool initiallySet = false);

    void SetEvent();
    void ResetEvent();

protected:
    bool tryAcquireLocked() override;

private:
    const bool m_manualReset;
    bool m_set;
};
