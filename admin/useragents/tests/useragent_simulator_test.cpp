// The user-agent record and its event maps against the server simulator,
// through a real session and Conduit: the exact "UpdateUA" lines the server
// receives for the pages' edits, what it stores for hostile values, the event
// maps of a class-of-service chain, scenario creation and the pending
// notification lists, and a parent chain that loops on the server.
#include "admin/testsupport/simulatorsessiontestbase.h"

#include "admin/useragents/scenariouseragent.h"
#include "admin/useragents/tests/qtprinters.h"
#include "admin/useragents/tests/textvalue.h"

#include "admin/session/zeltsession.h"
#include "testserver/harness/simulatorprocess.h"

#include <ostream>

namespace {

class RecordAgainstSimulator : public SimulatorSessionTestBase {
protected:
    void SetUp() override
    {
        SimulatorSessionTestBase::SetUp();
        m_simulator->clearLog();
    }

    CScenarioUserAgent load(qint32 number)
    {
        CScenarioUserAgent record;
        EXPECT_TRUE(record.Parse(m_session->Execute(QStringLiteral("GetUA %1").arg(number)),
                                 m_session->ListSplitter(), *m_session))
            << number;
        return record;
    }
    static void edit(CUserAgent &record, const QString &name, const std::function<void(TextValue &)> &change)
    {
        TextValue value;
        record.GetPropertyText(name, value);
        change(value);
        record.SetProperty(name, value);
    }
};

struct ServerEdit {
    const char *name;
    qint32 box;
    const char *property;
    void (*change)(TextValue &value);
    const char *line;   // the UpdateUA line the server must receive
    const char *stored; // what GetUA then shows for the property ("-" when absent)
};

class RecordEditOnServer : public RecordAgainstSimulator, public testing::WithParamInterface<ServerEdit> {};

TEST_P(RecordEditOnServer, SendsItsLineAndTheServerKeepsIt)
{
    const ServerEdit &edit = GetParam();
    CScenarioUserAgent record = load(edit.box);
    RecordAgainstSimulator::edit(record, edit.property, [&](TextValue &v) { edit.change(v); });
    QString reply;
    ASSERT_EQ(record.CommitEventMaps(*m_session, reply, false), CUserAgent::CommitSent)
        << reply.toStdString();
    EXPECT_EQ(received("UpdateUA"), QStringList{QString::fromUtf8(edit.line)});
    EXPECT_EQ(record.GetChangeStamp(), reply.toInt());

    const CScenarioUserAgent again = load(edit.box);
    EXPECT_EQ(again.GetChangeStamp(), record.GetChangeStamp());
    QString shown = "-";
    for (auto position = again.GetFirstPropertyPosition(); position;) {
        QString name, value;
        again.GetNextProperty(position, name, value);
        if (name == QLatin1String(edit.property) || name == CUserAgent::LockName(edit.property))
            shown = name + "=" + value;
    }
    EXPECT_EQ(shown, QString::fromUtf8(edit.stored));
}

const ServerEdit kServerEdits[] = {
    {"OwnValue", 2004, "MaxMessages", [](TextValue &v) { v.PutText("90"); },
     "UpdateUA 2004 1 MaxMessages {90} ", "MaxMessages=90"},
    {"InheritedGetsItsOwn", 2004, "language",
     [](TextValue &v) {
         v.own = true;
         v.PutText("1");
     },
     "UpdateUA 2004 1 language {1} ", "language=1"},
    {"Locked", 2004, "AIM",
     [](TextValue &v) {
         v.locked = true;
         v.lockOwn = true;
     },
     "UpdateUA 2004 1 Lock_AIM {1} ", "Lock_AIM=1"},
    {"Unlocked", 30, "MaxMessageLength",
     [](TextValue &v) {
         v.locked = false;
         v.lockOwn = true;
     },
     "UpdateUA 30 2 ~Lock_MaxMessageLength {} ", "MaxMessageLength=240"},
    {"RevertedToTheClass", 2004, "MaxMessages", [](TextValue &v) { v.UseInherited("100"); },
     "UpdateUA 2004 1 ~MaxMessages {} ", "MaxMessages=100"},
};

INSTANTIATE_TEST_SUITE_P(Edits, RecordEditOnServer, testing::ValuesIn(kServerEdits),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(RecordAgainstSimulator, HostileValuesAreStoredExactlyAsTyped)
{
    const char *const values[] = {"a}b",          "{a",          "[exec rm -rf /]", "$x",
                                  "ends with \\", "Zoë Ødegård", "} Lock_AIM {1",   "{}"};
    for (const char *text : values) {
        const QString hostile = QString::fromUtf8(text);
        CScenarioUserAgent record = load(2006);
        edit(record, "&Comment", [&](TextValue &v) { v.PutText(hostile); });
        edit(record, "&Name1", [&](TextValue &v) { v.PutText(hostile + "1"); });
        QString reply;
        ASSERT_EQ(record.CommitEventMaps(*m_session, reply, false), CUserAgent::CommitSent) << text;
        const CScenarioUserAgent again = load(2006);
        EXPECT_EQ(again.GetComment(), hostile) << text;
        EXPECT_EQ(again.GetName1(), hostile + "1") << text;
        EXPECT_TRUE(again.IsPropertyUnlisted("Lock_AIM")) << text;
    }
}

TEST_F(RecordAgainstSimulator, StaleStampIsRefusedAndForceGoesThrough)
{
    CScenarioUserAgent record = load(2005);
    ASSERT_FALSE(m_session->Execute("UpdateUA 2005 WithForce &Comment {meanwhile}").startsWith('!'));
    edit(record, "&Comment", [](TextValue &v) { v.PutText("mine"); });
    QString reply;
    EXPECT_EQ(record.CommitEventMaps(*m_session, reply, false), CUserAgent::CommitRefused);
    EXPECT_TRUE(reply.contains("changed meanwhile")) << reply.toStdString();
    EXPECT_EQ(load(2005).GetComment(), "meanwhile");

    edit(record, "&Comment", [](TextValue &v) { v.PutText("mine"); });
    EXPECT_EQ(record.CommitEventMaps(*m_session, reply, true), CUserAgent::CommitSent);
    EXPECT_EQ(received("UpdateUA 2005 WithForce &Comment {m").last(),
              "UpdateUA 2005 WithForce &Comment {mine} ");
    EXPECT_EQ(load(2005).GetComment(), "mine");
}

TEST_F(RecordAgainstSimulator, NearerClassOfServiceWinsAndTheBoxOwnRecordsAreListed)
{
    const CScenarioUserAgent ben = load(2001); // own scenario 5, in Sales (4) under Standard (1)
    EXPECT_EQ(ben.GetProperty("_EMR_RNA_A"), "Transfer");
    EXPECT_EQ(ben.GetProperty("_EMR_RNA_V"), "2002");
    EXPECT_FALSE(ben.IsPropertyUnlisted("_EMR_RNA_A"));
    EXPECT_EQ(ben.GetProperty("_EMR_MENU1_V"), "2003");
    EXPECT_EQ(ben.GetProperty("_EMR_BUSY_A"), "Voicemail");
    EXPECT_TRUE(ben.IsPropertyUnlisted("_EMR_BUSY_A"));
    CScenarioUserAgent copy = ben;
    const int before = m_simulator->commandTexts().size();
    EXPECT_EQ(copy.Fetch("_EMR_RNA_A", *m_session), "Transfer");
    EXPECT_EQ(copy.Fetch("_EMR_RNA_V", *m_session), "0");
    EXPECT_EQ(copy.Fetch("_EMR_MENU1_A", *m_session), "");
    EXPECT_EQ(m_simulator->commandTexts().size(), before);

    const CScenarioUserAgent colleague = load(2003); // no scenario, in Sales
    EXPECT_EQ(colleague.GetProperty("_EMR_RNA_V"), "0");
    EXPECT_TRUE(colleague.IsPropertyUnlisted("_EMR_RNA_A"));
}

TEST_F(RecordAgainstSimulator, BoxWithoutScenarioOrParentAsksForNoEventMaps)
{
    const CScenarioUserAgent root = load(2147483647);
    EXPECT_EQ(m_simulator->commandTexts(), QStringList{"GetUA 2147483647"});
    EXPECT_TRUE(root.GetProperty("_EMR_RNA_A").isEmpty());
}

TEST_F(RecordAgainstSimulator, EditingAnEventOfABoxWithoutScenarioCreatesOne)
{
    CScenarioUserAgent record = load(2003);
    edit(record, "_EMR_RNA_A", [](TextValue &v) {
        v.own = true;
        v.PutText("Transfer");
    });
    edit(record, "_EMR_RNA_V", [](TextValue &v) {
        v.own = true;
        v.PutText("");
    });
    m_simulator->clearLog();
    QString reply;
    EXPECT_EQ(record.CommitEventMaps(*m_session, reply, false), CUserAgent::CommitNothingToSend);
    EXPECT_EQ(m_simulator->commandTexts(),
              (QStringList{"CreateScenario -1 0 {MBOX Scenario for 2003}", "SetUAScenario 2003 WITHFORCE 6",
                           "CreateEMRecord 6 18 {Transfer} { } 1 1 0 0 0 0 65279", "CommitScenarioChange"}));
    const CScenarioUserAgent again = load(2003);
    EXPECT_EQ(again.GetScenarioNumber(), 6);
    EXPECT_EQ(again.GetProperty("_EMR_RNA_A"), "Transfer");
    EXPECT_FALSE(again.IsPropertyUnlisted("_EMR_RNA_A"));
}

TEST_F(RecordAgainstSimulator, InheritingOneEventDeletesOnlyItsRecordAndUntouchedOnesStay)
{
    CScenarioUserAgent record = load(2001);
    edit(record, "_EMR_RNA_A", [](TextValue &v) { v.UseInherited("Transfer"); });
    edit(record, "_EMR_MENU1_A", [](TextValue &) {}); // stored untouched
    edit(record, "_EMR_MENU1_V", [](TextValue &) {});
    m_simulator->clearLog();
    QString reply;
    record.CommitEventMaps(*m_session, reply, false);
    EXPECT_EQ(m_simulator->commandTexts(), (QStringList{"DeleteEMRecord 9", "CommitScenarioChange"}));
    const CScenarioUserAgent again = load(2001);
    EXPECT_EQ(again.GetProperty("_EMR_RNA_V"), "0");
    EXPECT_EQ(again.GetProperty("_EMR_MENU1_V"), "2003");
}

TEST_F(RecordAgainstSimulator, RefusedEventChangeIsShownAndThePropertiesStillGo)
{
    CScenarioUserAgent record = load(2001);
    edit(record, "_EMR_MENU1_A", [](TextValue &) {}); // a page stores every field of its group
    edit(record, "_EMR_MENU1_V", [](TextValue &v) { v.PutText("2004"); });
    edit(record, "&Comment", [](TextValue &v) { v.PutText("still saved"); });
    m_simulator->failCommand("UpdateEMRecord", "scenario locked");
    m_boxes->answer(IDOK);
    QString reply;
    EXPECT_EQ(record.CommitEventMaps(*m_session, reply, false), CUserAgent::CommitSent);
    EXPECT_EQ(m_boxes->texts(),
              QStringList{"Event map record change refused by Verbanta ES: !ERROR scenario locked"});
    EXPECT_EQ(received("UpdateUA"), QStringList{"UpdateUA 2001 3 &Comment {still saved} "});
}

// A save refused at its property update is tried again with the pages'
// values stored once more: what the server accepted for an event the first
// time is not sent again.
void storeField(CUserAgent &record, const QString &name, const std::function<void(TextValue &)> &change)
{
    TextValue value;
    record.GetPropertyText(name, value);
    change(value);
    record.SetProperty(name, value);
}

struct RetriedEventEdit {
    const char *name;
    qint32 box;
    void (*store)(CUserAgent &record); // the event's fields as a page stores them
    const char *command;               // sent by the first save only
};

class EventEditRetried : public RecordAgainstSimulator, public testing::WithParamInterface<RetriedEventEdit> {};

TEST_P(EventEditRetried, IsNotSentAgainAfterARefusedPropertyUpdate)
{
    const RetriedEventEdit &retried = GetParam();
    CScenarioUserAgent record = load(retried.box);
    const auto storePages = [&] {
        retried.store(record);
        storeField(record, "&Comment", [](TextValue &v) { v.PutText("second try"); });
    };
    storePages();
    m_simulator->failCommand("UpdateUA", "disk full");
    m_simulator->clearLog();
    QString reply;
    EXPECT_EQ(record.CommitEventMaps(*m_session, reply, false), CUserAgent::CommitRefused);
    EXPECT_EQ(received(QString::fromUtf8(retried.command).section(' ', 0, 0)),
              QStringList{QString::fromUtf8(retried.command)});

    m_simulator->clearFailure("UpdateUA");
    m_simulator->clearLog();
    storePages();
    EXPECT_EQ(record.CommitEventMaps(*m_session, reply, false), CUserAgent::CommitSent);
    const QStringList sent = m_simulator->commandTexts();
    EXPECT_EQ(sent.size(), 1) << sent.join(" | ").toStdString();
    EXPECT_TRUE(sent.value(0).startsWith("UpdateUA")) << sent.join(" | ").toStdString();
    EXPECT_EQ(load(retried.box).GetProperty("&Comment"), "second try");
}

const RetriedEventEdit kRetriedEventEdits[] = {
    {"Created", 2003,
     [](CUserAgent &record) {
         storeField(record, "_EMR_RNA_A", [](TextValue &v) {
             v.own = true;
             v.PutText("Transfer");
         });
         storeField(record, "_EMR_RNA_V", [](TextValue &v) {
             v.own = true;
             v.PutText("");
         });
     },
     "CreateEMRecord 6 18 {Transfer} { } 1 1 0 0 0 0 65279"},
    {"Updated", 2001,
     [](CUserAgent &record) {
         storeField(record, "_EMR_MENU1_A", [](TextValue &v) {
             v.own = true;
             v.PutText("Transfer");
         });
         storeField(record, "_EMR_MENU1_V", [](TextValue &v) {
             v.own = true;
             v.PutText("2004");
         });
     },
     "UpdateEMRecord 10 5 5 {Transfer} {2004} 1 1 0 0 0 0 65279"},
    {"Deleted", 2001,
     [](CUserAgent &record) { storeField(record, "_EMR_RNA_A", [](TextValue &v) { v.UseInherited("Transfer"); }); },
     "DeleteEMRecord 9"},
};

INSTANTIATE_TEST_SUITE_P(Events, EventEditRetried, testing::ValuesIn(kRetriedEventEdits),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(RecordAgainstSimulator, PendingNotificationGetsItsRecordAndItsPropertiesMove)
{
    CScenarioUserAgent record = load(2000); // no scenario yet
    record.AddToFirstList("0!22!Pager");
    edit(record, "Nf_0!22!Pager_Disable", [](TextValue &v) {
        v.own = true;
        v.PutText("0");
    });
    QString reply;
    EXPECT_EQ(record.CommitEventMaps(*m_session, reply, false), CUserAgent::CommitSent);
    EXPECT_EQ(received("CreateEMRecord"), QStringList{"CreateEMRecord 6 22 {Pager} {} 0 1 0 0 0 0 65279"});
    EXPECT_EQ(received("UpdateUA"), QStringList{"UpdateUA 2000 2 Nf_11_Disable {0} "});
    EXPECT_TRUE(record.PendingCreations().isEmpty());
}

TEST_F(RecordAgainstSimulator, RefusedNotificationRecordDropsItsPropertiesInsteadOfStoringThem)
{
    CScenarioUserAgent record = load(2001);
    record.AddToFirstList("0!22!Pager");
    edit(record, "Nf_0!22!Pager_Disable", [](TextValue &v) {
        v.own = true;
        v.PutText("0");
    });
    m_simulator->failCommand("CreateEMRecord", "full");
    m_boxes->answer(IDOK);
    QString reply;
    EXPECT_EQ(record.CommitEventMaps(*m_session, reply, false), CUserAgent::CommitNothingToSend);
    EXPECT_EQ(m_boxes->texts(), QStringList{"Event map record change refused by Verbanta ES: !ERROR full"});
    EXPECT_TRUE(received("UpdateUA").isEmpty());
}

TEST_F(RecordAgainstSimulator, PendingDeletionsAndPropertyDeletionsAreSentOnce)
{
    CScenarioUserAgent record = load(101);
    record.RemoveFromList(6, "6");
    record.AddToSecondList("Nf_6_Disable");
    QString reply;
    record.CommitEventMaps(*m_session, reply, false);
    EXPECT_EQ(received("DeleteEMRecord"), QStringList{"DeleteEMRecord 6"});
    EXPECT_EQ(received("UADeleteProperty"), QStringList{"UADeleteProperty 101 WithForce Nf_6_Disable "});
    record.CommitEventMaps(*m_session, reply, false);
    EXPECT_EQ(received("DeleteEMRecord").size(), 1);
    EXPECT_EQ(received("UADeleteProperty").size(), 1);
    EXPECT_TRUE(load(101).IsPropertyUnlisted("Nf_6_Disable"));
}

TEST_F(RecordAgainstSimulator, ParentChainThatLoopsIsRefusedAndTheRecordKept)
{
    m_simulator->seed(
        "ua 7001 -parent 7002 {}\nua 7002 -parent 7003 {}\nua 7003 -parent 7002 {}\nua 7000 -parent 7001 {}");
    CScenarioUserAgent record = load(2001);
    m_boxes->answer(IDOK);
    EXPECT_FALSE(record.Parse(m_session->Execute("GetUA 7000"), m_session->ListSplitter(), *m_session));
    EXPECT_EQ(
        m_boxes->texts(),
        QStringList{
            "While building event map could not retrieve parent mailbox 7002: the parent chain loops."});
    EXPECT_EQ(record.GetUANumber(), 2001);
    EXPECT_EQ(record.GetProperty("_EMR_RNA_V"), "2002");
}

TEST_F(RecordAgainstSimulator, ParentThatCannotBeReadIsShownAndTheRecordKept)
{
    CScenarioUserAgent record = load(2001);
    const QString reply = m_session->Execute("GetUA 2002");
    m_simulator->failCommand("GetUA", "disk full");
    m_boxes->answer(IDOK);
    EXPECT_FALSE(record.Parse(reply, m_session->ListSplitter(), *m_session));
    EXPECT_EQ(m_boxes->texts(), QStringList{"While building event map could not retrieve parent mailbox 31: "
                                            "!ERROR disk full."});
    EXPECT_EQ(record.GetUANumber(), 2001);
}

struct EventMapQueryFailure {
    const char *name;
    const char *command; // the event-map query that fails
    const char *message; // what the user is shown
};

class RecordEventMapQueryFails : public RecordAgainstSimulator,
                                 public testing::WithParamInterface<EventMapQueryFailure> {};

TEST_P(RecordEventMapQueryFails, IsShownAndTheRecordIsRefused)
{
    CScenarioUserAgent record;
    const QString reply = m_session->Execute("GetUA 2001"); // own scenario, and classes of service above
    const QString command = QString::fromUtf8(GetParam().command);
    m_simulator->answerCommand(command, command + " !ERROR disk full");
    m_boxes->answer(IDOK);
    EXPECT_FALSE(record.Parse(reply, m_session->ListSplitter(), *m_session));
    EXPECT_EQ(m_boxes->texts(), QStringList{GetParam().message});
}

const EventMapQueryFailure kEventMapQueryFailures[] = {
    {"ClassOfService", "GetEventMaps4UA", "Could not process event map: !ERROR disk full"},
    {"OwnScenario", "GetEventMaps4Scenario", "Could not process local event maps: !ERROR disk full"},
};
INSTANTIATE_TEST_SUITE_P(Queries, RecordEventMapQueryFails, testing::ValuesIn(kEventMapQueryFailures),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(RecordAgainstSimulator, RecordThatIsNotPairsEndsOnlyItsReply)
{
    // Ben's own scenario: the first record is read, the second is not pairs,
    // and the third is not read; his classes of service are read as usual.
    m_simulator->answerCommand("GetEventMaps4Scenario",
                        "GetEventMaps4Scenario 5 {evMapId 9 scenario 5 eventId 18 app Transfer param 2002} "
                        "{eventId 5 app} {evMapId 11 scenario 5 eventId 17 app Transfer param 7}");
    CScenarioUserAgent record;
    m_boxes->answer(IDOK);
    EXPECT_TRUE(record.Parse(m_session->Execute("GetUA 2001"), m_session->ListSplitter(), *m_session));
    EXPECT_EQ(m_boxes->texts(), QStringList{"Could not process event map list 'eventId 5 app'. Expected pairs."});
    EXPECT_EQ(record.GetUANumber(), 2001);
    EXPECT_EQ(record.GetProperty("_EMR_RNA_V"), "2002");
    EXPECT_FALSE(record.IsPropertyUnlisted("_EMR_RNA_A"));
    EXPECT_EQ(record.GetProperty("_EMR_BUSY_A"), "Voicemail"); // Sales's, the third record never came
    EXPECT_TRUE(record.IsPropertyUnlisted("_EMR_BUSY_A"));
    EXPECT_TRUE(record.GetProperty("_EMR_MENU1_A").isEmpty());
}

TEST_F(RecordAgainstSimulator, RefusedScenarioCommitSkipsThePendingListsButNotTheUpdate)
{
    CScenarioUserAgent record = load(2001);
    edit(record, "_EMR_MENU1_A", [](TextValue &) {});
    edit(record, "_EMR_MENU1_V", [](TextValue &v) { v.PutText("2004"); });
    edit(record, "&Comment", [](TextValue &v) { v.PutText("still saved"); });
    record.RemoveFromList(9, "9");
    record.AddToSecondList("Nf_6_Disable");
    m_simulator->failCommand("CommitScenarioChange", "scenario busy");
    m_boxes->answer(IDOK);
    QString reply;
    EXPECT_EQ(record.CommitEventMaps(*m_session, reply, false), CUserAgent::CommitSent);
    EXPECT_EQ(m_boxes->texts(), QStringList{"Scenario \"commit\" rejected by Verbanta ES: !ERROR scenario busy"});
    EXPECT_EQ(received("UpdateEMRecord").size(), 1);
    EXPECT_TRUE(received("DeleteEMRecord").isEmpty());
    EXPECT_TRUE(received("UADeleteProperty").isEmpty());
    EXPECT_EQ(received("UpdateUA"), QStringList{"UpdateUA 2001 3 &Comment {still saved} "});
}

TEST_F(RecordAgainstSimulator, RefusedRecordDeletionIsShownAndTheOthersStillGo)
{
    CScenarioUserAgent record = load(101);
    record.RemoveFromList(6, "6");
    record.RemoveFromList(3, "3");
    m_simulator->failCommand("DeleteEMRecord", "record in use");
    m_boxes->answer(IDOK);
    m_boxes->answer(IDOK);
    QString reply;
    record.CommitEventMaps(*m_session, reply, false);
    EXPECT_EQ(m_boxes->texts(),
              (QStringList{"Deletion of Event Map Record refused by Verbanta ES: !ERROR record in use",
                           "Deletion of Event Map Record refused by Verbanta ES: !ERROR record in use"}));
    EXPECT_EQ(received("DeleteEMRecord"), (QStringList{"DeleteEMRecord 6", "DeleteEMRecord 3"}));
    EXPECT_EQ(received("CommitScenarioChange").size(), 1);
}

TEST_F(RecordAgainstSimulator, ErrorReplyIsShownAsTheSelectedMailboxMessage)
{
    CScenarioUserAgent record;
    m_boxes->answer(IDOK);
    EXPECT_FALSE(record.Parse(m_session->Execute("GetUA 4711"), m_session->ListSplitter(), *m_session));
    ASSERT_EQ(m_boxes->texts().size(), 1);
    EXPECT_TRUE(m_boxes->texts().first().startsWith("Could not retrieve the selected mailbox: !ERROR"));
    EXPECT_EQ(record.GetUANumber(), -1);
}

} // namespace

namespace {

// The list queries of the mailbox editor, as its command filter and list send
// them: every element of the answer is a record the record class reads.
class EditorListQuery : public RecordAgainstSimulator, public testing::WithParamInterface<const char *> {};

TEST_P(EditorListQuery, AnswersRecordsTheRecordReads)
{
    const QString reply = m_session->Execute(QString::fromUtf8(GetParam()));
    ASSERT_FALSE(reply.startsWith('!')) << reply.toStdString();
    QStringList elements;
    m_session->ListSplitter().SplitList(reply, elements);
    ASSERT_FALSE(elements.isEmpty());
    for (const QString &element : elements) {
        const CUserAgent record(element, m_session->ListSplitter());
        EXPECT_GT(record.GetUANumber(), 0) << element.toStdString();
        EXPECT_FALSE(record.GetName1().isEmpty()) << element.toStdString();
    }
    EXPECT_TRUE(m_boxes->texts().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Queries, EditorListQuery,
                         testing::Values("MultipleUA {2000 2001 }", "ParmsForUAType {MB} {} {All}\n",
                                         "ParmsForUAType {MB} {} {AllCOS}\n",
                                         "ParmsForUAType {MB} {} {100 2001}\n",
                                         "get_parms_for_ua_type 2000 2001 2002",
                                         "get_parms_for_ua_type All"));

TEST_F(RecordAgainstSimulator, OwnListQueryAndStatisticsOfTheEditor)
{
    QStringList numbers;
    m_session->ListSplitter().SplitList(m_session->Execute("GetUAList4Property COS {MB} notowned NOASR"),
                                        numbers);
    EXPECT_GE(numbers.size(), 300);
    EXPECT_TRUE(numbers.contains("999"));
    m_session->ListSplitter().SplitList(m_session->Execute("GetUAList4Property COS {MB} owned NOASR"),
                                        numbers);
    EXPECT_EQ(numbers, (QStringList{"10", "20", "30", "31", "40", "41", "50", "2147483647"}));

    QStringList rows;
    m_session->ListSplitter().SplitList(
        m_session->Execute("Tcl_MailboxMessageStatReportNoASR {2000 2101 } {Mailbox m_t_msgcnt m_t_msglen}"),
        rows);
    EXPECT_EQ(rows, (QStringList{"Mailbox 2000 m_t_msgcnt 14 m_t_msglen 595",
                                 "Mailbox 2101 m_t_msgcnt 0 m_t_msglen 0"}));
}

} // namespace
