// One lock for every waitable object, and the wait loop that serves both the
// single and the multiple wait; see syncobject.h.
#include "syncobject.h"

#include <algorithm>
#include <cassert>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>

namespace SyncDetail {

struct Waiter {
    std::condition_variable cv;
    bool woken = false;
};

std::mutex &sharedMutex()
{
    static std::mutex mutex;
    return mutex;
}

} // namespace SyncDetail

using SyncDetail::sharedMutex;

CSyncObject::~CSyncObject()
{
    std::lock_guard guard(sharedMutex());
    assert(m_waiters.empty() && "a waitable object was destroyed while a thread waits for it");
}

void CSyncObject::lockShared()
{
    sharedMutex().lock();
}

void CSyncObject::unlockShared()
{
    sharedMutex().unlock();
}

void CSyncObject::wakeWaitersLocked()
{
    for (SyncDetail::Waiter *waiter : m_waiters) {
        waiter->woken = true;
        waiter->cv.notify_one();
    }
}

uint32_t CSyncObject::Wait(uint32_t ms)
{
    CSyncObject *self = this;
    return WaitForMultipleObjects(std::span<CSyncObject *const>(&self, 1), ms);
}

uint32_t WaitForMultipleObjects(std::span<CSyncObject *const> objects, uint32_t ms)
{
    assert(!objects.empty());
    using Clock = std::chrono::steady_clock;
    std::optional<Clock::time_point> deadline;
    if (ms != INFINITE)
        deadline = Clock::now() + std::chrono::milliseconds(ms);

    std::unique_lock lock(sharedMutex());
    SyncDetail::Waiter waiter;
    for (;;) {
        for (size_t i = 0; i < objects.size(); ++i) {
            if (objects[i]->tryAcquireLocked())
                return WAIT_OBJECT_0 + static_cast<uint32_t>(i);
        }
        if (deadline && Clock::now() >= *deadline)
            return WAIT_TIMEOUT;

        for (CSyncObject *object : objects)
            object->m_waiters.push_back(&waiter);
        waiter.woken = false;
        if (deadline)
            waiter.cv.wait_until(lock, *deadline, [&] { return waiter.woken; });
        else
            waiter.cv.wait(lock, [&] { return waiter.woken; });
        for (CSyncObject *object : objects)
            std::erase(object->m_waiters, &waiter);
    }
}
