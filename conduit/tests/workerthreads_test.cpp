// The library's work threads outlive whoever started them: a thread still
// running when the library goes away must finish without touching what the
// library has freed.
#include "conduit/link/workerthreads.h"

#include "threadcount.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>

namespace {

TEST(WorkerThreads, AThreadStillRunningWhenTheyGoAwayFinishesSafely)
{
    const size_t threadsBefore = threadCount();
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    {
        CWorkerThreads threads;
        ASSERT_TRUE(threads.start([released] { released.wait(); }));
    } // left running, as at the process's exit
    release.set_value();
    // Under the address sanitizer a thread that marks a freed record as
    // finished fails here.
    EXPECT_TRUE(waitForThreadCount(threadsBefore));
}

TEST(WorkerThreads, JoinAllReturnsOnceEveryThreadHasEnded)
{
    const size_t threadsBefore = threadCount();
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::atomic<int> ended{0};
    CWorkerThreads threads;
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(threads.start([released, &ended] {
            released.wait();
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            ++ended;
        }));
    release.set_value();
    threads.joinAll();
    EXPECT_EQ(ended.load(), 3);
    EXPECT_EQ(threadCount(), threadsBefore);
}

} // namespace
