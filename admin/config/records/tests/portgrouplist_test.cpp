// Port groups: loading `jobq` and `statistical_groups`, the shown and typed
// port lists, and the texts written back.
#include "admin/config/records/portgrouplist.h"

#include "admin/session/tcllist.h"

#include <gtest/gtest.h>

namespace {

TEST(PortGroupListTest, LoadsOnlyPortsAndLimitsInRange)
{
    CPortGroupList groups(CPortGroupList::Notification);
    groups.Load(QStringLiteral("{Q1 {1 2 3} 100} {Q2 {3 3 99 2 259 x 0} 150} {Q3 {4} 256} {Q4 {5} 50}"), 8);
    ASSERT_EQ(groups.Count(), 4);
    EXPECT_EQ(groups.At(1).ports, (QList<int>{3, 2}));
    EXPECT_EQ(groups.At(1).limit, 100);
    EXPECT_EQ(groups.At(2).limit, 100); // 256 is no 0 in eight bits here
    EXPECT_EQ(groups.At(3).limit, 50);
}

TEST(PortGroupListTest, WritesTheServerFormatAndQuotesWhatNeedsIt)
{
    CPortGroupList notify(CPortGroupList::Notification);
    notify.Load(QStringLiteral("{Q1 {1 2 3} 100} {Q2 {4 5 6} 50}"), 8);
    EXPECT_EQ(notify.Save(), QStringLiteral("{Q1 {1 2 3} 100} {Q2 {4 5 6} 50}"));
    notify.Append(PortGroupRecord{QString(), {1}, 100}); // no ID: left out
    notify.Append(PortGroupRecord{QStringLiteral("night {shift"), {}, 20});
    const QString saved = notify.Save();
    CPortGroupList again(CPortGroupList::Notification);
    again.Load(saved, 8);
    ASSERT_EQ(again.Count(), 3);
    EXPECT_EQ(again.At(2).id, QStringLiteral("night {shift"));
    EXPECT_EQ(again.At(2).limit, 20);

    CPortGroupList statistical(CPortGroupList::Statistical);
    statistical.Load(QStringLiteral("{1 {1 2 3}} {2 {4 5}}"), 8);
    EXPECT_EQ(statistical.Save(), QStringLiteral("{1 {1 2 3}} {2 {4 5}}"));
    statistical.Append(PortGroupRecord{QString(), {}, 100}); // written: statistical IDs are not tested
    EXPECT_EQ(statistical.Save(), QStringLiteral("{1 {1 2 3}} {2 {4 5}} {{} {}}"));
}

TEST(PortGroupListTest, WhatWasNotEditedGoesBackAsTheServerHoldsIt)
{
    const QString server = QStringLiteral(
        "{Pager {1 2 3 4 97} 150}  {Outdial { 90 91 } 4 extra} {{} {5}} {Q4 {x 6}} {Q5 {7}} {Q6}");
    CPortGroupList groups(CPortGroupList::Notification);
    groups.Load(server, 96);
    EXPECT_EQ(groups.Save(), server);
    EXPECT_EQ(CPortGroupList::ShownPorts(groups.At(0)), QStringLiteral("1-4, 97"));
    EXPECT_EQ(CPortGroupList::ShownLimit(groups.At(0)), QStringLiteral("150"));
    EXPECT_EQ(CPortGroupList::ShownPorts(groups.At(3)), QStringLiteral("x 6"));
    EXPECT_FALSE(CPortGroupList::PortsFit(groups.At(0)));
    EXPECT_FALSE(CPortGroupList::LimitFits(groups.At(0)));
    EXPECT_TRUE(CPortGroupList::PortsFit(groups.At(1)));
    EXPECT_TRUE(CPortGroupList::LimitFits(groups.At(1)));
    EXPECT_FALSE(CPortGroupList::PortsFit(groups.At(3)));

    // Edited: Pager's limit, Outdial's and Q4's IDs, Q5's ports. What each
    // keeps of the server's is its own; the group without ID that nobody
    // edited stays.
    groups.SetLimit(0, 50);
    groups.SetId(1, QStringLiteral("Dial out"));
    groups.SetId(3, QStringLiteral("Q4b"));
    groups.SetPorts(4, {8, 9});
    groups.SetId(5, QStringLiteral("Q6b"));
    EXPECT_EQ(
        groups.Save().toStdString(),
        "{Pager {1 2 3 4 97} 50} {{Dial out} { 90 91 } 4 extra} {{} {5}} {Q4b {x 6} 100} {Q5 {8 9} 100} "
        "{Q6b {} 100}");
    EXPECT_EQ(CPortGroupList::ShownLimit(groups.At(0)), QStringLiteral("50"));
    EXPECT_EQ(CPortGroupList::ShownPorts(groups.At(4)), QStringLiteral("8-9"));

    CPortGroupList statistical(CPortGroupList::Statistical);
    statistical.Load(QStringLiteral("{Support {13 14} extra} {X {999}}"), 96);
    statistical.SetId(0, QStringLiteral("Help"));
    statistical.SetPorts(1, {});
    EXPECT_EQ(statistical.Save(), QStringLiteral("{Help {13 14} extra} {X {}}"));
}

TEST(PortGroupListTest, ShowsRunsUpwardsAndDownwards)
{
    EXPECT_EQ(CPortGroupList::FormatPortRanges({1, 2, 3, 7, 9, 8}), QStringLiteral("1-3, 7, 9-8"));
    EXPECT_EQ(CPortGroupList::FormatPortRanges({8, 7, 6, 1}), QStringLiteral("8-6, 1"));
    EXPECT_EQ(CPortGroupList::FormatPortRanges({}), QString());
}

struct TypedList {
    const char *text;
    int ports;
    bool accepted;
    QList<int> result;
};

void PrintTo(const TypedList &c, std::ostream *os)
{
    *os << '"' << c.text << "\" with " << c.ports << " ports";
}

class PortListTyping : public ::testing::TestWithParam<TypedList> {};

TEST_P(PortListTyping, FollowsTheListRules)
{
    const TypedList &c = GetParam();
    QList<int> ports{42};
    EXPECT_EQ(CPortGroupList::ParseVoicePortList(QLatin1String(c.text), c.ports, ports), c.accepted)
        << c.text;
    EXPECT_EQ(ports, c.accepted ? c.result : QList<int>{42}) << c.text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PortListTyping,
    ::testing::Values(TypedList{"8-6, 1", 8, true, {8, 7, 6, 1}}, TypedList{"1,,2", 8, true, {1, 2}},
                      TypedList{" 1-5", 8, true, {1, 2, 3, 4, 5}},
                      TypedList{"1- 5", 8, true, {1, 2, 3, 4, 5}}, TypedList{"5-1", 8, true, {5, 4, 3, 2, 1}},
                      TypedList{"2, 2-3", 8, true, {2, 3}}, TypedList{"1,2,", 8, false, {}},
                      TypedList{"0-3", 8, false, {}}, TypedList{"1-9", 8, false, {}},
                      TypedList{"1 -5", 8, false, {}}, TypedList{"1 - 5", 8, false, {}},
                      TypedList{"", 8, false, {}}, TypedList{"a", 8, false, {}},
                      TypedList{"1-257", 96, false, {}}, TypedList{"257", 96, false, {}},
                      TypedList{"99999999999", 96, false, {}}, TypedList{"1-5x", 8, false, {}}),
    [](const ::testing::TestParamInfo<TypedList> &info) { return "Case" + std::to_string(info.index); });

TEST(PortGroupListTest, LimitsAreWholeNumbersOneToAHundred)
{
    int limit = 7;
    for (const char *refused : {"0", "101", "256", "-5", "50%", "", "4294967346"})
        EXPECT_FALSE(CPortGroupList::ParseLimit(QLatin1String(refused), limit)) << refused;
    EXPECT_EQ(limit, 7);
    EXPECT_TRUE(CPortGroupList::ParseLimit(QStringLiteral(" 100"), limit));
    EXPECT_EQ(limit, 100);
}

TEST(PortGroupListTest, TheNextStatisticalIdIsTheLowestFreeNumber)
{
    const struct {
        const char *groups;
        const char *next;
    } cases[] = {{"{1 {}} {3 {}}", "2"}, {"{1 {}} {2 {}}", "3"}, {"{abc {}} {1 {}}", "1"}, {"", "1"}};
    for (const auto &c : cases) {
        CPortGroupList groups(CPortGroupList::Statistical);
        groups.Load(QLatin1String(c.groups), 8);
        EXPECT_EQ(groups.NextStatisticalId(), QLatin1String(c.next)) << c.groups;
    }
}

TEST(PortGroupListTest, TellsTheGroupsOfAPortAndTheChoices)
{
    CPortGroupList groups(CPortGroupList::Notification);
    groups.Load(QStringLiteral("{Q1 {1 2 3} 100} {Q2 {3 4} 50} {Q3 {1 2 3} 10}"), 4);
    EXPECT_EQ(groups.GetGroupsOfPort(3, 4), QStringLiteral("Q1, Q2, Q3"));
    EXPECT_EQ(groups.GetGroupsOfPort(0, 4), QString());
    EXPECT_EQ(groups.GetGroupsOfPort(5, 4), QString());
    EXPECT_EQ(groups.PortListChoices(4), (QStringList{"1-4", "1-3", "3-4"}));
    EXPECT_EQ(CPortGroupList(CPortGroupList::Statistical).PortListChoices(1), QStringList{"1"});
}

} // namespace
