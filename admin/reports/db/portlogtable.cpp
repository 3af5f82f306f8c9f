// See portlogtable.h.
#include "admin/reports/db/portlogtable.h"

#include "admin/reports/db/reporttableschema.h"

namespace {

const ReportTableSchema *const kTables[] = {CReportTableSchemas::Find(QStringLiteral("PORTLOG"))};

} // namespace

CPortLogTable::CPortLogTable(const QString &path, int purgeType, long purgeParam)
    : CReportsDatabase(path, purgeType, purgeParam, kTables)
{
}

bool CPortLogTable::AddRecord(const QString &from, const QString &to, qint64 portNumber, qint64 incomingCalls,
                              qint64 outgoingCalls, qint64 busySeconds, qint64 timesOutOfService)
{
    return countRow(insertRow(0, {portNumber, incomingCalls, outgoingCalls, busySeconds, timesOutOfService, from, to}));
}
