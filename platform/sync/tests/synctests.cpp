// Events, semaphores, critical sections and bounded waits, exercised from
// real threads.
#include "platform/sync/sync.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

// Long enough never to expire in a healthy run; only catches hangs.
constexpr uint32_t kHangGuardMs = 20000;

TEST(EventTest, AutoResetEventReleasesOneWaiterPerSet)
{
    CEvent event;
    std::atomic<int> released{0};
    std::vector<std::thread> waiters;
    for (int i = 0; i < 4; ++i)
        waiters.emplace_back([&] {
            if (event.Wait(kHangGuardMs) == WAIT_OBJECT_0)
                ++released;
        });
    for (int set = 1; set <= 4; ++set) {
        event.SetEvent();
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::milliseconds(kHangGuardMs);
        while (released.load() < set && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(1ms);
        std::this_thread::sleep_for(10ms);
        EXPECT_EQ(released.load(), set);
    }
    for (auto &waiter : waiters)
        waiter.join();
    EXPECT_EQ(event.Wait(0), WAIT_TIMEOUT);
}

TEST(EventTest, SettingASetAutoResetEventAgainCountsOnce)
{
    CEvent event;
    event.SetEvent();
    event.SetEvent();
    EXPECT_EQ(event.Wait(0), WAIT_OBJECT_0);
    EXPECT_EQ(event.Wait(0), WAIT_TIMEOUT);
}

TEST(EventTest, AutoResetEventClearsItselfAfterOneWait)
{
    CEvent event(false, true);
    EXPECT_EQ(event.Wait(0), WAIT_OBJECT_0);
    EXPECT_EQ(event.Wait(0), WAIT_TIMEOUT);
}

TEST(EventTest, ManualResetEventReleasesEveryWaiterUntilReset)
{
    CEvent event(true);
    std::atomic<int> released{0};
    std::vector<std::thread> waiters;
    for (int i = 0; i < 8; ++i)
        waiters.emplace_back([&] {
            if (event.Wait(kHangGuardMs) == WAIT_OBJECT_0)
                ++released;
        });
    event.SetEvent();
    for (auto &waiter : waiters)
        waiter.join();
    EXPECT_EQ(released.load(), 8);
    EXPECT_EQ(event.Wait(0), WAIT_OBJECT_0);
    event.ResetEvent();
    EXPECT_EQ(event.Wait(0), WAIT_TIMEOUT);
}

TEST(EventTest, WaitTimesOutWhenNeverSet)
{
    CEvent event;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(event.Wait(50), WAIT_TIMEOUT);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 50ms);
}

TEST(EventTest, SetFromAnotherThreadWakesAnUnboundedWait)
{
    CEvent event;
    std::thread setter([&] {
        std::this_thread::sleep_for(20ms);
        event.SetEvent();
    });
    EXPECT_EQ(event.Wait(), WAIT_OBJECT_0);
    setter.join();
}

TEST(SemaphoreTest, EachWaitTakesOneCount)
{
    CSemaphore semaphore(2, 5);
    EXPECT_EQ(semaphore.Wait(0), WAIT_OBJECT_0);
    EXPECT_EQ(semaphore.Wait(0), WAIT_OBJECT_0);
    EXPECT_EQ(semaphore.Wait(0), WAIT_TIMEOUT);
    EXPECT_TRUE(semaphore.Release(3));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(semaphore.Wait(0), WAIT_OBJECT_0);
    EXPECT_EQ(semaphore.Wait(0), WAIT_TIMEOUT);
}

TEST(SemaphoreTest, RefusesReleasePastTheMaximumAndKeepsTheCount)
{
    CSemaphore semaphore(0, 2);
    int previous = -1;
    EXPECT_TRUE(semaphore.Release(2, &previous));
    EXPECT_EQ(previous, 0);
    EXPECT_FALSE(semaphore.Release(1, &previous));
    EXPECT_EQ(previous, 2);
    EXPECT_FALSE(semaphore.Release(0));
    EXPECT_EQ(semaphore.Wait(0), WAIT_OBJECT_0);
    EXPECT_EQ(semaphore.Wait(0), WAIT_OBJECT_0);
    EXPECT_EQ(semaphore.Wait(0), WAIT_TIMEOUT);
}

