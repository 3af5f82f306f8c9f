// See allportlogtable.h. As for the port groups, the busy rows go in before
// the summary row, inside one savepoint.
#include "admin/reports/db/allportlogtable.h"

#include "admin/reports/db/reporttableschema.h"
#include "admin/session/tcllist.h"

namespace {

const ReportTableSchema *const kTables[] = {CReportTableSchemas::Find(QStringLiteral("ALLPORTLOG")),
                                            CReportTableSchemas::Find(QStringLiteral("BUSYLOG"))};

// The layouts show the whole system as this one group.
const QString kSystemGroup = QStringLiteral("Group 1");

} // namespace

CAllPortLogTable::CAllPortLogTable(const QString &path, int purgeType, long purgeParam)
    : CReportsDatabase(path, purgeType, purgeParam, kTables)
{
}

bool CAllPortLogTable::AddRecord(const QString &from, const QString &to, const QString &groupName,
                                 qint64 incomingCalls, qint64 outgoingCalls, qint64 failedOutgoingCalls,
                                 const QString &busyList)
{
    Q_UNUSED(groupName);
    if (!beginRecord())
        return countRow(false);
    QStringList busy;
    CTclList().SplitList(busyList, busy);
    bool ok = true;
    for (qsizetype i = 0; ok && i < busy.size(); ++i)
        ok = insertRow(1, {LeadingNumber(busy[i]), kSystemGroup, qint64(i)});
    ok = ok && insertRow(0, {kSystemGroup, incomingCalls, outgoingCalls, failedOutgoingCalls, from, to});
    return countRow(endRecord(ok));
}
