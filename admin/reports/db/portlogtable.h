// The rows of the Individual Port Statistics report, one per voice port.
// The table "PORTLOG"; opening, purging and the run's transaction are
// CReportsDatabase's.
#pragma once

#include "admin/reports/db/reportsdatabase.h"

class CPortLogTable : public CReportsDatabase {
public:
    CPortLogTable(const QString &path, int purgeType, long purgeParam);

    // False when the row was refused (it is counted in FailedRows).
    bool AddRecord(const QString &from, const QString &to, qint64 portNumber, qint64 incomingCalls,
                   qint64 outgoingCalls, qint64 busySeconds, qint64 timesOutOfService);
};
