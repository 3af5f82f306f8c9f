// The table refill of the statistics report runs: each function reads the
// server's reply (a list of records, each a list of names and values), and
// in one transaction empties the report's table and stores one row per
// record. A reply that is no list stores nothing and says so; a record with
// a number the table refuses is counted and the others are stored.
#pragma once

#include "admin/reports/reportdate.h"

#include <QString>

class CAllPortLogTable;
class CGroupLogTable;
class CMailboxCallTable;
class CMailboxInfoTable;
class CMailboxMessageTable;
class CMailboxUsageTable;
class CPortLogTable;
class CReportsDatabase;
class CSystemInfoTable;

// What a refill did: rows stored and refused; the reason when it stored
// nothing at all.
struct ReportFill {
    int stored = 0;
    int failed = 0;
    QString error;
};

class CStatisticsRecords {
public:
    static bool PortStatistics(CPortLogTable &table, const QString &reply, const ReportDateRange &range,
                               ReportFill &fill);
    static bool PortGroupStatistics(CGroupLogTable &table, const QString &reply, const ReportDateRange &range,
                                    ReportFill &fill);
    static bool AllPortStatistics(CAllPortLogTable &table, const QString &reply, const ReportDateRange &range,
                                  ReportFill &fill);
    // The two replies are paired by mailbox: a box missing from `logons`
    // has never logged on.
    static bool MailboxInfo(CMailboxInfoTable &table, const QString &info, const QString &logons, ReportFill &fill);
    static bool MailboxCalling(CMailboxCallTable &table, const QString &reply, const ReportDateRange &range,
                               ReportFill &fill);
    static bool MessageStatistics(CMailboxMessageTable &table, const QString &reply, ReportFill &fill);
    static bool MailboxUsage(CMailboxUsageTable &table, const QString &reply, const ReportDateRange &range,
                             ReportFill &fill);
    // An empty system reply stores the row of a system that told nothing.
    static bool SystemInformation(CSystemInfoTable &table, const QString &system, const QString &distributionLists,
                                  const QString &amisBoxes, const QString &mailboxes, ReportFill &fill);
};
