// The answer-method list text: read and written with Tcl's list rules, the
// server's own spelling kept for plain values, and the checks of names,
// rings and greeting numbers.
#include "admin/config/records/answermethodlist.h"
#include "admin/config/records/configitemname.h"

#include "admin/session/tcllist.h"

#include <gtest/gtest.h>

namespace {

QString roundTrip(const QString &text)
{
    CAnswerMethodList list;
    list.Parse(text);
    return list.Format();
}

TEST(AnswerMethodList, ReadsNameGreetingRingsAndGroup)
{
    CAnswerMethodList list;
    list.Parse(QStringLiteral("{Day {997 4 PBX01}} {Night {2000}} {Fax}"));
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Record(1).name, "Day");
    EXPECT_EQ(list.Record(1).greeting, "997");
    EXPECT_EQ(list.Record(1).rings, "4");
    EXPECT_EQ(list.Record(1).group, "PBX01");
    EXPECT_EQ(list.Record(2).greeting, "2000");
    EXPECT_EQ(list.Record(2).rings, "1") << "a missing rings element leaves 1";
    EXPECT_EQ(list.Record(3).name, "Fax");
    EXPECT_EQ(list.Record(0).rings, "0") << "the header record";
}

TEST(AnswerMethodList, WritesPlainListsAsTheServerKeepsThem)
{
    const QString cases[] = {
        QStringLiteral("{Day {997 4 PBX01}} {Night {997 2 PBX01}}"),
        QStringLiteral("{Main {{} 1 {}}}"),
        QStringLiteral(""),
    };
    for (const QString &text : cases)
        EXPECT_EQ(roundTrip(text), text);
}

TEST(AnswerMethodList, UnchangedMethodsKeepTheServersSpellingAndChangedOnesTheirExtraElements)
{
    const QString text = QStringLiteral("{Day  {997 4 PBX01}} {Fax {2100 1 PBX05 extra} more}");
    const struct {
        int changed; // the method whose rings are set to 2, or 0
        const char *written;
    } cases[] = {
        {0, "{Day  {997 4 PBX01}} {Fax {2100 1 PBX05 extra} more}"},
        {1, "{Day {997 2 PBX01}} {Fax {2100 1 PBX05 extra} more}"},
        {2, "{Day  {997 4 PBX01}} {Fax {2100 2 PBX05 extra} more}"},
    };
    for (const auto &c : cases) {
        CAnswerMethodList list;
        list.Parse(text);
        if (c.changed)
            list.Record(c.changed).rings = QStringLiteral("2");
        EXPECT_EQ(list.Format(), QString::fromUtf8(c.written)) << c.changed;
    }
}

TEST(AnswerMethodList, ValuesWithBracesAndBackslashesComeBackAsTheyWere)
{
    CAnswerMethodList list;
    list.Append({QStringLiteral("a{b"), QStringLiteral("997"), QStringLiteral("3"), QStringLiteral("x}y")});
    list.Append({QStringLiteral("back\\"), QString(), QStringLiteral("1"), QStringLiteral("{a b} [exit]")});
    CAnswerMethodList read;
    read.Parse(list.Format());
    ASSERT_EQ(read.Count(), 2);
    for (int n = 1; n <= 2; ++n) {
        EXPECT_EQ(read.Record(n).name, list.Record(n).name);
        EXPECT_EQ(read.Record(n).greeting, list.Record(n).greeting);
        EXPECT_EQ(read.Record(n).rings, list.Record(n).rings);
        EXPECT_EQ(read.Record(n).group, list.Record(n).group);
    }
}

TEST(AnswerMethodList, DropsMethodsWithoutAName)
{
    CAnswerMethodList list;
    list.Parse(QStringLiteral("{Day {997 4 PBX01}}"));
    list.Append({QString(), QStringLiteral("997"), QStringLiteral("1"), QString()});
    EXPECT_EQ(list.Format(), "{Day {997 4 PBX01}}");
}

TEST(AnswerMethodList, AMalformedListGivesNoMethods)
{
    CAnswerMethodList list;
    list.Parse(QStringLiteral("{Day {997 4"));
    EXPECT_EQ(list.Count(), 0);
}

TEST(AnswerMethodList, GreetingNumbersAreDistinctAndAscending)
{
    CAnswerMethodList list;
    list.Parse(QStringLiteral("{A {2100}} {B {997}} {C {2100}} {D {}} {E {2000}}"));
    EXPECT_EQ(list.GreetingNumbers(), (QStringList{"997", "2000", "2100"}));
    EXPECT_EQ(list.NamesText(), "A\tB\tC\tD\tE");
}

TEST(AnswerMethodList, RenamesTheGroupOfEveryMethodInIt)
{
    CAnswerMethodList list;
    list.Parse(QStringLiteral("{A {1 1 G}} {B {1 1 H}} {C {1 1 G}}"));
    EXPECT_TRUE(list.RenameGroup("G", "K"));
    EXPECT_EQ(list.Format(), "{A {1 1 K}} {B {1 1 H}} {C {1 1 K}}");
    EXPECT_FALSE(list.RenameGroup("G", "L"));
}

TEST(AnswerMethodList, RefusesEmptyNamesAndNamesOfOtherMethods)
{
    CAnswerMethodList list;
    list.Parse(QStringLiteral("{Day {1}} {Night {1}}"));
    EXPECT_EQ(list.CheckName("", 0), CAnswerMethodList::NameEmpty);
    EXPECT_EQ(list.CheckName("Day", 0), CAnswerMethodList::NameTaken);
    EXPECT_EQ(list.CheckName("Day", 2), CAnswerMethodList::NameTaken) << "renaming Night to Day";
    EXPECT_EQ(list.CheckName("Day", 1), CAnswerMethodList::NameAccepted) << "its own name";
    EXPECT_EQ(list.CheckName("day", 0), CAnswerMethodList::NameAccepted);
}

TEST(AnswerMethodList, BlanksOfNamesBecomeUnderscores)
{
    EXPECT_EQ(ConfigItemName("Night shift\tB\n"), "Night_shift_B_");
}

TEST(AnswerMethodList, RingsRange)
{
    const struct {
        const char *typed;
        std::optional<int> rings;
    } cases[] = {{"0", std::nullopt}, {"1", 1}, {"15", 15}, {"16", std::nullopt}, {"", std::nullopt},
                 {"-1", std::nullopt}, {"4x", std::nullopt}, {"99999999999", std::nullopt}};
    for (const auto &c : cases)
        EXPECT_EQ(CAnswerMethodList::ParseRings(c.typed), c.rings) << c.typed;
}

TEST(AnswerMethodList, GreetingIsAUserAgentNumber)
{
    const struct {
        const char *typed;
        std::optional<quint32> number;
    } cases[] = {{"997", 997u}, {"2147483647", 2147483647u}, {"2147483648", std::nullopt},
                 {"4294967297", std::nullopt}, {"9 9", std::nullopt}, {"", std::nullopt}, {"12a", std::nullopt}};
    for (const auto &c : cases)
        EXPECT_EQ(CAnswerMethodList::ParseGreeting(c.typed), c.number) << c.typed;
}

} // namespace
