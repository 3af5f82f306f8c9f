// The range list as the Create, Copy and Delete dialogs read it: the texts
// it accepts with the numbers they expand to (each once), the texts it
// refuses with the reason and message (overflow and the order of the checks
// included), and a wide range that stays one interval for the allowed-range
// check.
#include "admin/uatools/ranges/parsedrangelist.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

using Item = CParsedRangeList::Item;

std::vector<uint32_t> Expand(const CParsedRangeList &list)
{
    std::vector<uint32_t> numbers;
    CParsedRangeList::Expansion expansion(list);
    for (uint32_t n = 0; expansion.Next(n);)
        numbers.push_back(n);
    return numbers;
}

struct AcceptedCase {
    const char *text;
    std::vector<uint32_t> numbers;
};

void PrintTo(const AcceptedCase &c, std::ostream *out)
{
    *out << '"' << c.text << '"';
}

class ParsedRangeListAccepts : public testing::TestWithParam<AcceptedCase> {};

TEST_P(ParsedRangeListAccepts, ExpandsInTextOrderWithRangesAscendingAndEachNumberOnce)
{
    const CParsedRangeList::Result result = CParsedRangeList::Parse(QString::fromUtf8(GetParam().text));
    ASSERT_EQ(result.refusal, CParsedRangeList::Accepted) << result.message.toStdString();
    ASSERT_TRUE(result.list.has_value());
    EXPECT_TRUE(result.message.isEmpty());
    EXPECT_EQ(Expand(*result.list), GetParam().numbers);
    EXPECT_EQ(result.list->Count(), GetParam().numbers.size());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParsedRangeListAccepts,
    testing::Values(AcceptedCase{"100", {100}}, AcceptedCase{"1,,2", {1, 2}},
                    AcceptedCase{"1 - 3", {1, 2, 3}}, AcceptedCase{"1 -3", {1, 2, 3}},
                    AcceptedCase{"1-2 3-4", {1, 2, 3, 4}}, AcceptedCase{"1-2,7", {1, 2, 7}},
                    AcceptedCase{"100,100", {100}}, AcceptedCase{"5 3-7", {5, 3, 4, 6, 7}},
                    AcceptedCase{"9 1-3 2", {9, 1, 2, 3}},
                    AcceptedCase{"560-563 562-565 560", {560, 561, 562, 563, 564, 565}},
                    AcceptedCase{"3-7 1-9 4", {3, 4, 5, 6, 7, 1, 2, 8, 9}},
                    AcceptedCase{"2-3 5-6 1-8", {2, 3, 5, 6, 1, 4, 7, 8}}, AcceptedCase{"\t10\r\n20 ", {10, 20}},
                    AcceptedCase{"0", {0}}, AcceptedCase{"2147483646-2147483647", {2147483646, 2147483647}},
                    AcceptedCase{"00000000000000000000000000012", {12}},
                    AcceptedCase{"998-1000", {998, 999, 1000}}));

TEST(ParsedRangeList, ReadsTheExampleOfTheRangeBoxAsItems)
{
    const CParsedRangeList::Result result = CParsedRangeList::Parse(QStringLiteral("100-199, 205 300-310"));
    ASSERT_TRUE(result.list.has_value());
    const Item marker{Item::RangeMarker, 0};
    EXPECT_EQ(result.list->Items(), (QList<Item>{{Item::Number, 100},
                                                 marker,
                                                 {Item::Number, 199},
                                                 {Item::Number, 205},
                                                 {Item::Number, 300},
                                                 marker,
                                                 {Item::Number, 310}}));
    EXPECT_EQ(result.list->Count(), 112u);
}

TEST(ParsedRangeList, ANumberThatEqualsTheOldMarkerIsANumber)
{
    // 4294967295 was the marker's value; it is above the user-agent range
    // now, and the highest number is a number like any other.
    EXPECT_EQ(CParsedRangeList::Parse(QStringLiteral("4294967295")).refusal,
              CParsedRangeList::NumberTooLarge);
    const CParsedRangeList::Result result = CParsedRangeList::Parse(QStringLiteral("2147483647"));
    ASSERT_TRUE(result.list.has_value());
    EXPECT_EQ(result.list->Items(), (QList<Item>{{Item::Number, 2147483647u}}));
}

struct RefusedCase {
    const char *text;
    CParsedRangeList::Refusal refusal;
    const char *message;
};

void PrintTo(const RefusedCase &c, std::ostream *out)
{
    *out << '"' << c.text << '"';
}

class ParsedRangeListRefuses : public testing::TestWithParam<RefusedCase> {};

TEST_P(ParsedRangeListRefuses, SaysWhyWithTheMessage)
{
    const CParsedRangeList::Result result = CParsedRangeList::Parse(QString::fromUtf8(GetParam().text));
    EXPECT_EQ(result.refusal, GetParam().refusal);
    EXPECT_EQ(result.message, QString::fromUtf8(GetParam().message));
    EXPECT_FALSE(result.list.has_value());
}

