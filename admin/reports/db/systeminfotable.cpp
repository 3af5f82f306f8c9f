// See systeminfotable.h.
#include "admin/reports/db/systeminfotable.h"

#include "admin/reports/db/reporttableschema.h"

namespace {

const ReportTableSchema *const kTables[] = {CReportTableSchemas::Find(QStringLiteral("SYSTEMINFO"))};

} // namespace

CSystemInfoTable::CSystemInfoTable(const QString &path, int purgeType, long purgeParam)
    : CReportsDatabase(path, purgeType, purgeParam, kTables)
{
}

bool CSystemInfoTable::AddRecord(const QString &softwareVersion, const QString &switchId, const QString &diskSpace,
                                 qint64 voicePorts, qint64 totalMailboxes, qint64 amisBoxes,
                                 const QString &distributionLists, const QString &dateTime,
                                 const QString &startupTime, const QString &scheduledShutdown)
{
    return countRow(insertRow(0, {softwareVersion, switchId, totalMailboxes, diskSpace, QString::number(voicePorts),
                                  QString::number(amisBoxes), distributionLists, dateTime, startupTime,
                                  scheduledShutdown}));
}
