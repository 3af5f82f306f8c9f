// One scheduled action of the server as the depot holds it: the job's id,
// the Tcl text it runs, its schedule and when it runs next, with the state
// the Scheduler page gives it for the write-back.
#pragma once

#include <QString>

struct CConfigJob {
    enum State { Unchanged = 0, Changed = 1, Deleted = 2 };

    // The server's job id; empty for a job not scheduled yet.
    QString id;
    // The Tcl text the job runs.
    QString action;
    // Sixteen flag digits followed by the start time in hexadecimal seconds.
    QString schedule;
    // The server's answer to "NextScheduledTcl ID".
    QString nextRun;
    // The Scheduler page's own mark.
    int flag = 0;
    // Changed: removed (when it has an id) and scheduled again; Deleted:
    // removed.
    int state = Unchanged;
};
