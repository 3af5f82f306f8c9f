// See mailboxusagetable.h.
#include "admin/reports/db/mailboxusagetable.h"

#include "admin/reports/db/reporttableschema.h"

namespace {

const ReportTableSchema *const kTables[] = {CReportTableSchemas::Find(QStringLiteral("MAILBOXUSAGE"))};

} // namespace

CMailboxUsageTable::CMailboxUsageTable(const QString &path, int purgeType, long purgeParam)
    : CReportsDatabase(path, purgeType, purgeParam, kTables)
{
}

bool CMailboxUsageTable::AddRecord(const QString &from, const QString &to, const QString &mailbox,
                                   const QString &extension, qint64 logonTime, qint64 accessedTimes)
{
    return countRow(insertRow(0, {mailbox, extension, logonTime, accessedTimes, from, to}));
}
