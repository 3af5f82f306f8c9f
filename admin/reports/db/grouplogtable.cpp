// See grouplogtable.h. The busy rows go in before the summary row, inside one
// savepoint, so a refused record leaves no half of itself behind.
#include "admin/reports/db/grouplogtable.h"

#include "admin/reports/db/reporttableschema.h"
#include "admin/session/tcllist.h"

namespace {

const ReportTableSchema *const kTables[] = {CReportTableSchemas::Find(QStringLiteral("GROUPLOG")),
                                            CReportTableSchemas::Find(QStringLiteral("GROUPBUSYLOG"))};

} // namespace

CGroupLogTable::CGroupLogTable(const QString &path, int purgeType, long purgeParam)
    : CReportsDatabase(path, purgeType, purgeParam, kTables)
{
}

bool CGroupLogTable::AddRecord(const QString &from, const QString &to, const QString &groupName, const QString &ports,
                               qint64 incomingCalls, qint64 outgoingCalls, const QString &busyList)
{
    if (!beginRecord())
        return countRow(false);
    QStringList busy;
    CTclList().SplitList(busyList, busy);
    bool ok = true;
    for (qsizetype i = 0; ok && i < busy.size(); ++i)
        ok = insertRow(1, {LeadingNumber(busy[i]), groupName, qint64(i)});
    ok = ok && insertRow(0, {groupName, ports, incomingCalls, outgoingCalls, from, to});
    return countRow(endRecord(ok));
}
