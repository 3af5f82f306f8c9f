// See mailboxcalltable.h.
#include "admin/reports/db/mailboxcalltable.h"

#include "admin/reports/db/reporttableschema.h"

namespace {

const ReportTableSchema *const kTables[] = {CReportTableSchemas::Find(QStringLiteral("MAILBOXCALL"))};

} // namespace

CMailboxCallTable::CMailboxCallTable(const QString &path, int purgeType, long purgeParam)
    : CReportsDatabase(path, purgeType, purgeParam, kTables)
{
}

bool CMailboxCallTable::AddRecord(const QString &from, const QString &to, const QString &mailbox, qint64 noAnswer,
                                  qint64 busy, qint64 transferToOperator, qint64 transferToExtension,
                                  qint64 abandoned)
{
    return countRow(
        insertRow(0, {mailbox, noAnswer, busy, transferToOperator, transferToExtension, abandoned, from, to}));
}
