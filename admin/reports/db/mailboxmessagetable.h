// The rows of the Mailbox Message Statistics report, one per mailbox.
// The table "MAILBOXMESSAGE"; opening, purging and the run's transaction are
// CReportsDatabase's.
#pragma once

#include "admin/reports/db/reportsdatabase.h"

class CMailboxMessageTable : public CReportsDatabase {
public:
    CMailboxMessageTable(const QString &path, int purgeType, long purgeParam);

    // False when the row was refused (it is counted in FailedRows).
    bool AddRecord(const QString &mailbox, qint64 newMessages, qint64 folderMessages, qint64 totalMessages,
                   qint64 averageMessageLength, qint64 totalMessageTime, const QString &oldestMessageDate,
                   qint64 faxCount, qint64 totalFaxPages);
};
