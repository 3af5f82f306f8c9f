// The program's local time is the server's: the time zone of a session's
// greeting becomes the process's TZ. The environment is process-wide and not
// safe to change from several threads at once, so the change is made here,
// under one lock, from the connecting thread, and only when it differs.
#pragma once

#include <QByteArray>

class CServerTimeZone {
public:
    // Makes `zone` the process's time zone. False when the environment
    // refused it.
    static bool Apply(const QByteArray &zone);
    // The zone applied last; empty before any.
    static QByteArray Current();
};
