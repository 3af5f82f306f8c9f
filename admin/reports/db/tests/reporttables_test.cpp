// The table classes: which column each AddRecord argument lands in, the busy
// rows of the group tables, the numbered columns of the template reports and
// the purge of two-table classes.
#include "admin/reports/db/allportlogtable.h"
#include "admin/reports/db/grouplogtable.h"
#include "admin/reports/db/mailboxinfotable.h"
#include "admin/reports/db/mailboxmessagetable.h"
#include "admin/reports/db/mailboxusagetable.h"
#include "admin/reports/db/option2logtable.h"
#include "admin/reports/db/systeminfotable.h"
#include "admin/reports/db/tests/reportrows.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>

namespace {

// A NULL field is told apart from an empty one here.
QStringList Rows(const QString &path, const char *sql)
{
    return ReportRows(path, sql, QStringLiteral("<null>"));
}

class ReportTablesTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_folder.isValid()); }
    QString path() const { return m_folder.filePath(QStringLiteral("Reports.MDB")); }

    QTemporaryDir m_folder;
};

TEST_F(ReportTablesTest, AGroupStoresOneBusyRowPerElementBeforeItsSummary)
{
    CGroupLogTable table(path(), 1, 100);
    ASSERT_TRUE(table.EnsureTable());
    ASSERT_TRUE(table.AddRecord("3/1/2001", "3/15/2001", "G", "1-4", 10, 20, "5 0 12"));
    EXPECT_EQ(Rows(path(), "SELECT rowid, * FROM GROUPBUSYLOG"), (QStringList{"1|5|G|0", "2|0|G|1", "3|12|G|2"}));
    EXPECT_EQ(Rows(path(), "SELECT * FROM GROUPLOG"), QStringList{"G|1-4|10|20|3/1/2001|3/15/2001"});
}

TEST_F(ReportTablesTest, AnEmptyBusyListStoresTheSummaryAlone)
{
    CGroupLogTable table(path(), 1, 100);
    ASSERT_TRUE(table.EnsureTable());
    ASSERT_TRUE(table.AddRecord("a", "b", "G", "1", 1, 2, ""));
    EXPECT_TRUE(Rows(path(), "SELECT * FROM GROUPBUSYLOG").isEmpty());
    EXPECT_EQ(Rows(path(), "SELECT count(*) FROM GROUPLOG"), QStringList{"1"});
}

TEST_F(ReportTablesTest, ARefusedBusyRowTakesTheWholeRecordWithIt)
{
    CGroupLogTable table(path(), 1, 100);
    ASSERT_TRUE(table.EnsureTable());
    EXPECT_FALSE(table.AddRecord("a", "b", "G", "1", 1, 2, "5 99999999999"));
    EXPECT_EQ(table.FailedRows(), 1);
    EXPECT_EQ(Rows(path(), "SELECT count(*) FROM GROUPBUSYLOG UNION ALL SELECT count(*) FROM GROUPLOG"),
              (QStringList{"0", "0"}));
}

TEST_F(ReportTablesTest, AllPortsAreStoredAsGroupOne)
{
    CAllPortLogTable table(path(), 1, 100);
    ASSERT_TRUE(table.EnsureTable());
    ASSERT_TRUE(table.AddRecord("a", "b", "Sales", 1, 2, 3, "7 8"));
    EXPECT_EQ(Rows(path(), "SELECT * FROM ALLPORTLOG"), QStringList{"Group 1|1|2|3|a|b"});
    EXPECT_EQ(Rows(path(), "SELECT * FROM BUSYLOG"), (QStringList{"7|Group 1|0", "8|Group 1|1"}));
}

TEST_F(ReportTablesTest, PurgingEmptiesBothTablesOfAClass)
{
    CAllPortLogTable table(path(), 1, 100);
    ASSERT_TRUE(table.EnsureTable());
    ASSERT_TRUE(table.AddRecord("a", "b", "Sales", 1, 2, 3, "7 8"));
    ASSERT_TRUE(table.PurgeTable());
    EXPECT_EQ(Rows(path(), "SELECT count(*) FROM ALLPORTLOG UNION ALL SELECT count(*) FROM BUSYLOG"),
              (QStringList{"0", "0"}));
}

TEST_F(ReportTablesTest, TemplateRowsFillTheNumberedColumns)
{
    COption2LogTable table(path(), 1, 100);
    ASSERT_TRUE(table.EnsureTable());
    std::array<ReportColumnValue, 10> records;
    records[0] = {"Mailbox Number", "100", "Mailbox"};
    records[1] = {"Name1", "Ann 50%", "&Name1"};
    ASSERT_TRUE(table.AddRecord(2, records));
    ASSERT_TRUE(table.AddFieldNameRecord(2, records));
    ASSERT_TRUE(table.AddRecord(0, records));
    EXPECT_FALSE(table.AddRecord(11, records));
    EXPECT_EQ(Rows(path(), "SELECT * FROM OPTION2LOG"),
              (QStringList{"100|Ann 50%|<null>|<null>|<null>|<null>|<null>|<null>|<null>|<null>|<null>",
                           "<null>|<null>|<null>|<null>|<null>|<null>|<null>|<null>|<null>|<null>|<null>"}));
    EXPECT_EQ(Rows(path(), "SELECT Name1, Name2, Name3 FROM FIELDNAMELOG"), QStringList{"Mailbox Number|Name1|<null>"});
}

TEST_F(ReportTablesTest, EachClassPutsItsArgumentsInItsColumns)
{
    CMailboxInfoTable info(path(), 1, 100);
    CMailboxMessageTable message(path(), 1, 100);
    CMailboxUsageTable usage(path(), 1, 100);
    CSystemInfoTable system(path(), 1, 100);
    for (CReportsDatabase *table : std::initializer_list<CReportsDatabase *>{&info, &message, &usage, &system})
        ASSERT_TRUE(table->EnsureTable());
    ASSERT_TRUE(info.AddRecord("100", "Ann", "Lee", "10", "yes", "1", "3/1/2001", "NEVER", "desk"));
    ASSERT_TRUE(message.AddRecord("100", 1, 2, 3, 4, 5, "3/1/2001", 6, 7));
    ASSERT_TRUE(usage.AddRecord("a", "b", "100", "201", 2, 9));
    ASSERT_TRUE(system.AddRecord("5.1", "None", "2 GB", 24, 37, 2, "4", "now", "then", "None"));
    EXPECT_EQ(Rows(path(), "SELECT * FROM MAILBOXINFO"), QStringList{"100|Ann|Lee|10|yes|1|3/1/2001|NEVER|desk"});
    EXPECT_EQ(Rows(path(), "SELECT * FROM MAILBOXMESSAGE"), QStringList{"100|1|2|3|4|5|3/1/2001|6|7"});
    EXPECT_EQ(Rows(path(), "SELECT * FROM MAILBOXUSAGE"), QStringList{"100|201|2|9|a|b"});
    EXPECT_EQ(Rows(path(), "SELECT * FROM SYSTEMINFO"), QStringList{"5.1|None|37|2 GB|24|2|4|now|then|None"});
    EXPECT_EQ(Rows(path(), "SELECT typeof(\"Voice Ports\"), typeof(\"Total Mailboxes\") FROM SYSTEMINFO"),
              QStringList{"text|integer"});
}

} // namespace
