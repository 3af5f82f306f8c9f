// The application's range-list reader: what it accepts, what it refuses and
// that a wide range stays one interval.
#include "admin/uatools/ranges/rangelist.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using Interval = CRangeList::Interval;

struct AcceptedCase {
    const char *text;
    QList<Interval> intervals;
};

class RangeListAccepts : public testing::TestWithParam<AcceptedCase> {};

TEST_P(RangeListAccepts, ReadsTheIntervals)
{
    const std::optional<CRangeList> list = CRangeList::Parse(QString::fromUtf8(GetParam().text));
    ASSERT_TRUE(list.has_value()) << GetParam().text;
    EXPECT_EQ(list->Intervals(), GetParam().intervals);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, RangeListAccepts,
    testing::Values(AcceptedCase{"100", {{100, 100}}}, AcceptedCase{"1,,2", {{1, 2}}},
                    AcceptedCase{"100-199, 205 300-310", {{100, 199}, {205, 205}, {300, 310}}},
                    AcceptedCase{"1 - 3", {{1, 3}}}, AcceptedCase{"1 -3", {{1, 3}}},
                    AcceptedCase{"5-5", {{5, 5}}}, AcceptedCase{"0-0", {{0, 0}}},
                    AcceptedCase{"1-2 3-4", {{1, 4}}}, AcceptedCase{"1-2,7", {{1, 2}, {7, 7}}},
                    AcceptedCase{"7 1-5 3", {{1, 5}, {7, 7}}},
                    AcceptedCase{"\t10\r\n20 ", {{10, 10}, {20, 20}}},
                    AcceptedCase{"4294967295", {{4294967295u, 4294967295u}}}));

class RangeListRefuses : public testing::TestWithParam<const char *> {};

TEST_P(RangeListRefuses, GivesNothing)
{
    EXPECT_FALSE(CRangeList::Parse(QString::fromUtf8(GetParam())).has_value()) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(Texts, RangeListRefuses,
                         testing::Values("", " ,\t", "12a", "1.5", "1/2", "-5", "5-", "1--2", "1-5-9", "9-3",
                                         "5-0", "4294967296", "99999999999999999999", "1 - - 2", "\xc3\xa9"));

TEST(RangeList, KeepsAWideRangeAsOneInterval)
{
    const std::optional<CRangeList> list = CRangeList::Parse(QStringLiteral("1-2000000000"));
    ASSERT_TRUE(list.has_value());
    EXPECT_EQ(list->Intervals().size(), 1);
    EXPECT_EQ(list->Count(), 2000000000u);
    EXPECT_TRUE(list->Contains(1));
    EXPECT_TRUE(list->Contains(2000000000));
    EXPECT_FALSE(list->Contains(0));
    EXPECT_FALSE(list->Contains(2000000001));
}

TEST(RangeList, ContainsOnlyItsNumbers)
{
    const CRangeList list = *CRangeList::Parse(QStringLiteral("100-199 205 300-310"));
    for (int64_t n : {100, 150, 199, 205, 300, 310})
        EXPECT_TRUE(list.Contains(n)) << n;
    for (int64_t n : std::initializer_list<int64_t>{-1, 0, 99, 200, 204, 206, 299, 311, int64_t(1) << 40})
        EXPECT_FALSE(list.Contains(n)) << n;
    EXPECT_EQ(list.Count(), 100u + 1u + 11u);
}

TEST(RangeList, FindsTheFirstNumberItDoesNotHoldFromANumberUp)
{
    const CRangeList list = *CRangeList::Parse(QStringLiteral("100-199 205 300-4294967295"));
    const std::vector<std::pair<uint64_t, uint64_t>> cases{
        {0, 0}, {99, 99}, {100, 200}, {150, 200}, {199, 200}, {200, 200},
        {205, 206}, {299, 299}, {300, 4294967296u}, {4294967296u, 4294967296u}};
    for (const auto &[from, expected] : cases)
        EXPECT_EQ(list.FirstNotContainedFrom(from), expected) << from;
    EXPECT_EQ(CRangeList().FirstNotContainedFrom(7), 7u);
}

TEST(RangeList, MergesOverlappingAndAdjacentIntervals)
{
    CRangeList list;
    list.Add(Interval{10, 20});
    list.Add(Interval{30, 40});
    list.Add(Interval{21, 29});
    EXPECT_EQ(list.Intervals(), (QList<Interval>{{10, 40}}));
    list.Add(Interval{0, 4294967295u});
    EXPECT_EQ(list.Intervals(), (QList<Interval>{{0, 4294967295u}}));
    EXPECT_EQ(list.Count(), uint64_t(1) << 32);
}

TEST(RangeList, IntersectsWithAnotherList)
{
    const CRangeList allowed = *CRangeList::Parse(QStringLiteral("100-199 300"));
    const CRangeList asked = *CRangeList::Parse(QStringLiteral("150-350"));
    EXPECT_EQ(asked.Intersected(allowed).Intervals(), (QList<Interval>{{150, 199}, {300, 300}}));
    EXPECT_TRUE(asked.Intersected(CRangeList()).IsEmpty());
}

TEST(RangeList, ContainsAllOfAnotherListOnlyWhenEveryIntervalFits)
{
    const CRangeList allowed = *CRangeList::Parse(QStringLiteral("100-199 300 400-4294967295"));
    auto contains = [&allowed](const char *text) {
        return allowed.ContainsAll(*CRangeList::Parse(QString::fromUtf8(text)));
    };
    EXPECT_TRUE(contains("100-199"));
    EXPECT_TRUE(contains("150 300 100"));
    EXPECT_TRUE(contains("400-4294967295"));
    EXPECT_FALSE(contains("99"));
    EXPECT_FALSE(contains("199-200"));
    EXPECT_FALSE(contains("100-300"));
    EXPECT_FALSE(contains("301"));
    EXPECT_FALSE(contains("0-4294967295"));
    EXPECT_TRUE(allowed.ContainsAll(CRangeList()));
    EXPECT_FALSE(CRangeList().ContainsAll(*CRangeList::Parse(QStringLiteral("1"))));
}

TEST(RangeList, FormatsAsATextItReadsBack)
{
    const CRangeList list = *CRangeList::Parse(QStringLiteral("7, 3 1-2 10-2000000000"));
    EXPECT_EQ(list.Format(), QStringLiteral("1-3 7 10-2000000000 "));
    EXPECT_EQ(*CRangeList::Parse(list.Format()), list);
    EXPECT_EQ(CRangeList().Format(), QString());
}

} // namespace
