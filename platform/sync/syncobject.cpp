// The wait loop that serves both the single and the multiple wait; see
// syncobject.h. Lock order: an object's lock, then a waiter's lock; a waiter
// never holds its own lock while it touches an object.
#include "syncobject.h"

#include <algorithm>
#include <cassert>
#include <chrono>
#include <condition_variable>
#include <optional>

namespace SyncDetail {

struct Waiter {
    std::mutex mutex;
    std::condition_variable cv;
    bool woken = false;
};

} // namespace SyncDetail

using SyncDetail::Waiter;

CSyncObject::~CSyncObject()
{
    std::lock_guard lock(m_mutex);
    assert(m_waiters.empty() && "a waitable object was destroyed while a thread waits for it");
}

uint32_t CSyncObject::Wait(uint32_t ms)
{
    CSyncObject *self = this;
    return WaitForMultipleObjects(std::span<CSyncObject *const>(&self, 1), ms);
}

bool CSyncObject::tryAcquireOrEnlist(Waiter *waiter)
{
    std::lock_guard lock(m_mutex);
    if (tryAcquireLocked())
        return true;
    if (waiter)
        m_waiters.push_back(waiter);
    return false;
}

void CSyncObject::delist(Waiter *waiter)
{
    std::lock_guard lock(m_mutex);
    std::erase(m_waiters, waiter);
}

void CSyncObject::wakeWaitersLocked()
{
    for (Waiter *waiter : m_waiters) {
        std::lock_guard lock(waiter->mutex);
        waiter->woken = true;
        waiter->cv.notify_one();
    }
}

uint32_t WaitForMultipleObjects(std::span<CSyncObject *const> objects, uint32_t ms)
{
    assert(!objects.empty());
    using Clock = std::chrono::steady_clock;
    std::optional<Clock::time_point> deadline;
    if (ms != INFINITE)
        deadline = Clock::now() + std::chrono::milliseconds(ms);

    Waiter waiter;
    for (;;) {
        const bool lastTry = deadline && Clock::now() >= *deadline;
        {
            std::lock_guard lock(waiter.mutex);
            waiter.woken = false;
        }
        for (size_t i = 0; i < objects.size(); ++i) {
            if (objects[i]->tryAcquireOrEnlist(lastTry ? nullptr : &waiter)) {
                for (size_t j = 0; j < i; ++j)
                    objects[j]->delist(&waiter);
                return WAIT_OBJECT_0 + static_cast<uint32_t>(i);
            }
        }
        if (lastTry)
            return WAIT_TIMEOUT;
        {
            std::unique_lock lock(waiter.mutex);
            if (deadline)
                waiter.cv.wait_until(lock, *deadline, [&] { return waiter.woken; });
            else
                waiter.cv.wait(lock, [&] { return waiter.woken; });
        }
        for (CSyncObject *object : objects)
            object->delist(&waiter);
    }
}
