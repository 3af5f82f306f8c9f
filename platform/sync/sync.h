// The thread synchronisation stand-ins in one include: events, semaphores,
// critical sections with their guard, and waits with a bound.
#pragma once

#include "platform/sync/criticalsection.h"
#include "platform/sync/event.h"
#include "platform/sync/semaphore.h"
#include "platform/sync/singlelock.h"
#include "platform/sync/syncobject.h"
