// Reading the server's greeting: its fields, and the time-zone text checked
// before anything applies it.
#include "admin/session/servergreeting.h"

#include <gtest/gtest.h>

namespace {

TEST(CServerGreetingTest, ThreeWordsAfterTheGreetingGiveAandBandTheZone)
{
    const auto greeting = CServerGreeting::Parse("VREADY 8f3a c0de EST5EDT");
    ASSERT_TRUE(greeting);
    EXPECT_EQ(greeting->fieldA, "8f3a");
    EXPECT_EQ(greeting->fieldB, "c0de");
    EXPECT_EQ(greeting->timeZone, "EST5EDT");
}

TEST(CServerGreetingTest, FieldBRunsToTheLastBlank)
{
    const auto greeting = CServerGreeting::Parse("VREADY a b1 b2 UTC\r\n");
    ASSERT_TRUE(greeting);
    EXPECT_EQ(greeting->fieldB, "b1 b2");
    EXPECT_EQ(greeting->timeZone, "UTC");
}

class ShortGreetings : public testing::TestWithParam<const char *> {};

TEST_P(ShortGreetings, AreRefused)
{
    EXPECT_FALSE(CServerGreeting::Parse(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Lines, ShortGreetings,
                         testing::Values("", "VREADY", "VREADY a", "VREADY a b", " ", "  "));

struct ZoneCase {
    const char *zone;
    bool valid;
};

class TimeZones : public testing::TestWithParam<ZoneCase> {};

TEST_P(TimeZones, AreCheckedBeforeUse)
{
    EXPECT_EQ(CServerGreeting::IsValidTimeZone(GetParam().zone), GetParam().valid) << GetParam().zone;
}

INSTANTIATE_TEST_SUITE_P(
    Zones, TimeZones,
    testing::Values(ZoneCase{"EST5EDT", true}, ZoneCase{"Europe/Paris", true},
                    ZoneCase{"EST5EDT,M3.2.0,M11.1.0", true}, ZoneCase{"<+0530>-5:30", true},
                    ZoneCase{"", false}, ZoneCase{"/etc/passwd", false}, ZoneCase{":/etc/passwd", false},
                    ZoneCase{"../../etc/passwd", false}, ZoneCase{"UTC;rm", false}, ZoneCase{"A=B", false},
                    ZoneCase{"UTC\n", false},
                    ZoneCase{"AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA", false}));

} // namespace
