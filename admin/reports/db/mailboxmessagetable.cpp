// See mailboxmessagetable.h.
#include "admin/reports/db/mailboxmessagetable.h"

#include "admin/reports/db/reporttableschema.h"

namespace {

const ReportTableSchema *const kTables[] = {CReportTableSchemas::Find(QStringLiteral("MAILBOXMESSAGE"))};

} // namespace

CMailboxMessageTable::CMailboxMessageTable(const QString &path, int purgeType, long purgeParam)
    : CReportsDatabase(path, purgeType, purgeParam, kTables)
{
}

bool CMailboxMessageTable::AddRecord(const QString &mailbox, qint64 newMessages, qint64 folderMessages,
                                     qint64 totalMessages, qint64 averageMessageLength, qint64 totalMessageTime,
                                     const QString &oldestMessageDate, qint64 faxCount, qint64 totalFaxPages)
{
    return countRow(insertRow(0, {mailbox, newMessages, folderMessages, totalMessages, averageMessageLength,
                                  totalMessageTime, oldestMessageDate, faxCount, totalFaxPages}));
}
