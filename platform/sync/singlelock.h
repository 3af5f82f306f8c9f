// Scope guard of a critical section: whatever it locked is unlocked when it
// goes out of scope, so no exit path (a thrown CZltException included) leaves
// the lock held.
#pragma once

#include "criticalsection.h"
#include "syncobject.h"

class CSingleLock {
public:
    explicit CSingleLock(CCriticalSection &section, bool lockNow = false);
    ~CSingleLock();
    CSingleLock(const CSingleLock &) = delete;
    CSingleLock &operator=(const CSingleLock &) = delete;

    // True when the lock is held (taken within `ms`, or already held).
    bool Lock(uint32_t ms = INFINITE);
    void Unlock();
    bool IsLocked() const { return m_locked; }

private:
    CCriticalSection &m_section;
    bool m_locked = false;
};
