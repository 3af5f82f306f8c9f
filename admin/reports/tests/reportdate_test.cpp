// The dates of the report runs: periods from the typed texts, the date a
// server's question proposes, and log-on times on a 12-hour clock.
#include "admin/reports/reportdate.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace {

const QDateTime kMarch15(QDate(2001, 3, 15), QTime(10, 30));

struct PeriodCase {
    const char *name;
    const char *from;
    const char *to;
    const char *fromArgument;
    const char *toArgument;
    const char *fromText;
    const char *toText;
};

const PeriodCase kPeriods[] = {
    {"BothEmpty", "", "", "00 1 2 2001", "-1", "3/1/2001", "3/15/2001"},
    {"MonthFirst", "2/10/2001", "2/20/2001", "00 10 1 2001", "23 20 1 2001", "2/10/2001", "2/20/2001"},
    {"TwoDigitYears", "12/31/99", "1/2/01", "00 31 11 1999", "23 2 0 2001", "12/31/1999", "1/2/2001"},
    {"ToDoesNotParse", "", "soon", "00 1 2 2001", "23 15 2 2001", "3/1/2001", "3/15/2001"},
    {"FromDoesNotParse", "yesterday", "", "00 15 2 2001", "-1", "3/15/2001", "3/15/2001"},
    {"NoSuchDay", "2/30/2001", "", "00 15 2 2001", "-1", "3/15/2001", "3/15/2001"},
};

class PeriodTest : public testing::TestWithParam<PeriodCase> {};

TEST_P(PeriodTest, GivesTheServersArgumentsAndTheRecordsTexts)
{
    const PeriodCase &c = GetParam();
    const ReportDateRange range = CReportDate::Range(QString::fromLatin1(c.from), QString::fromLatin1(c.to), kMarch15);
    EXPECT_EQ(range.fromArgument, QString::fromLatin1(c.fromArgument));
    EXPECT_EQ(range.toArgument, QString::fromLatin1(c.toArgument));
    EXPECT_EQ(range.fromText, QString::fromLatin1(c.fromText));
    EXPECT_EQ(range.toText, QString::fromLatin1(c.toText));
}

INSTANTIATE_TEST_SUITE_P(Periods, PeriodTest, testing::ValuesIn(kPeriods),
                         [](const testing::TestParamInfo<PeriodCase> &info) { return info.param.name; });

TEST(QuestionDate, IsReadFromTheFirstDigitAndMustBeADate)
{
    EXPECT_EQ(CReportDate::QuestionDate("?Data starts 3/5/2001. Use it?"), QDate(2001, 3, 5));
    EXPECT_EQ(CReportDate::QuestionDate(" 02/03/2001"), QDate(2001, 2, 3));
    EXPECT_EQ(CReportDate::QuestionDate("?from 3 5 2001"), QDate(2001, 3, 5));
    EXPECT_FALSE(CReportDate::QuestionDate("?no date here"));
    EXPECT_FALSE(CReportDate::QuestionDate("?only 3/5"));
    EXPECT_FALSE(CReportDate::QuestionDate("?13/40/2001"));
    EXPECT_FALSE(CReportDate::QuestionDate("?99999999999/1/2001"));
}

class LogonText : public testing::Test {
protected:
    void SetUp() override
    {
        const char *zone = std::getenv("TZ");
        m_oldZone = zone ? QByteArray(zone) : QByteArray();
        m_hadZone = zone != nullptr;
        setenv("TZ", "UTC0", 1);
        tzset();
    }
    void TearDown() override
    {
        if (m_hadZone)
            setenv("TZ", m_oldZone.constData(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    static qint64 at(int year, int month, int day, int hour, int minute)
    {
        return QDateTime(QDate(year, month, day), QTime(hour, minute), Qt::UTC).toSecsSinceEpoch();
    }

    QByteArray m_oldZone;
    bool m_hadZone = false;
};

struct LogonCase {
    int year, month, day, hour, minute;
    const char *statistics; // the statistics reports: midnight is 12
    const char *rows;       // the Generate Reports rows: midnight is 0
};

TEST_F(LogonText, IsWrittenOnATwelveHourClockWithMidnightAsEachReportWritesIt)
{
    using M = CReportDate::MidnightHour;
    EXPECT_EQ(CReportDate::LogonText(0, M::Twelve), "NEVER");
    EXPECT_EQ(CReportDate::LogonText(0, M::Zero), "NEVER");
    const LogonCase cases[] = {
        {2001, 1, 2, 0, 5, "1/2/2001 12:05am", "1/2/2001 0:05am"},
        {2001, 1, 2, 0, 7, "1/2/2001 12:07am", "1/2/2001 0:07am"},
        {2000, 12, 25, 0, 30, "12/25/2000 12:30am", "12/25/2000 0:30am"},
        {2001, 1, 2, 1, 0, "1/2/2001 1:00am", "1/2/2001 1:00am"},
        {2000, 12, 25, 11, 59, "12/25/2000 11:59am", "12/25/2000 11:59am"},
        {2001, 1, 2, 12, 5, "1/2/2001 12:05pm", "1/2/2001 12:05pm"},
        {2001, 1, 2, 12, 30, "1/2/2001 12:30pm", "1/2/2001 12:30pm"},
        {2001, 1, 2, 13, 7, "1/2/2001 1:07pm", "1/2/2001 1:07pm"},
        {2001, 3, 7, 14, 5, "3/7/2001 2:05pm", "3/7/2001 2:05pm"},
        {2001, 3, 7, 23, 59, "3/7/2001 11:59pm", "3/7/2001 11:59pm"},
    };
    for (const LogonCase &c : cases) {
        const qint64 stamp = at(c.year, c.month, c.day, c.hour, c.minute);
        EXPECT_EQ(CReportDate::LogonText(stamp, M::Twelve), c.statistics);
        EXPECT_EQ(CReportDate::LogonText(stamp, M::Zero), c.rows);
    }
}

} // namespace
