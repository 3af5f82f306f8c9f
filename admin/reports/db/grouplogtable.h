// The rows of the Port Group Statistics report: one summary row per port
// group in "GROUPLOG" and, in "GROUPBUSYLOG", one row per element of the
// group's busy list (how many seconds that many ports were busy together).
// A group's summary row and its busy rows are stored together or not at all.
#pragma once

#include "admin/reports/db/reportsdatabase.h"

class CGroupLogTable : public CReportsDatabase {
public:
    CGroupLogTable(const QString &path, int purgeType, long purgeParam);

    // `busyList` is a Tcl list of numbers; false when the record was refused.
    bool AddRecord(const QString &from, const QString &to, const QString &groupName, const QString &ports,
                   qint64 incomingCalls, qint64 outgoingCalls, const QString &busyList);
};
