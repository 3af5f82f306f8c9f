// The IVR host list text: the server's spelling kept for plain values,
// trailing empty values left out, hosts without a session file dropped, and
// any value carried through intact.
#include "admin/config/records/ivrhostlist.h"

#include <gtest/gtest.h>

namespace {

TEST(IvrHostList, ReadsTheFourValuesOfEachHost)
{
    CIvrHostList list;
    list.Parse(QStringLiteral("{mainframe {host.ses} ivr secret} {billing {billing.ses}} {x y z w extra}"));
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Record(1).host, "mainframe");
    EXPECT_EQ(list.Record(1).sessionFile, "host.ses");
    EXPECT_EQ(list.Record(1).userId, "ivr");
    EXPECT_EQ(list.Record(1).password, "secret");
    EXPECT_EQ(list.Record(2).userId, "");
    EXPECT_EQ(list.Record(3).password, "w");
}

TEST(IvrHostList, WritesEachHostAsTheServerKeepsIt)
{
    const struct {
        IvrHostRecord record;
        const char *text;
    } cases[] = {
        {{"mainframe", "host.ses", "ivr", "secret"}, "{mainframe {host.ses} ivr secret}"},
        {{"h", "s.ses", "", "pw"}, "{h {s.ses} {} pw}"},
        {{"h", "s.ses", "", ""}, "{h {s.ses}}"},
        {{"h", "s.ses", "u", ""}, "{h {s.ses} u}"},
        {{"h", "", "u", "p"}, ""},
        {{"", "s.ses", "u", "p"}, ""},
    };
    for (const auto &c : cases) {
        CIvrHostList list;
        list.Append(c.record);
        EXPECT_EQ(list.Format(), c.text);
    }
}

TEST(IvrHostList, PlainTextsComeBackByteForByte)
{
    const QString text = QStringLiteral("{mainframe {host.ses} ivr secret} {billing {billing.ses}}");
    CIvrHostList list;
    list.Parse(text);
    EXPECT_EQ(list.Format(), text);
}

TEST(IvrHostList, UnchangedHostsKeepTheServersSpelling)
{
    const QString text = QStringLiteral("{mainframe {host.ses} ivr secret}  {billing {billing.ses} {} {}} {bare}");
    const struct {
        int changed; // the host whose user id is typed, or 0
        const char *written;
    } cases[] = {
        {0, "{mainframe {host.ses} ivr secret}  {billing {billing.ses} {} {}} {bare}"},
        {1, "{mainframe {host.ses} root secret} {billing {billing.ses} {} {}} {bare}"},
        {2, "{mainframe {host.ses} ivr secret} {billing {billing.ses} root} {bare}"},
    };
    for (const auto &c : cases) {
        CIvrHostList list;
        list.Parse(text);
        if (c.changed)
            list.Record(c.changed).userId = QStringLiteral("root");
        EXPECT_EQ(list.Format(), QString::fromUtf8(c.written)) << c.changed;
    }
}

TEST(IvrHostList, ValuesWithBlanksBracesAndBackslashesComeBackAsTheyWere)
{
    CIvrHostList list;
    list.Append({"a{b", "C:\\ses files\\x.ses", "u}", "p w\\"});
    list.Append({"h2", "{odd", "", "[exit]"});
    CIvrHostList read;
    read.Parse(list.Format());
    ASSERT_EQ(read.Count(), 2);
    for (int n = 1; n <= 2; ++n) {
        EXPECT_EQ(read.Record(n).host, list.Record(n).host);
        EXPECT_EQ(read.Record(n).sessionFile, list.Record(n).sessionFile);
        EXPECT_EQ(read.Record(n).userId, list.Record(n).userId);
        EXPECT_EQ(read.Record(n).password, list.Record(n).password);
    }
}

TEST(IvrHostList, FindsOtherHostsOfTheSameName)
{
    CIvrHostList list;
    list.Parse(QStringLiteral("{a {s}} {b {s}}"));
    EXPECT_TRUE(list.HasHost("a", 0));
    EXPECT_TRUE(list.HasHost("a", 2));
    EXPECT_FALSE(list.HasHost("a", 1));
    EXPECT_FALSE(list.HasHost("c", 0));
}

} // namespace
