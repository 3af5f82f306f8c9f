// The one row of the System Information report. Voice ports and AMIS boxes
// are counts stored as text, as the layouts read them.
// The table "SYSTEMINFO"; opening, purging and the run's transaction are
// CReportsDatabase's.
#pragma once

#include "admin/reports/db/reportsdatabase.h"

class CSystemInfoTable : public CReportsDatabase {
public:
    CSystemInfoTable(const QString &path, int purgeType, long purgeParam);

    // False when the row was refused (it is counted in FailedRows).
    bool AddRecord(const QString &softwareVersion, const QString &switchId, const QString &diskSpace,
                   qint64 voicePorts, qint64 totalMailboxes, qint64 amisBoxes, const QString &distributionLists,
                   const QString &dateTime, const QString &startupTime, const QString &scheduledShutdown);
};
