// The schedule text's fields: a new job's schedule, the fields the page
// writes, the start time, and the ranges that keep the text readable.
#include "admin/config/records/jobschedule.h"

#include <gtest/gtest.h>

namespace {

QDateTime local(int y, int m, int d, int h = 9, int min = 30, int s = 0)
{
    return QDateTime(QDate(y, m, d), QTime(h, min, s));
}

TEST(JobSchedule, ANewJobCarriesItsMonthAndStart)
{
    const QDateTime start = local(2027, 3, 14);
    const auto schedule = CJobSchedule::NewJob(start);
    ASSERT_TRUE(schedule);
    EXPECT_EQ(schedule->Text(),
              QStringLiteral("0101010101010103") + QString::number(start.toSecsSinceEpoch(), 16));
    EXPECT_EQ(schedule->StartTime(), start.toSecsSinceEpoch());
    EXPECT_TRUE(schedule->IsReadable());
}

TEST(JobSchedule, FieldsAreTwoLowerCaseHexDigits)
{
    CJobSchedule schedule(QStringLiteral("010101010101010167a0b1c2"));
    schedule.SetField(CJobSchedule::RepeatUnit, CJobSchedule::Week);
    schedule.SetField(CJobSchedule::Interval, 2);
    schedule.SetField(CJobSchedule::ActiveDays, CJobSchedule::kAllDays);
    schedule.SetField(CJobSchedule::DayOfMonth, CJobSchedule::kLastDayOfMonth);
    EXPECT_EQ(schedule.Text(), "7f01080201200101" "67a0b1c2");
    EXPECT_EQ(schedule.GetField(CJobSchedule::ActiveDays), 0x7f);
    EXPECT_EQ(schedule.GetField(CJobSchedule::Interval), 2);
}

TEST(JobSchedule, OnlyTheShapeTheServerKeepsIsReadable)
{
    const struct {
        const char *text;
        bool readable;
    } cases[] = {{"0101010101010101", false}, {"01", false}, {"", false}, {"0101010101010101a", true},
                 {"7F0108020120010167A0B1C2", true}, {"010101010101010g67a0b1c2", false},
                 {"0101010101010101123456789", false}};
    for (const auto &c : cases)
        EXPECT_EQ(CJobSchedule(c.text).IsReadable(), c.readable) << c.text;
}

TEST(JobSchedule, StartsOutside1970To2037AreRefused)
{
    CJobSchedule schedule(QStringLiteral("0101010101010101a"));
    EXPECT_FALSE(schedule.SetStart(local(2038, 1, 1)));
    EXPECT_FALSE(schedule.SetStart(local(1969, 12, 31)));
    EXPECT_EQ(schedule.Text(), "0101010101010101a");
    EXPECT_TRUE(schedule.SetStart(local(2037, 12, 31)));
    EXPECT_EQ(schedule.GetField(CJobSchedule::Month), 12);
    EXPECT_FALSE(CJobSchedule::NewJob(local(2040, 5, 5)));
}

TEST(JobSchedule, UnitsAndTheirPlacesInTheList)
{
    const int units[] = {CJobSchedule::Minute, CJobSchedule::Hour, CJobSchedule::Day, CJobSchedule::Week,
                         CJobSchedule::MonthUnit, CJobSchedule::Year};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(CJobSchedule::UnitIndex(units[i]), i);
        EXPECT_EQ(CJobSchedule::UnitAt(i), units[i]);
    }
    EXPECT_EQ(CJobSchedule::UnitIndex(0), -1);
    EXPECT_EQ(CJobSchedule::UnitIndex(3), -1);
}

TEST(JobSchedule, TimeOfDayIsSixDigitsInRange)
{
    const struct {
        const char *text;
        std::optional<QTime> time;
    } cases[] = {{"093000", QTime(9, 30, 0)}, {"235959", QTime(23, 59, 59)}, {"240000", std::nullopt},
                 {"096000", std::nullopt}, {"0930", std::nullopt}, {"09:300", std::nullopt}, {"", std::nullopt}};
    for (const auto &c : cases)
        EXPECT_EQ(CJobSchedule::ParseTimeOfDay(c.text), c.time) << c.text;
}

TEST(JobSchedule, IntervalIsOneTo255)
{
    const struct {
        const char *text;
        std::optional<int> interval;
    } cases[] = {{"1", 1}, {"255", 255}, {"0", std::nullopt}, {"256", std::nullopt}, {"-2", std::nullopt},
                 {"x", std::nullopt}, {"", std::nullopt}, {" 7 ", 7}};
    for (const auto &c : cases)
        EXPECT_EQ(CJobSchedule::ParseInterval(c.text), c.interval) << c.text;
}

} // namespace
