// The user-agent record on its own: parsing "GetUA" replies (good, short and
// broken ones), the change list of "UpdateUA", inheritance and locks through
// the page trackers, and the single-purpose commands. The server side is a
// channel that records what is sent and answers from a script; the record's
// conversation with the simulator is in useragent_simulator_test.cpp.
#include "admin/useragents/tests/qtprinters.h"
#include "admin/useragents/tests/scriptedchannel.h"
#include "admin/useragents/tests/textvalue.h"

#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "admin/useragents/scenariouseragent.h"
#include "admin/useragents/useragent.h"
#include "platform/msgbox/messageboxscript.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace {

const char *const kBox101 =
    "{101 10 7 -1 0} {&Name1 &Ext P Lock_Q} &Name1 Bruno &Ext 101 P v Q 5 Lock_Q 1 R inherited";

class UserAgentRecord : public testing::Test {
protected:
    CUserAgent parsed(const QString &reply)
    {
        CUserAgent record;
        EXPECT_TRUE(record.Parse(reply, m_splitter)) << reply.toStdString();
        return record;
    }
    // Edits one field as a page does: read it into a tracker, change the
    // tracker, store it back.
    static void edit(CUserAgent &record, const QString &property,
                     const std::function<void(TextValue &)> &change)
    {
        TextValue value;
        record.GetPropertyText(property, value);
        change(value);
        record.SetProperty(property, value);
    }
    static void edit(CUserAgent &record, const QString &property, const QString &text)
    {
        edit(record, property, [&](TextValue &value) { value.PutText(text); });
    }

    CTclList m_splitter;
    MessageBoxScript m_boxes;
    ScriptedChannel m_channel;
};

TEST_F(UserAgentRecord, ParsesAReplyWithoutProperties)
{
    const CUserAgent record = parsed("{997 -1 5 0 0} {}");
    EXPECT_EQ(record.GetUANumber(), 997);
    EXPECT_EQ(record.GetParentNumber(), -1);
    EXPECT_EQ(record.GetChangeStamp(), 5);
    EXPECT_EQ(record.GetScenarioNumber(), 0);
    EXPECT_FALSE(record.GetFirstPropertyPosition());
    EXPECT_TRUE(record.GetName1().isEmpty() && record.GetName2().isEmpty() && record.GetComment().isEmpty() &&
                record.GetExtension().isEmpty());
    EXPECT_TRUE(m_boxes.texts().isEmpty());
}

TEST_F(UserAgentRecord, ParsesHeaderListedNamesAndPairsLaterPairWinning)
{
    const CUserAgent record =
        parsed("{101 10 7 3 9 11} {&Name1 X} &Name1 {Anna Maria} &Comment {a {b} c} X 1 X 2");
    EXPECT_EQ(record.GetUANumber(), 101);
    EXPECT_EQ(record.GetParentNumber(), 10);
    EXPECT_EQ(record.GetChangeStamp(), 7);
    EXPECT_EQ(record.GetScenarioNumber(), 3);
    EXPECT_EQ(record.GetHeaderElement4(), 9);
    EXPECT_EQ(record.GetName1(), "Anna Maria");
    EXPECT_EQ(record.GetComment(), "a {b} c");
    EXPECT_EQ(record.GetProperty("X"), "2");
    EXPECT_FALSE(record.IsPropertyUnlisted("X"));
    EXPECT_TRUE(record.IsPropertyUnlisted("&Comment"));
}

struct BadReply {
    const char *name;
    const char *reply;
    const char *message; // empty: refused without a message
};

class UserAgentBadReply : public UserAgentRecord, public testing::WithParamInterface<BadReply> {};

TEST_P(UserAgentBadReply, IsRefusedAndLeavesTheRecordAsItWas)
{
    CUserAgent record = parsed(kBox101);
    const BadReply &bad = GetParam();
    if (*bad.message)
        m_boxes.answer(IDOK);
    EXPECT_FALSE(record.Parse(bad.reply, m_splitter));
    EXPECT_EQ(record.GetUANumber(), 101);
    EXPECT_EQ(record.GetChangeStamp(), 7);
    EXPECT_EQ(record.GetName1(), "Bruno");
    EXPECT_EQ(record.GetProperty("P"), "v");
    if (*bad.message)
        EXPECT_EQ(m_boxes.texts(), QStringList{QString::fromUtf8(bad.message)});
    else
        EXPECT_TRUE(m_boxes.texts().isEmpty());
}

