// The rows of the Mailbox Usage Summary report, one per mailbox.
// The table "MAILBOXUSAGE"; opening, purging and the run's transaction are
// CReportsDatabase's.
#pragma once

#include "admin/reports/db/reportsdatabase.h"

class CMailboxUsageTable : public CReportsDatabase {
public:
    CMailboxUsageTable(const QString &path, int purgeType, long purgeParam);

    // False when the row was refused (it is counted in FailedRows).
    bool AddRecord(const QString &from, const QString &to, const QString &mailbox, const QString &extension,
                   qint64 logonTime, qint64 accessedTimes);
};
