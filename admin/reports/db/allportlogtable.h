// The rows of the All Port Statistics report: the whole system as one group
// ("Group 1", whatever group name the server gives) in "ALLPORTLOG", and its
// busy list in "BUSYLOG", stored together or not at all.
#pragma once

#include "admin/reports/db/reportsdatabase.h"

class CAllPortLogTable : public CReportsDatabase {
public:
    CAllPortLogTable(const QString &path, int purgeType, long purgeParam);

    // `groupName` is not stored; `busyList` is a Tcl list of numbers.
    bool AddRecord(const QString &from, const QString &to, const QString &groupName, qint64 incomingCalls,
                   qint64 outgoingCalls, qint64 failedOutgoingCalls, const QString &busyList);
};
