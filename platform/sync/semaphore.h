// A counting semaphore: each successful wait takes one count, Release gives
// counts back up to the maximum fixed at construction.
#pragma once

#include "syncobject.h"

class CSemaphore : public CSyncObject {
public:
    CSemaphore(int initial, int maximum);

    // Adds `count` (at least 1); false, changing nothing, when that would pass
    // the maximum. `previous`, when given, receives the count before.
    bool Release(int count = 1, int *previous = nullptr);

protected:
    bool tryAcquireLocked() override;

private:
    const int m_maximum;
    int m_count;
};
