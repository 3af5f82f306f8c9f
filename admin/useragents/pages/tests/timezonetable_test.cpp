// The time-zone rows and the server zone's bias: the sign of an offset
// holds for its minutes too.
#include "admin/useragents/pages/timezonetable.h"

#include <gtest/gtest.h>

namespace {

TEST(TimeZoneTable, RowsRunFromWestToEast)
{
    EXPECT_EQ(CTimeZoneTable::Name(0), "(GMT-12:00) Eniwetok, Kwajalein");
    EXPECT_EQ(CTimeZoneTable::Bias(0), 720);
    EXPECT_EQ(CTimeZoneTable::Name(73), "(GMT+13:00) Nuku'alofa");
    EXPECT_EQ(CTimeZoneTable::Bias(47), -330);
    for (int row = 1; row < CTimeZoneTable::RowCount; ++row)
        EXPECT_LE(CTimeZoneTable::Bias(row), CTimeZoneTable::Bias(row - 1)) << row;
}

struct BiasCase {
    const char *zone;
    std::optional<int> bias;
};

class ServerBias : public testing::TestWithParam<BiasCase> {};

TEST_P(ServerBias, ReadsTheOffsetAfterTheName)
{
    EXPECT_EQ(CTimeZoneTable::ParseBias(QString::fromLatin1(GetParam().zone)), GetParam().bias);
}

INSTANTIATE_TEST_SUITE_P(Cases, ServerBias,
                         testing::Values(BiasCase{"EST5EDT", 300}, BiasCase{"PST8PDT", 480},
                                         BiasCase{"IST-05:30", -330}, BiasCase{"NST03:30", 210},
                                         BiasCase{"GMT0", 0}, BiasCase{"<+0545>-05:45", -345},
                                         BiasCase{"CET-1CEST", -60}, BiasCase{"UTC+2", 120},
                                         BiasCase{"", std::nullopt}, BiasCase{"EST", std::nullopt},
                                         BiasCase{"5EST", std::nullopt}));

struct RowsCase {
    int bias;
    std::optional<std::pair<int, int>> rows;
};

class RowsOfBias : public testing::TestWithParam<RowsCase> {};

TEST_P(RowsOfBias, FindsTheRunOfRows)
{
    EXPECT_EQ(CTimeZoneTable::RowsOfBias(GetParam().bias), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(Cases, RowsOfBias,
                         testing::Values(RowsCase{300, std::pair{11, 13}}, RowsCase{-330, std::pair{47, 47}},
                                         RowsCase{720, std::pair{0, 0}}, RowsCase{-60, std::pair{26, 30}},
                                         RowsCase{-780, std::pair{73, 73}}, RowsCase{123, std::nullopt}));

} // namespace
