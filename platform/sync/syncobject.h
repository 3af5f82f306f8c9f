// The base of the waitable objects (events, semaphores). Each object guards
// its state with a lock of its own; a waiting thread enlists with every
// object it waits for, so it can wait for any one of several at once (a
// dispatcher waits for its semaphore or the stop event). Nothing is shared
// between objects, so an object made by one module (libConduit.so) can be
// set by code of another that carries its own copy of this layer.
#pragma once

#include <cstdint>
#include <mutex>
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
    // Called with the object's lock held: true when the object is signalled,
    // consuming the signal where the object's kind says so.
    virtual bool tryAcquireLocked() = 0;
    // Runs `change` under the object's lock; when it returns true (the
    // object became signalled) wakes the waiters.
    template <typename Change> void changeState(Change &&change);

private:
    friend uint32_t WaitForMultipleObjects(std::span<CSyncObject *const> objects, uint32_t ms);
    // Takes the object if it is signalled; otherwise, with a waiter, enlists
    // it to be woken by the next signal.
    bool tryAcquireOrEnlist(SyncDetail::Waiter *waiter);
    void delist(SyncDetail::Waiter *waiter);
    void wakeWaitersLocked();

    std::mutex m_mutex;
    std::vector<SyncDetail::Waiter *> m_waiters;
};

// Waits until any one of the objects is signalled and takes it: returns
// WAIT_OBJECT_0 + its index (the first signalled one in order), or
// WAIT_TIMEOUT after `ms` milliseconds.
uint32_t WaitForMultipleObjects(std::span<CSyncObject *const> objects, uint32_t ms = INFINITE);

template <typename Change> void CSyncObject::changeState(Change &&change)
{
    std::lock_guard lock(m_mutex);
    if (change())
        wakeWaitersLocked();
}
