// The rows of the Mailbox Info and Status report, one per mailbox. The
// mailbox comes as text and must be a whole number.
// The table "MAILBOXINFO"; opening, purging and the run's transaction are
// CReportsDatabase's.
#pragma once

#include "admin/reports/db/reportsdatabase.h"

class CMailboxInfoTable : public CReportsDatabase {
public:
    CMailboxInfoTable(const QString &path, int purgeType, long purgeParam);

    // The texts in UTF-8, as the server's reply carries them. False when the
    // row was refused (it is counted in FailedRows).
    bool AddRecord(QByteArrayView mailbox, QByteArrayView name1, QByteArrayView name2, QByteArrayView cos,
                   QByteArrayView nameRecord, QByteArrayView defaultSecurityCode, QByteArrayView creation,
                   QByteArrayView lastLogOn, QByteArrayView comment);
};
