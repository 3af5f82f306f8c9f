// The module's two counts: outstanding references to any Conduit object (the
// class factory included) and LockServer locks. DllCanUnloadNow reads both.
#pragma once

#include <cstdint>

namespace ConduitModule {

void objectReferenced();
void objectReleased();
void lock();
void unlock();
bool canUnload();

} // namespace ConduitModule