constexpr char kCharacters[] = "Only use numbers, commas, and '-' for ranges in the range box.";
constexpr char kEmpty[] = "You must enter a range or list of mailboxes.";
constexpr char kPairs[] = "Ranges (with '-') can only be used in pairs.";
constexpr char kOrder[] = "Please use ranges that go from smaller to larger.";

INSTANTIATE_TEST_SUITE_P(
    Texts, ParsedRangeListRefuses,
    testing::Values(
        RefusedCase{"", CParsedRangeList::Empty, kEmpty},
        RefusedCase{" ,\t\r\n", CParsedRangeList::Empty, kEmpty},
        RefusedCase{"12a", CParsedRangeList::OtherCharacter, kCharacters},
        RefusedCase{"1.5", CParsedRangeList::OtherCharacter, kCharacters},
        RefusedCase{"1/2", CParsedRangeList::OtherCharacter, kCharacters},
        RefusedCase{"1;2", CParsedRangeList::OtherCharacter, kCharacters},
        RefusedCase{"\xc3\xa9", CParsedRangeList::OtherCharacter, kCharacters},
        RefusedCase{"-5", CParsedRangeList::Unpaired, kPairs},
        RefusedCase{"5-", CParsedRangeList::Unpaired, kPairs},
        RefusedCase{"1--2", CParsedRangeList::Unpaired, kPairs},
        RefusedCase{"1-2-3", CParsedRangeList::Unpaired, kPairs},
        RefusedCase{"1 - - 2", CParsedRangeList::Unpaired, kPairs},
        RefusedCase{"-", CParsedRangeList::Unpaired, kPairs},
        RefusedCase{"10-5", CParsedRangeList::Descending, kOrder},
        RefusedCase{"5-5", CParsedRangeList::Descending, kOrder},
        RefusedCase{"1-3 9-8", CParsedRangeList::Descending, kOrder},
        // Overflow: checked in 64 bits, never wrapped into a small number.
        RefusedCase{"2147483648", CParsedRangeList::NumberTooLarge,
                    "The number 2147483648 is too large: user agents are numbered up to 2147483647."},
        RefusedCase{"4294967297", CParsedRangeList::NumberTooLarge,
                    "The number 4294967297 is too large: user agents are numbered up to 2147483647."},
        RefusedCase{"1-99999999999999999999999", CParsedRangeList::NumberTooLarge,
                    "The number 99999999999999999999999 is too large: user agents are numbered up to "
                    "2147483647."},
        // The order of the checks: the scan refuses at its first fault in
        // text order; pairing comes before the ascending order.
        RefusedCase{"12a 99999999999", CParsedRangeList::OtherCharacter, kCharacters},
        RefusedCase{"99999999999 12a", CParsedRangeList::NumberTooLarge,
                    "The number 99999999999 is too large: user agents are numbered up to 2147483647."},
        RefusedCase{"10-5 1-2-3", CParsedRangeList::Unpaired, kPairs},
        RefusedCase{"5-1 -", CParsedRangeList::Unpaired, kPairs}));

TEST(ParsedRangeList, AcceptsAnEmptyTextOnlyWhenAskedTo)
{
    const CParsedRangeList::Result result = CParsedRangeList::Parse(QStringLiteral(" , "), true);
    ASSERT_EQ(result.refusal, CParsedRangeList::Accepted);
    ASSERT_TRUE(result.list.has_value());
    EXPECT_TRUE(result.list->IsEmpty());
    EXPECT_EQ(result.list->Count(), 0u);
}

TEST(ParsedRangeList, KeepsAWideRangeAsOneIntervalForTheAllowedCheck)
{
    const CParsedRangeList::Result wide = CParsedRangeList::Parse(QStringLiteral("1-2000000000"));
    ASSERT_TRUE(wide.list.has_value());
    EXPECT_EQ(wide.list->Count(), 2000000000u);
    const CRangeList intervals = wide.list->Intervals();
    EXPECT_EQ(intervals.Intervals(), (QList<CRangeList::Interval>{{1, 2000000000}}));

    const CRangeList allowed = *CRangeList::Parse(QStringLiteral("100-105 200"));
    EXPECT_FALSE(allowed.ContainsAll(intervals));
    EXPECT_TRUE(CRangeList::Parse(QStringLiteral("0-2147483647"))->ContainsAll(intervals));

    auto allowedText = [&allowed](const char *text) {
        return allowed.ContainsAll(CParsedRangeList::Parse(QString::fromUtf8(text)).list->Intervals());
    };
    EXPECT_TRUE(allowedText("100-105"));
    EXPECT_TRUE(allowedText("200 101-103 100,100"));
    EXPECT_FALSE(allowedText("100-106"));
    EXPECT_FALSE(allowedText("99-101"));
    EXPECT_FALSE(allowedText("200 201"));
}

TEST(ParsedRangeList, MergesOverlappingEntriesIntoIntervals)
{
    const CParsedRangeList::Result result = CParsedRangeList::Parse(QStringLiteral("5 3-7 9 8 20-30 25"));
    ASSERT_TRUE(result.list.has_value());
    EXPECT_EQ(result.list->Intervals().Intervals(), (QList<CRangeList::Interval>{{3, 9}, {20, 30}}));
}

} // namespace
