// The rows of the Mailbox Calling Statistics report, one per mailbox.
// The table "MAILBOXCALL"; opening, purging and the run's transaction are
// CReportsDatabase's.
#pragma once

#include "admin/reports/db/reportsdatabase.h"

class CMailboxCallTable : public CReportsDatabase {
public:
    CMailboxCallTable(const QString &path, int purgeType, long purgeParam);

    // False when the row was refused (it is counted in FailedRows).
    bool AddRecord(const QString &from, const QString &to, const QString &mailbox, qint64 noAnswer, qint64 busy,
                   qint64 transferToOperator, qint64 transferToExtension, qint64 abandoned);
};
