// The hourglass while the program is busy: shown for as long as the object
// lives. Objects nest; the normal cursor returns when the last one goes.
#pragma once

class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor &) = delete;
    CWaitCursor &operator=(const CWaitCursor &) = delete;
};