const BadReply kBadReplies[] = {
    {"ErrorReply", "!ERROR no such box",
     "Could not retrieve the user agent from Verbanta ES: !ERROR no such box"},
    {"ThreeElements", "{1 2 3 4 5} {} a", "Can't parse {1 2 3 4 5} {} a"},
    {"FiveElements", "{1 2 3 4 5} {} a b c", "Can't parse {1 2 3 4 5} {} a b c"},
    {"OneElement", "{1 2 3 4 5}", "Can't parse {1 2 3 4 5}"},
    {"NotAList", "{1 2 3 4 5} {unbalanced", "Can't parse {1 2 3 4 5} {unbalanced"},
    {"ShortHeader", "{1 2 3 4} {}", ""},
    {"HeaderNotNumbers", "{101 ten 7 0 0} {}", "Can't parse {101 ten 7 0 0} {}"},
    {"NumberOutOfRange", "{4294967397 10 7 0 0} {}", "Can't parse {4294967397 10 7 0 0} {}"},
    {"NamesNotAList", "{101 10 7 0 0} {a \"b} P v", "Can't parse {101 10 7 0 0} {a \"b} P v"},
};

INSTANTIATE_TEST_SUITE_P(Replies, UserAgentBadReply, testing::ValuesIn(kBadReplies),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(UserAgentRecord, CommitsNothingWhenNothingChanged)
{
    CUserAgent record = parsed(kBox101);
    QString reply;
    EXPECT_EQ(record.CommitChanges(reply, m_channel, false), CUserAgent::CommitNothingToSend);

    // One tracker changed and changed back, as a field typed over.
    TextValue value;
    record.GetPropertyText("P", value);
    value.PutText("changed");
    record.SetProperty("P", value);
    value.PutText("v");
    record.SetProperty("P", value);
    EXPECT_EQ(record.CommitChanges(reply, m_channel, false), CUserAgent::CommitNothingToSend);
    EXPECT_TRUE(m_channel.sent().isEmpty());
}

TEST_F(UserAgentRecord, UpdateCarriesTheStampAndTakesTheNewOne)
{
    CUserAgent record = parsed(kBox101);
    edit(record, "P", QStringLiteral("w"));
    m_channel.queue("8");
    QString reply;
    EXPECT_EQ(record.CommitChanges(reply, m_channel, false), CUserAgent::CommitSent);
    EXPECT_EQ(m_channel.sent(), QStringList{"UpdateUA 101 7 P {w} "});
    EXPECT_EQ(reply, "8");
    EXPECT_EQ(record.GetChangeStamp(), 8);

    m_channel.queue("9");
    EXPECT_EQ(record.CommitChanges(reply, m_channel, true), CUserAgent::CommitSent);
    EXPECT_EQ(m_channel.sent().last(), "UpdateUA 101 WithForce P {w} ");
}

TEST_F(UserAgentRecord, RefusedUpdateKeepsTheStampAndHandsBackTheReason)
{
    CUserAgent record = parsed(kBox101);
    edit(record, "P", QStringLiteral("w"));
    m_channel.queue("!ERROR changed meanwhile");
    QString reply;
    EXPECT_EQ(record.CommitChanges(reply, m_channel, false), CUserAgent::CommitRefused);
    EXPECT_EQ(reply, "!ERROR changed meanwhile");
    EXPECT_EQ(record.GetChangeStamp(), 7);
    EXPECT_TRUE(m_boxes.texts().isEmpty());
}

TEST_F(UserAgentRecord, AcceptedUpdateWithoutAStampKeepsTheOldStamp)
{
    CUserAgent record = parsed(kBox101);
    edit(record, "P", QStringLiteral("w"));
    m_channel.queue("soon");
    QString reply;
    EXPECT_EQ(record.CommitChanges(reply, m_channel, false), CUserAgent::CommitSent);
    EXPECT_EQ(record.GetChangeStamp(), 7);
}

// One change of a field as the pages make it, and the change list it gives.
struct FieldEdit {
    const char *name;
    const char *property;
    void (*edit)(TextValue &value);
    const char *changes; // after "UpdateUA 101 7 "; empty: nothing sent
};

class UserAgentFieldEdit : public UserAgentRecord, public testing::WithParamInterface<FieldEdit> {};

TEST_P(UserAgentFieldEdit, SendsExactlyItsChange)
{
    CUserAgent record = parsed(kBox101);
    edit(record, GetParam().property, GetParam().edit);
    m_channel.queue("8");
    QString reply;
    const int result = record.CommitChanges(reply, m_channel, false);
    if (*GetParam().changes) {
        EXPECT_EQ(result, CUserAgent::CommitSent);
        EXPECT_EQ(m_channel.sent(), QStringList{QStringLiteral("UpdateUA 101 7 ") + GetParam().changes});
    } else {
        EXPECT_EQ(result, CUserAgent::CommitNothingToSend);
        EXPECT_TRUE(m_channel.sent().isEmpty());
    }
}

const FieldEdit kFieldEdits[] = {
    {"OwnValue", "P", [](TextValue &v) { v.PutText("x y"); }, "P {x y} "},
    {"InheritedGetsAnOwnValue", "R",
     [](TextValue &v) {
         v.own = true;
         v.PutText("mine");
     },
     "R {mine} "},
    {"ListedSetToInherit", "P", [](TextValue &v) { v.UseInherited("cos value"); }, "~P {} "},
    {"UnlistedSetToInherit", "R",
     [](TextValue &v) {
         v.own = true;
         v.UseInherited("cos value");
     },
     ""},
    {"Locked", "P",
     [](TextValue &v) {
         v.locked = true;
         v.lockOwn = true;
     },
     "Lock_P {1} "},
    {"ListedLockUnlocked", "Q",
     [](TextValue &v) {
         v.locked = false;
         v.lockOwn = true;
     },
     "~Lock_Q {} "},
    {"UnlistedLockUnlocked", "P",
     [](TextValue &v) {
         v.locked = false;
         v.lockOwn = true;
     },
     ""},
    {"Untouched", "P", [](TextValue &) {}, ""},
};

INSTANTIATE_TEST_SUITE_P(Edits, UserAgentFieldEdit, testing::ValuesIn(kFieldEdits),
                         [](const auto &info) { return std::string(info.param.name); });

struct HostileValue {
    const char *name;
    const char *text;
};

class UserAgentHostileValue : public UserAgentRecord, public testing::WithParamInterface<HostileValue> {};

TEST_P(UserAgentHostileValue, ReachesTheServerAsData)
{
    CUserAgent record = parsed(kBox101);
    const QString hostile = QString::fromUtf8(GetParam().text);
    edit(record, "&Name1", hostile);
    m_channel.queue("8");
    QString reply;
    ASSERT_EQ(record.CommitChanges(reply, m_channel, false), CUserAgent::CommitSent);
    ASSERT_EQ(m_channel.sent().size(), 1);
    QStringList words;
    m_splitter.SplitList(m_channel.sent().first(), words);
    EXPECT_EQ(words, (QStringList{"UpdateUA", "101", "7", "&Name1", hostile}));
}

const HostileValue kHostileValues[] = {
    {"ClosingBrace", "a}b"},
    {"OpeningBrace", "{a"},
    {"Command", "[exec rm -rf /]"},
    {"Variable", "$x"},
    {"BackslashAtTheEnd", "ends with \\"},
    {"NonAscii", "Zoë Ødegård ✓"},
    {"SmuggledLock", "} {Lock_P} {1"},
    {"Quotes", "\"quoted\""},
    {"LineBreak", "line\nbreak"},
};

INSTANTIATE_TEST_SUITE_P(Values, UserAgentHostileValue, testing::ValuesIn(kHostileValues),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(UserAgentRecord, OddPropertyNamesAreQuotedToo)
{
    CUserAgent record = parsed("{101 10 7 -1 0} {{a b}} {a b} 1");
    edit(record, "a b", [](TextValue &value) { value.UseInherited("0"); });
    m_channel.queue("8");
    QString reply;
    ASSERT_EQ(record.CommitChanges(reply, m_channel, false), CUserAgent::CommitSent);
    QStringList words;
    m_splitter.SplitList(m_channel.sent().first(), words);
    EXPECT_EQ(words, (QStringList{"UpdateUA", "101", "7", "~a b", ""}));
}

TEST_F(UserAgentRecord, TrackerShowsOwnInheritedAndLockedStates)
{
    const CUserAgent record = parsed(kBox101);
    TextValue own;
    record.GetPropertyText("P", own);
    EXPECT_TRUE(own.own);
    EXPECT_FALSE(own.showsInherited);
    EXPECT_EQ(own.GetText(), "v");

    TextValue inherited;
    record.GetPropertyText("R", inherited);
    EXPECT_FALSE(inherited.own);
    EXPECT_EQ(inherited.GetText(), "inherited");

    TextValue lockedHere;
    record.GetPropertyText("Q", lockedHere);
    EXPECT_TRUE(lockedHere.locked);
    EXPECT_TRUE(lockedHere.lockOwn);

    const CUserAgent child = parsed("{102 101 1 -1 0} {} Q 5 Lock_Q 1");
    TextValue lockedAbove;
    child.GetPropertyText("Q", lockedAbove);
    EXPECT_TRUE(lockedAbove.locked);
    EXPECT_FALSE(lockedAbove.lockOwn);
}

TEST_F(UserAgentRecord, InheritChoiceSurvivesAStoreAndLoad)
{
    CUserAgent record = parsed(kBox101);
    edit(record, "P", [](TextValue &value) { value.UseInherited("cos"); });
    EXPECT_EQ(record.GetProperty("P"), "cos");

    TextValue again;
    record.GetPropertyText("P", again);
    EXPECT_TRUE(again.own);
    EXPECT_TRUE(again.showsInherited);
    EXPECT_EQ(again.GetText(), "cos");
    EXPECT_EQ(again.stored, "v");
    again.Revert();
    EXPECT_EQ(again.GetText(), "v");
}

TEST_F(UserAgentRecord, LockWishOfAPageShowsOnTheNextLoad)
{
    CUserAgent record = parsed(kBox101);
    edit(record, "P", [](TextValue &value) {
        value.locked = true;
        value.lockOwn = true;
    });
    TextValue again;
    record.GetPropertyText("P", again);
    EXPECT_TRUE(again.locked);
    EXPECT_TRUE(again.lockOwn);
}

TEST_F(UserAgentRecord, FetchAsksTheParentForOneProperty)
{
    CUserAgent record = parsed(kBox101);
    m_channel.queue("{10 2147483647 3 1 0} {COS MaxMessages} MaxMessages 50");
    EXPECT_EQ(record.Fetch("MaxMessages", m_channel), "50");
    EXPECT_EQ(m_channel.sent(), QStringList{"GetUA 10 MaxMessages"});

    m_channel.queue("{10 2147483647 3 1 0} {COS}");
    EXPECT_EQ(record.Fetch("Missing", m_channel), "");
    m_channel.queue("!ERROR gone");
    EXPECT_EQ(record.Fetch("MaxMessages", m_channel), "");
}

TEST_F(UserAgentRecord, FetchWithoutParentAsksNothing)
{
    CUserAgent record = parsed("{997 -1 5 0 0} {}");
    EXPECT_EQ(record.Fetch("MaxMessages", m_channel), "");
    EXPECT_TRUE(m_channel.sent().isEmpty());
}

TEST_F(UserAgentRecord, RenameNotificationMovesOrDropsTheElevenProperties)
{
    CUserAgent record = parsed("{101 10 7 -1 0} {} Nf_6_Disable 0 Nf_6_Variable x Nf_6_From 480 Other 1");
    record.RenameNotification("6", "9");
    EXPECT_EQ(record.GetProperty("Nf_9_Disable"), "0");
    EXPECT_EQ(record.GetProperty("Nf_9_Variable"), "x");
    EXPECT_EQ(record.GetProperty("Nf_9_From"), "480");
    EXPECT_FALSE(record.IsPropertyUnlisted("Nf_9_From"));
    EXPECT_TRUE(record.GetProperty("Nf_6_Disable").isEmpty());

    record.RenameNotification("9", "");
    QStringList names;
    for (auto position = record.GetFirstPropertyPosition(); position;) {
        QString name, value;
        record.GetNextProperty(position, name, value);
        names.append(name);
    }
    EXPECT_EQ(names, QStringList{"Other"});
}

TEST_F(UserAgentRecord, SecurityCodeAndParentTakeTheNewStamp)
{
    CUserAgent record = parsed(kBox101);
    m_channel.queue("8");
    EXPECT_TRUE(record.SetSecurityCode("1234", m_channel));
    m_channel.queue("9");
    EXPECT_TRUE(record.SetParent(20, m_channel));
    EXPECT_EQ(m_channel.sent(), (QStringList{"SetUASAC 101 7 1234", "SetUAParent 101 8 20"}));
    EXPECT_EQ(record.GetChangeStamp(), 9);
    EXPECT_EQ(record.GetParentNumber(), 20);
}

TEST_F(UserAgentRecord, RefusedSecurityCodeAndParentAreShown)
{
    CUserAgent record = parsed(kBox101);
    m_boxes.answer({IDOK, IDOK});
    m_channel.queue("!ERROR digits only");
    EXPECT_FALSE(record.SetSecurityCode("12 [x]", m_channel));
    m_channel.queue("!ERROR cycle");
    EXPECT_FALSE(record.SetParent(102, m_channel));
    EXPECT_EQ(m_channel.sent().first(), "SetUASAC 101 7 {12 [x]}");
    EXPECT_EQ(m_boxes.texts(),
              (QStringList{"Verbanta ES refused the change: !ERROR digits only",
                           "Verbanta ES  refused the change of the COS to 102: !ERROR cycle"}));
    EXPECT_EQ(m_boxes.transcript()[0].type, MB_ICONERROR);
    EXPECT_EQ(record.GetChangeStamp(), 7);
    EXPECT_EQ(record.GetParentNumber(), 10);
}

TEST_F(UserAgentRecord, WithdrawnNotificationTakesItsPropertiesAlong)
{
    CScenarioUserAgent record;
    ASSERT_TRUE(record.CUserAgent::Parse("{2000 30 1 -1 0} {}", m_splitter));
    record.AddToFirstList("0!22!Pager");
    record.AddToFirstList("0!23!Phone");
    TextValue value;
    value.own = true;
    value.PutText("1");
    record.SetProperty("Nf_0!22!Pager_Disable", value);
    record.SetProperty("Nf_0!23!Phone_Disable", value);
    record.RemoveFromList(-1, "0!22!Pager");
    record.RemoveFromList(17, "17");
    EXPECT_EQ(record.PendingCreations(), QStringList{"0!23!Phone"});
    EXPECT_EQ(record.PendingDeletions(), QList<qint32>{17});
    EXPECT_TRUE(record.IsPropertyUnlisted("Nf_0!22!Pager_Disable"));
    EXPECT_EQ(record.GetProperty("Nf_0!23!Phone_Disable"), "1");
}

TEST_F(UserAgentRecord, FixedNumbersAndTheHighMark)
{
    EXPECT_EQ(GetDefaultUANumber(), 997);
    EXPECT_EQ(GetSystemAdminUANumber(), 999);
    EXPECT_EQ(GetNoUANumber(), -1);
    EXPECT_FALSE(parsed("{1073741824 -1 1 -1 0} {}").IsOverHighMark());
    EXPECT_TRUE(parsed("{1073741825 -1 1 -1 0} {}").IsOverHighMark());
    EXPECT_FALSE(parsed("{-1 -1 1 -1 0} {}").IsOverHighMark());
}

} // namespace
