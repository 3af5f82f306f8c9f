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

bool CMailboxInfoTable::AddRecord(QByteArrayView mailbox, QByteArrayView name1, QByteArrayView name2,
                                  QByteArrayView cos, QByteArrayView nameRecord, QByteArrayView defaultSecurityCode,
                                  QByteArrayView creation, QByteArrayView lastLogOn, QByteArrayView comment)
{
    return countRow(insertRow(0, {mailbox.toByteArray(), name1.toByteArray(), name2.toByteArray(), cos.toByteArray(),
                                  nameRecord.toByteArray(), defaultSecurityCode.toByteArray(), creation.toByteArray(),
                                  lastLogOn.toByteArray(), comment.toByteArray()}));
}
