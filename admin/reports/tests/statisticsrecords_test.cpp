// The table refill of the statistics runs: what lands in which column, the
// Mailbox Info run pairing its two replies by mailbox, the system row of an
// empty reply, replies that are no lists, and counted refusals.
#include "admin/reports/db/mailboxinfotable.h"
#include "admin/reports/db/mailboxusagetable.h"
#include "admin/reports/db/portlogtable.h"
#include "admin/reports/db/systeminfotable.h"
#include "admin/reports/db/tests/reportrows.h"
#include "admin/reports/statisticsrecords.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class StatisticsRecordsTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_folder.isValid());
        setenv("TZ", "UTC0", 1);
        tzset();
    }
    QString path() const { return m_folder.filePath("Reports.MDB"); }

    QTemporaryDir m_folder;
    const ReportDateRange m_range{"00 1 2 2001", "-1", "3/1/2001", "3/15/2001"};
};

TEST_F(StatisticsRecordsTest, PortRowsCarryTheirFiguresAndThePeriod)
{
    CPortLogTable table(path(), 1, 100);
    ASSERT_TRUE(table.EnsureTable());
    ReportFill fill;
    ASSERT_TRUE(CStatisticsRecords::PortStatistics(
        table, "{Port 1 p_cnt_in 5 p_cnt_out 6 p_t_busy 120 p_c_outofsvc 0} {Port 2 p_cnt_in { 17x}}", m_range, fill));
    EXPECT_EQ(fill.stored, 2);
    EXPECT_EQ(ReportRows(path(), "SELECT * FROM PORTLOG"),
              (QStringList{"1|5|6|120|0|3/1/2001|3/15/2001", "2|17|0|0|0|3/1/2001|3/15/2001"}));
}

TEST_F(StatisticsRecordsTest, ARefilledTableHoldsTheLastRunOnly)
{
    CPortLogTable table(path(), 1, 100);
    ASSERT_TRUE(table.EnsureTable());
    ReportFill fill;
    ASSERT_TRUE(CStatisticsRecords::PortStatistics(table, "{Port 1} {Port 2}", m_range, fill));
    ReportFill second;
    ASSERT_TRUE(CStatisticsRecords::PortStatistics(table, "", m_range, second));
    EXPECT_EQ(second.stored, 0);
    EXPECT_TRUE(ReportRows(path(), "SELECT * FROM PORTLOG").isEmpty());
}

TEST_F(StatisticsRecordsTest, AReplyThatIsNoListStoresNothingAndKeepsTheLastRun)
{
    CPortLogTable table(path(), 1, 100);
    ASSERT_TRUE(table.EnsureTable());
    ReportFill fill;
    ASSERT_TRUE(CStatisticsRecords::PortStatistics(table, "{Port 1}", m_range, fill));
    ReportFill broken;
    EXPECT_FALSE(CStatisticsRecords::PortStatistics(table, "{Port 2", m_range, broken));
    EXPECT_FALSE(broken.error.isEmpty());
    EXPECT_EQ(ReportRows(path(), "SELECT \"Port Number\" FROM PORTLOG"), QStringList{"1"});
}

TEST_F(StatisticsRecordsTest, RowsWithNumbersBeyond32BitsAreCountedAndTheOthersStored)
{
    CPortLogTable table(path(), 1, 100);
    ASSERT_TRUE(table.EnsureTable());
    ReportFill fill;
    ASSERT_TRUE(CStatisticsRecords::PortStatistics(table, "{Port 1} {Port 2 p_cnt_in 99999999999} {Port 3}", m_range,
                                                   fill));
    EXPECT_EQ(fill.stored, 2);
    EXPECT_EQ(fill.failed, 1);
    EXPECT_EQ(ReportRows(path(), "SELECT \"Port Number\" FROM PORTLOG"), (QStringList{"1", "3"}));
}

