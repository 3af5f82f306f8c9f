// Interlocked counts shared by every object of the library; see module.h.
#include "module.h"

#include <atomic>

namespace {
std::atomic<int32_t> g_objectCount{0};
std::atomic<int32_t> g_lockCount{0};
} // namespace

namespace ConduitModule {

void objectReferenced()
{
    ++g_objectCount;
}
void objectReleased()
{
    --g_objectCount;
}
void lock()
{
    ++g_lockCount;
}
void unlock()
{
    --g_lockCount;
}
bool canUnload()
{
    return g_lockCount.load() <= 0 && g_objectCount.load() == 0;
}

} // namespace ConduitModule
