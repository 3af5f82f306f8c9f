// The rows of the Mailbox Info and Status report, one per mailbox. The
// mailbox comes as text and must be a whole number.
// The table "MAILBOXINFO"; opening, purging and the run's transaction are
// CReportsDatabase's.
#pragma once

#include "admin/reports/db/reportsdatabase.h"

class CMailboxInfoTable : public CReportsDatabase {
public:
    CMailboxInfoTable(const QString &path, int purgeType, long purgeParam);

    // False when the row was refused (it is counted in FailedRows).
    bool AddRecord(const QString &mailbox, const QString &name1, const QString &name2, const QString &cos,
                   const QString &nameRecord, const QString &defaultSecurityCode, const QString &creation,
                   const QString &lastLogOn, const QString &comment);
};
