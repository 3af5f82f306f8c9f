// Tests that load libConduit.so with dlopen let the library's threads end
// before the process does: a receive thread that reported a link's end is
// still returning through the library, and the leak checker can't walk a
// thread that dies under it.
#pragma once

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <thread>

inline size_t threadCount()
{
    size_t count = 0;
    for ([[maybe_unused]] const auto &entry : std::filesystem::directory_iterator("/proc/self/task"))
        ++count;
    return count;
}

inline bool waitForThreadCount(size_t count)
{
    for (int i = 0; i < 3000 && threadCount() > count; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return threadCount() <= count;
}