TEST_F(StatisticsRecordsTest, MailboxInfoPairsTheRepliesByMailbox)
{
    CMailboxInfoTable table(path(), 1, 100);
    ASSERT_TRUE(table.EnsureTable());
    const qint64 noon = QDateTime(QDate(2001, 1, 2), QTime(12, 30), Qt::UTC).toSecsSinceEpoch();
    const QString info = "{Mailbox 100 &Name1 Ann &Name2 {} m_cos 10 m_namerec yes &SAC_was_not_changed 1 "
                         "Creation_Time 3/1/2001 &Comment {}} {Mailbox 101 &Name1 Bob} {Mailbox 102}";
    // Another order, one box fewer, one box more.
    const QString logons = QStringLiteral("{Mailbox 102 Last_Logon %1} {Mailbox 100 Last_Logon 0} {Mailbox 900 "
                                          "Last_Logon 5}")
                               .arg(noon);
    ReportFill fill;
    ASSERT_TRUE(CStatisticsRecords::MailboxInfo(table, info, logons, fill));
    EXPECT_EQ(ReportRows(path(), "SELECT * FROM MAILBOXINFO"),
              (QStringList{"100|Ann|.|10|yes|1|3/1/2001|NEVER|.", "101|Bob|.|.|.|.|.|NEVER|.",
                           "102|.|.|.|.|.|.|1/2/2001 12:30pm|."}));
}

TEST_F(StatisticsRecordsTest, MailboxInfoPairsAcrossBlanksRefusesABadNumberAndKeepsTextsAsSent)
{
    CMailboxInfoTable table(path(), 1, 100);
    ASSERT_TRUE(table.EnsureTable());
    const qint64 noon = QDateTime(QDate(2001, 1, 2), QTime(12, 30), Qt::UTC).toSecsSinceEpoch();
    const QString info = QStringLiteral("{Mailbox { 103} &Name1 Zo\u00eb} {Mailbox 10x &Name1 Bad} {Mailbox 104}");
    const QString logons =
        QStringLiteral("{Mailbox {103 } Last_Logon %1} {Mailbox 104 Last_Logon junk} {Mailbox 10x Last_Logon 5}")
            .arg(noon);
    ReportFill fill;
    ASSERT_TRUE(CStatisticsRecords::MailboxInfo(table, info, logons, fill));
    EXPECT_EQ(fill.stored, 2);
    EXPECT_EQ(fill.failed, 1);
    EXPECT_EQ(ReportRows(path(), "SELECT * FROM MAILBOXINFO"),
              (QStringList{QStringLiteral("103|Zo\u00eb|.|.|.|.|.|1/2/2001 12:30pm|."), "104|.|.|.|.|.|.|NEVER|."}));
}

TEST_F(StatisticsRecordsTest, UsageStoresWholeMinutesAndTheAccessCount)
{
    CMailboxUsageTable table(path(), 1, 100);
    ASSERT_TRUE(table.EnsureTable());
    ReportFill fill;
    ASSERT_TRUE(CStatisticsRecords::MailboxUsage(table, "{Mailbox 100 &Ext 201 m_t_login 125 m_c_accessed 9}",
                                                 m_range, fill));
    EXPECT_EQ(ReportRows(path(), "SELECT * FROM MAILBOXUSAGE"), QStringList{"100|201|2|9|3/1/2001|3/15/2001"});
}

TEST_F(StatisticsRecordsTest, SystemInformationCountsTheOtherReplies)
{
    CSystemInfoTable table(path(), 1, 100);
    ASSERT_TRUE(table.EnsureTable());
    ReportFill fill;
    ASSERT_TRUE(CStatisticsRecords::SystemInformation(
        table, "{m_version 5.2 m_pbx {} m_dspace {2 GB} m_nvports 24 m_dtime now m_starttime then m_stime {}}",
        "{Mailbox 1} {Mailbox 2} {Mailbox 3} {Mailbox 4}", "{Mailbox 5} {Mailbox 6}",
        QStringList(37, "{Mailbox 7}").join(' '), fill));
    EXPECT_EQ(ReportRows(path(), "SELECT * FROM SYSTEMINFO"), QStringList{"5.2|None|37|2 GB|24|2|4|now|then|None"});
}

TEST_F(StatisticsRecordsTest, AnEmptySystemReplyStoresASystemThatToldNothing)
{
    CSystemInfoTable table(path(), 1, 100);
    ASSERT_TRUE(table.EnsureTable());
    ReportFill fill;
    ASSERT_TRUE(CStatisticsRecords::SystemInformation(table, "", "", "", "", fill));
    EXPECT_EQ(ReportRows(path(), "SELECT * FROM SYSTEMINFO"), QStringList{".|None|0|.|0|0|0|.|.|None"});
}

} // namespace
