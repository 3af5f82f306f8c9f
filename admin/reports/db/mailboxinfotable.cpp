// See mailboxinfotable.h.
#include "admin/reports/db/mailboxinfotable.h"

#include "admin/reports/db/reporttableschema.h"

namespace {

const ReportTableSchema *const kTables[] = {CReportTableSchemas::Find(QStringLiteral("MAILBOXINFO"))};

} // namespace

CMailboxInfoTable::CMailboxInfoTable(const QString &path, int purgeType, long purgeParam)
    : CReportsDatabase(path, purgeType, purgeParam, kTables)
{
}

bool CMailboxInfoTable::AddRecord(const QString &mailbox, const QString &name1, const QString &name2,
                                  const QString &cos, const QString &nameRecord,
                                  const QString &defaultSecurityCode, const QString &creation,
                                  const QString &lastLogOn, const QString &comment)
{
    return countRow(
        insertRow(0, {mailbox, name1, name2, cos, nameRecord, defaultSecurityCode, creation, lastLogOn, comment}));
}