TEST(SemaphoreTest, ManyProducersAndConsumersLoseNoCount)
{
    constexpr int kPerThread = 2000;
    constexpr int kThreads = 4;
    CSemaphore semaphore(0, 32767);
    std::atomic<int> taken{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < kPerThread; ++i)
                semaphore.Release();
        });
        threads.emplace_back([&] {
            for (int i = 0; i < kPerThread; ++i)
                if (semaphore.Wait(kHangGuardMs) == WAIT_OBJECT_0)
                    ++taken;
        });
    }
    for (auto &thread : threads)
        thread.join();
    EXPECT_EQ(taken.load(), kPerThread * kThreads);
    EXPECT_EQ(semaphore.Wait(0), WAIT_TIMEOUT);
}

TEST(WaitForMultipleObjectsTest, ReportsTheIndexOfTheSignalledObject)
{
    CEvent stop(true);
    CSemaphore work(0, 10);
    CSyncObject *objects[] = {&stop, &work};
    EXPECT_EQ(WaitForMultipleObjects(objects, 0), WAIT_TIMEOUT);
    work.Release();
    EXPECT_EQ(WaitForMultipleObjects(objects, 0), WAIT_OBJECT_0 + 1);
    EXPECT_EQ(WaitForMultipleObjects(objects, 0), WAIT_TIMEOUT);
    stop.SetEvent();
    work.Release();
    // The first signalled object in order wins; the semaphore keeps its count.
    EXPECT_EQ(WaitForMultipleObjects(objects, 0), WAIT_OBJECT_0);
    EXPECT_EQ(work.Wait(0), WAIT_OBJECT_0);
}

TEST(WaitForMultipleObjectsTest, WakesWhenAnyObjectIsSignalledLater)
{
    CEvent stop(true);
    CSemaphore work(0, 10);
    CSyncObject *objects[] = {&stop, &work};
    std::thread stopper([&] {
        std::this_thread::sleep_for(20ms);
        stop.SetEvent();
    });
    EXPECT_EQ(WaitForMultipleObjects(objects, kHangGuardMs), WAIT_OBJECT_0);
    stopper.join();
}

TEST(CriticalSectionTest, IsRecursiveOnOneThread)
{
    CCriticalSection section;
    section.Lock();
    EXPECT_TRUE(section.Lock(0));
    section.Unlock();
    section.Unlock();
}

TEST(CriticalSectionTest, TimedLockFailsWhileAnotherThreadHoldsIt)
{
    CCriticalSection section;
    CEvent held;
    CEvent release;
    std::thread holder([&] {
        CSingleLock lock(section, true);
        held.SetEvent();
        release.Wait(kHangGuardMs);
    });
    ASSERT_EQ(held.Wait(kHangGuardMs), WAIT_OBJECT_0);
    CSingleLock lock(section);
    EXPECT_FALSE(lock.Lock(30));
    EXPECT_FALSE(lock.IsLocked());
    release.SetEvent();
    holder.join();
    EXPECT_TRUE(lock.Lock(kHangGuardMs));
}

TEST(CriticalSectionTest, ManyThreadsTakingItInTurnNeverOverlap)
{
    CCriticalSection section;
    int inside = 0;
    std::atomic<int> overlaps{0};
    long total = 0;
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 2000; ++i) {
                CSingleLock lock(section);
                if (!lock.Lock(kHangGuardMs))
                    continue;
                if (++inside != 1)
                    ++overlaps;
                ++total;
                --inside;
            }
        });
    for (auto &thread : threads)
        thread.join();
    EXPECT_EQ(overlaps.load(), 0);
    EXPECT_EQ(total, 8 * 2000);
}

TEST(CriticalSectionTest, SingleLockReleasesOnScopeExitEvenThroughAnException)
{
    CCriticalSection section;
    try {
        CSingleLock lock(section, true);
        EXPECT_TRUE(lock.IsLocked());
        throw 1;
    } catch (int) {
    }
    bool lockedElsewhere = false;
    std::thread other([&] { lockedElsewhere = CSingleLock(section).Lock(0); });
    other.join();
    EXPECT_TRUE(lockedElsewhere);
}

} // namespace
