// The `holidays` text: which words are holidays, their order, and words that
// are kept although they are none.
#include "admin/config/records/holidaylist.h"

#include <gtest/gtest.h>

namespace {

QString roundTrip(const QString &text, int *fixedCount = nullptr, int *yearlyCount = nullptr,
                  QStringList *unreadable = nullptr)
{
    CHolidayList fixed;
    CHolidayList yearly;
    QStringList kept;
    HolidayText::Parse(text, fixed, yearly, kept);
    if (fixedCount)
        *fixedCount = fixed.Count();
    if (yearlyCount)
        *yearlyCount = yearly.Count();
    if (unreadable)
        *unreadable = kept;
    return HolidayText::Format(fixed, yearly, kept);
}

TEST(HolidayTextTest, SavesFixedDatesFirstThenYearlyHolidaysInOrder)
{
    int fixed = 0;
    int yearly = 0;
    EXPECT_EQ(roundTrip(QStringLiteral("12/25 1/1/2003 7/4"), &fixed, &yearly),
              QStringLiteral("1/1/2003 7/4 12/25"));
    EXPECT_EQ(fixed, 1);
    EXPECT_EQ(yearly, 2);
    EXPECT_EQ(roundTrip(QStringLiteral("5/5/ 7/4 7/4 03/09/2010")), QStringLiteral("3/9/2010 5/5 7/4"));
}

TEST(HolidayTextTest, WordsThatAreNoHolidayAreKeptAndWrittenBack)
{
    QStringList kept;
    const QString saved =
        roundTrip(QStringLiteral("13/1 0/5 2/0 2/32 x/1 5/5/1969 257/1 1/257 1/1/70000 12/25 {new year}"),
                  nullptr, nullptr, &kept);
    EXPECT_EQ(kept, (QStringList{"13/1", "0/5", "2/0", "2/32", "x/1", "5/5/1969", "257/1", "1/257",
                                 "1/1/70000", "{new year}"}));
    EXPECT_EQ(saved, QStringLiteral("12/25 13/1 0/5 2/0 2/32 x/1 5/5/1969 257/1 1/257 1/1/70000 {new year}"));
    // A text that is no list at all stays whole.
    EXPECT_EQ(roundTrip(QStringLiteral("{7/4 12/25")), QStringLiteral("{7/4 12/25"));
}

TEST(HolidayTextTest, MonthsAreCheckedInFullNotCutToEightBits)
{
    HolidayRecord holiday;
    EXPECT_FALSE(HolidayText::ParseWord(QStringLiteral("257/1"), holiday)); // 257 & 0xff would be January
    EXPECT_FALSE(HolidayText::ParseWord(QStringLiteral("268/1"), holiday)); // 268 & 0xff would be December
    EXPECT_FALSE(HolidayText::ParseWord(QStringLiteral("1/260"), holiday));
    ASSERT_TRUE(HolidayText::ParseWord(QStringLiteral(" 12/ 24/ 2004"), holiday));
    EXPECT_EQ(holiday, HolidayRecord::Make(24, 12, 2004));
}

TEST(HolidayListTest, YearlyHolidaysInterleaveWithTheFixedDatesOfOneYear)
{
    CHolidayList shown;
    for (HolidayRecord holiday : {HolidayRecord::Make(25, 12, 0), HolidayRecord::Make(4, 7, 0),
                                  HolidayRecord::Make(1, 1, 2003), HolidayRecord::Make(5, 9, 2003)})
        EXPECT_TRUE(shown.Insert(holiday));
    EXPECT_FALSE(shown.Insert(HolidayRecord::Make(4, 7, 0)));
    EXPECT_TRUE(shown.Insert(HolidayRecord::Make(4, 7, 2003))); // a kind of its own
    QStringList order;
    for (HolidayRecord holiday : shown.Items())
        order << HolidayText::FormatWord(holiday);
    EXPECT_EQ(order, (QStringList{"1/1/2003", "7/4", "7/4/2003", "9/5/2003", "12/25"}));
}

struct KeepingCase {
    const char *server;
    std::vector<HolidayRecord> removed;
    std::vector<HolidayRecord> added;
    const char *written;
};

TEST(HolidayTextTest, WhatWasNotChangedKeepsItsOrderAndSpelling)
{
    const HolidayRecord newYear = HolidayRecord::Make(1, 1, 0);
    const KeepingCase cases[] = {
        {"12/25 1/1 12/24/2026  12/31/2026 {}", {}, {}, "12/25 1/1 12/24/2026  12/31/2026 {}"},
        {"12/25 1/1 12/24/2026  12/31/2026 {}",
         {newYear},
         {HolidayRecord::Make(1, 5, 0), HolidayRecord::Make(4, 7, 2026)},
         "12/25 12/24/2026 12/31/2026 {} 7/4/2026 5/1"},
        {"03/09/2010 { 7/4} x/1", {}, {newYear}, "03/09/2010 { 7/4} x/1 1/1"},
        {"7/4 12/25 7/4", {HolidayRecord::Make(4, 7, 0)}, {}, "12/25"},
        // Added and removed again: as read.
        {"7/4  12/25", {newYear}, {newYear}, "7/4  12/25"},
    };
    for (const KeepingCase &c : cases) {
        CHolidayList fixed;
        CHolidayList yearly;
        QStringList unreadable;
        HolidayText::Parse(QLatin1String(c.server), fixed, yearly, unreadable);
        for (HolidayRecord holiday : c.added)
            (holiday.IsYearly() ? yearly : fixed).Insert(holiday);
        for (HolidayRecord holiday : c.removed)
            (holiday.IsYearly() ? yearly : fixed).Remove(holiday);
        EXPECT_EQ(HolidayText::FormatKeeping(QLatin1String(c.server), fixed, yearly).toStdString(), c.written)
            << c.server;
    }
}

} // namespace
