// Feeds arbitrary statistics replies to the report runs' table refills; the
// first byte picks the report, the replies of a report with several are
// split at line ends. What holds for every reply: the table holds exactly
// the rows the refill says it stored, and a reply that stores nothing (it
// is no list) says why and leaves the rows of the run before.
#include "admin/reports/db/allportlogtable.h"
#include "admin/reports/db/grouplogtable.h"
#include "admin/reports/db/mailboxcalltable.h"
#include "admin/reports/db/mailboxinfotable.h"
#include "admin/reports/db/mailboxmessagetable.h"
#include "admin/reports/db/mailboxusagetable.h"
#include "admin/reports/db/portlogtable.h"
#include "admin/reports/db/systeminfotable.h"
#include "admin/reports/statisticsrecords.h"
#include "testsupport/fuzzsupport.h"

#include <QTemporaryDir>

#include <sqlite3.h>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

const ReportDateRange kRange{QStringLiteral("00 1 2 2001"), QStringLiteral("-1"), QStringLiteral("2/1/2001"),
                             QStringLiteral("2/15/2001")};

// Removed with what it holds when the run ends.
std::unique_ptr<QTemporaryDir> folder;

QString databasePath()
{
    return folder->filePath(QStringLiteral("Reports.MDB"));
}

// The rows of a table, read through a connection of its own.
int rowCount(const char *table)
{
    sqlite3 *db = nullptr;
    REQUIRE(sqlite3_open_v2(databasePath().toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK);
    sqlite3_stmt *statement = nullptr;
    const QByteArray sql = QByteArray("SELECT count(*) FROM ") + table;
    REQUIRE(sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr) == SQLITE_OK);
    REQUIRE(sqlite3_step(statement) == SQLITE_ROW);
    const int count = sqlite3_column_int(statement, 0);
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return count;
}

template <typename Table, typename Refill>
void check(const char *tableName, Refill refill)
{
    Table table(databasePath(), 1, 100);
    REQUIRE(table.EnsureTable());
    const int before = rowCount(tableName);
    ReportFill fill;
    const bool stored = refill(table, fill);
    REQUIRE(fill.stored >= 0 && fill.failed >= 0);
    if (stored) {
        REQUIRE(rowCount(tableName) == fill.stored);
    } else {
        REQUIRE(!fill.error.isEmpty() && fill.stored == 0);
        REQUIRE(rowCount(tableName) == before);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    folder = MakeFuzzFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QStringList replies =
        QString::fromUtf8(reinterpret_cast<const char *>(data) + 1, static_cast<qsizetype>(size - 1))
            .split(QLatin1Char('\n'));
    const QString reply = replies.value(0);
    switch (data[0] % 6) {
    case 0:
        check<CPortLogTable>("PORTLOG", [&](CPortLogTable &table, ReportFill &fill) {
            return CStatisticsRecords::PortStatistics(table, reply, kRange, fill);
        });
        break;
    case 1:
        check<CGroupLogTable>("GROUPLOG", [&](CGroupLogTable &table, ReportFill &fill) {
            return CStatisticsRecords::PortGroupStatistics(table, reply, kRange, fill);
        });
        check<CAllPortLogTable>("ALLPORTLOG", [&](CAllPortLogTable &table, ReportFill &fill) {
            return CStatisticsRecords::AllPortStatistics(table, reply, kRange, fill);
        });
        break;
    case 2:
        check<CMailboxInfoTable>("MAILBOXINFO", [&](CMailboxInfoTable &table, ReportFill &fill) {
            return CStatisticsRecords::MailboxInfo(table, reply, replies.value(1), fill);
        });
        break;
    case 3:
        check<CMailboxCallTable>("MAILBOXCALL", [&](CMailboxCallTable &table, ReportFill &fill) {
            return CStatisticsRecords::MailboxCalling(table, reply, kRange, fill);
        });
        break;
    case 4:
        check<CMailboxMessageTable>("MAILBOXMESSAGE", [&](CMailboxMessageTable &table, ReportFill &fill) {
            return CStatisticsRecords::MessageStatistics(table, reply, fill);
        });
        check<CMailboxUsageTable>("MAILBOXUSAGE", [&](CMailboxUsageTable &table, ReportFill &fill) {
            return CStatisticsRecords::MailboxUsage(table, reply, kRange, fill);
        });
        break;
    default:
        check<CSystemInfoTable>("SYSTEMINFO", [&](CSystemInfoTable &table, ReportFill &fill) {
            return CStatisticsRecords::SystemInformation(table, reply, replies.value(1), replies.value(2),
                                                         replies.value(3), fill);
        });
        break;
    }
    return 0;
}
