// The base of the waitable objects (events, semaphores). All of them share
// one process-wide lock, so that a thread can wait for any one of several
// objects at once (a dispatcher waits for its semaphore or the stop event)
// without lock-ordering trouble between the objects.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

constexpr uint32_t INFINITE = 0xFFFFFFFFu;
constexpr uint32_t WAIT_OBJECT_0 = 0;
constexpr uint32_t WAIT_TIMEOUT = 258;

namespace SyncDetail {
struct Waiter;
}

class CSyncObject {
public:
    CSyncObject() = default;
    CSyncObject(const CSyncObject &) = delete;
    CSyncObject &operator=(const CSyncObject &) = delete;
    virtual ~CSyncObject();

    // Waits until the object is signalled (and takes it, for an auto-reset
    // event or a semaphore) or `ms` milliseconds pass: WAIT_OBJECT_0 or
    // WAIT_TIMEOUT.
    uint32_t Wait(uint32_t ms = INFINITE);

protected:
    // Called with the shared lock held: true when the object is signalled,
    // consuming the signal where the object's kind says so.
    virtual bool tryAcquireLocked() = 0;
    // Called with the shared lock held after the object became signalled.
    void wakeWaitersLocked();

    friend uint32_t WaitForMultipleObjects(std::span<CSyncObject *const> objects, uint32_t ms);
    // Runs `change` under the shared lock; when it returns true (the object
    // became signalled) wakes the waiters.
    template <typename Change> void changeState(Change &&change);
    static void lockShared();
    static void unlockShared();

private:
    std::vector<SyncDetail::Waiter *> m_waiters;
};

// Waits until any one of the objects is signalled and takes it: returns
// WAIT_OBJECT_0 + its index (the first signalled one in order), or
// WAIT_TIMEOUT after `ms` milliseconds.
uint32_t WaitForMultipleObjects(std::span<CSyncObject *const> objects, uint32_t ms = INFINITE);

template <typename Change> void CSyncObject::changeState(Change &&change)
{
    lockShared();
    if (change())
        wakeWaitersLocked();
    unlockShared();
}
