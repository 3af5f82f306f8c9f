// The unified messaging page against the simulator: a box tied to an IMAP4
// account shows its servers, its choices and its folders; the folder lists
// follow the box's queues; the switch stores Disable 0 to turn unified
// messaging on and 1 to turn it off, in one script, and shows what the
// server then holds, also when the server refuses; with unsaved edits the
// switch asks to save first; the enable rules of the transport and the
// protocol.
#include "admin/useragents/pages/integratedmsg.h"
#include "admin/useragents/pages/tests/pagetestbase.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

using Page = CIntegratedMsg;

// Ida's box: e-mail over IMAP4 with unified messaging on.
const char *const kIdasBox =
    "ua 107 -parent 10 -stamp 1 {&Name1 Ida &Name2 Ingram &Ext 107 &Comment {Unified messaging demo} "
    "Multiple_Queue 2 SMTPServer smtp.example.com POP3Server imap.example.com &POP3Account ida.ingram "
    "UM_Email_Username ingram POP3UsingAPOP 1 TTSTruVoiceType 1 IM_Message_Transport_Scheme 0 "
    "ProtocolForTTS 1 UM_Up_Synch_Folder 2 UM_Up_Synch_Delete 0 UM_Dis_Synch_Enabled 1 UM_Dis_Synch_Folder 0 "
    "IM_Del_After_Sent 1 Nf_22_Disable 0}";

QString switchScript(int number, int disable)
{
    return QStringLiteral("catch {UpdateUA %1 WithForce Nf_22_Disable %2\r\nGetUA %1 \r\n} result\r\nset result")
        .arg(number)
        .arg(disable);
}

class UnifiedMessagingPage : public PageTestBase {
protected:
    void open(const QString &box, long number = 107)
    {
        m_simulator->seed(box);
        openSheet(number, pageIndex<Page>());
    }
    Page &um() { return page<Page>(); }
    QComboBox *combo(int id) { return um().GetDlgItem<QComboBox>(id); }
    bool enabled(int id) { return um().GetDlgItem(id)->isEnabled(); }
    bool checked(int id) { return um().GetDlgItem<QCheckBox>(id)->isChecked(); }
    QString switchCaption() { return um().GetDlgItem<QPushButton>(Page::IDC_SWITCH)->text(); }
    static QStringList items(QComboBox *c)
    {
        QStringList texts;
        for (int i = 0; i < c->count(); ++i)
            texts.append(c->itemText(i));
        return texts;
    }
    QString onServer(const QString &name)
    {
        return CUserAgent(m_session->Execute("GetUA 107"), CTclList()).GetProperty(name);
    }
};

TEST_F(UnifiedMessagingPage, ShowsTheAccountTheChoicesAndTheFolders)
{
    open(kIdasBox);
    EXPECT_EQ(um().GetDlgItemText(Page::IDC_SMTP_SERVER), "smtp.example.com");
    EXPECT_EQ(um().GetDlgItemText(Page::IDC_EMAIL_SERVER), "imap.example.com");
    EXPECT_EQ(um().GetDlgItemText(Page::IDC_ACCOUNT), "ida.ingram");
    EXPECT_EQ(um().GetDlgItemText(Page::IDC_USERNAME), "ingram");
    EXPECT_EQ(combo(Page::IDC_TRANSPORT)->currentText(), "IP Standard");
    EXPECT_EQ(combo(Page::IDC_AUTHENTICATION)->currentIndex(), 1);
    EXPECT_EQ(combo(Page::IDC_VOICE)->currentIndex(), 1);
    EXPECT_TRUE(um().IsUnifiedMessagingOn());
    EXPECT_EQ(switchCaption(), "Disable Unified Messaging");
    EXPECT_TRUE(checked(Page::IDC_IMAP4));
    EXPECT_FALSE(checked(Page::IDC_POP3));
    EXPECT_TRUE(checked(Page::IDC_MDN));
    EXPECT_TRUE(checked(Page::IDC_DELETE_ON_SEND));
    EXPECT_EQ(um().MultipleQueueCount(), 2);
    EXPECT_EQ(combo(Page::IDC_UP_FOLDER)->currentText(), "2");
    EXPECT_EQ(combo(Page::IDC_DIS_FOLDER)->currentText(), "0");
    for (const int id : {Page::IDC_SMTP_SERVER, Page::IDC_ACCOUNT, Page::IDC_UP_FOLDER, Page::IDC_DIS_FOLDER,
                         Page::IDC_DELETE_ON_SEND, Page::IDC_MDN, Page::IDC_SUSPENDED, Page::IDC_SWITCH})
        EXPECT_TRUE(enabled(id)) << id;
    saveScreenshot("mailbox-page-unified-messaging.png");
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

struct FolderCase {
    int queues;
    QStringList up;
    QStringList dis;
};

class UnifiedMessagingFolders : public UnifiedMessagingPage, public testing::WithParamInterface<FolderCase> {};

TEST_P(UnifiedMessagingFolders, OffersTheFoldersOfTheBoxsQueues)
{
    const FolderCase &c = GetParam();
    open(QStringLiteral("ua 108 -parent 10 -stamp 1 {&Name1 Jo Multiple_Queue %1 Nf_22_Disable 0 ProtocolForTTS 1 "
                        "UM_Up_Synch_Folder 1}")
             .arg(c.queues),
         108);
    EXPECT_EQ(items(combo(Page::IDC_UP_FOLDER)), c.up);
    EXPECT_EQ(items(combo(Page::IDC_DIS_FOLDER)), c.dis);
    EXPECT_EQ(received("GetUAPropertyInfo"), QStringList{}) << "asked when the box loaded, before the log was cleared";
}

INSTANTIATE_TEST_SUITE_P(
    Queues, UnifiedMessagingFolders,
    testing::Values(FolderCase{0, {"0"}, {"0"}}, FolderCase{1, {"1"}, {"0", "1"}},
                    FolderCase{5, {"1", "2", "3", "4", "5", "6", "7", "8"}, {"0", "1", "2", "3", "4", "5", "6", "7", "8"}}));

TEST_F(UnifiedMessagingPage, SwitchStoresDisableOneToTurnOffAndZeroToTurnOn)
{
    open(kIdasBox);
    click(Page::IDC_SWITCH);
    ASSERT_TRUE(waitUntil([&] { return !um().IsUnifiedMessagingOn(); }, 5000));
    EXPECT_EQ(received("catch"), QStringList{switchScript(107, 1)});
    EXPECT_TRUE(received("UpdateUA").isEmpty());
    EXPECT_EQ(onServer("Nf_22_Disable"), "1");
    EXPECT_EQ(switchCaption(), "Enable Unified Messaging");
    for (const int id : {Page::IDC_SMTP_SERVER, Page::IDC_ACCOUNT, Page::IDC_IMAP4, Page::IDC_MDN})
        EXPECT_FALSE(enabled(id)) << id;
    EXPECT_TRUE(enabled(Page::IDC_SWITCH));

    m_simulator->clearLog();
    click(Page::IDC_SWITCH);
    ASSERT_TRUE(waitUntil([&] { return um().IsUnifiedMessagingOn(); }, 5000));
    EXPECT_EQ(received("catch"), QStringList{switchScript(107, 0)});
    EXPECT_EQ(onServer("Nf_22_Disable"), "0");
    EXPECT_EQ(switchCaption(), "Disable Unified Messaging");
    EXPECT_TRUE(enabled(Page::IDC_ACCOUNT));
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

TEST_F(UnifiedMessagingPage, ASwitchTheServerRefusesLeavesTheBoxAsTheServerHasIt)
{
    open(kIdasBox);
    m_simulator->failCommand("UpdateUA", "box is busy");
    m_boxes->answer(IDOK);
    click(Page::IDC_SWITCH);
    ASSERT_EQ(m_boxes->texts().size(), 1);
    EXPECT_TRUE(m_boxes->texts().first().startsWith("UA 107: Received")) << m_boxes->texts().first().toStdString();
    EXPECT_TRUE(m_boxes->texts().first().contains("box is busy"));
    EXPECT_TRUE(um().IsUnifiedMessagingOn());
    EXPECT_EQ(switchCaption(), "Disable Unified Messaging");
    m_simulator->clearFailure("UpdateUA");
    EXPECT_EQ(onServer("Nf_22_Disable"), "0");
    EXPECT_EQ(m_sheet->GetMode(), CMailboxPps::ModeNormal);
}

TEST_F(UnifiedMessagingPage, SwitchWithUnsavedEditsAsksToSaveFirst)
{
    open(kIdasBox);
    type(Page::IDC_SMTP_SERVER, "mail.example.org");
    m_boxes->answer(IDNO);
    click(Page::IDC_SWITCH);
    EXPECT_EQ(m_boxes->texts(), QStringList{"To proceed, you need to save your changes or refresh. Do you want to "
                                            "save your changes? "});
    EXPECT_TRUE(received("catch").isEmpty());
    EXPECT_TRUE(received("UpdateUA").isEmpty());
    EXPECT_EQ(m_sheet->GetMode(), CMailboxPps::ModeNormal);

    m_boxes->answer(IDYES);
    click(Page::IDC_SWITCH);
    ASSERT_TRUE(waitUntil([&] { return !received("catch").isEmpty(); }, 5000));
    ASSERT_TRUE(waitUntil([&] { return !um().IsUnifiedMessagingOn(); }, 5000));
    const QStringList updates = received("UpdateUA");
    ASSERT_EQ(updates.size(), 1);
    EXPECT_TRUE(updates.first().contains("SMTPServer {mail.example.org}")) << updates.first().toStdString();
    EXPECT_EQ(received("catch"), QStringList{switchScript(107, 1)});
    EXPECT_EQ(onServer("SMTPServer"), "mail.example.org");
    EXPECT_EQ(onServer("Nf_22_Disable"), "1");
}

TEST_F(UnifiedMessagingPage, ASwitchWhoseSaveIsRefusedIsDroppedNotAppliedLater)
{
    open(kIdasBox);
    type(Page::IDC_SMTP_SERVER, "mail.example.org");
    m_simulator->failCommand("UpdateUA", "box is busy");
    m_boxes->answer({IDYES, IDOK, IDOK});
    click(Page::IDC_SWITCH);
    ASSERT_EQ(m_boxes->texts().size(), 2);
    EXPECT_TRUE(m_boxes->texts().at(1).contains("box is busy")) << m_boxes->texts().at(1).toStdString();
    EXPECT_EQ(m_sheet->GetMode(), CMailboxPps::ModeNormal);
    m_simulator->clearFailure("UpdateUA");
    // A later reload of the box (its edits discarded) shows it as it is;
    // nothing is switched.
    m_sheet->SendGetUA(107);
    waitUntil([] { return false; }, 500);
    EXPECT_EQ(m_boxes->texts().value(2), "Discard changes?");
    EXPECT_TRUE(received("catch").isEmpty());
    EXPECT_EQ(onServer("Nf_22_Disable"), "0");
}

TEST_F(UnifiedMessagingPage, Imap4WithoutAFolderTakesTheFirstOne)
{
    open("ua 108 -parent 10 -stamp 1 {&Name1 Jo Multiple_Queue 2 Nf_22_Disable 0 ProtocolForTTS 0}", 108);
    EXPECT_FALSE(enabled(Page::IDC_UP_FOLDER));
    EXPECT_TRUE(checked(Page::IDC_POP3));
    click(Page::IDC_IMAP4);
    EXPECT_FALSE(checked(Page::IDC_POP3));
    EXPECT_TRUE(enabled(Page::IDC_UP_FOLDER));
    EXPECT_EQ(combo(Page::IDC_UP_FOLDER)->currentText(), "2") << "index 1 of a list that starts at 1";
    apply();
    const QStringList updates = received("UpdateUA");
    ASSERT_EQ(updates.size(), 1);
    EXPECT_TRUE(updates.first().contains("ProtocolForTTS {1}")) << updates.first().toStdString();
    EXPECT_TRUE(updates.first().contains("UM_Up_Synch_Folder {2}")) << updates.first().toStdString();
}

TEST_F(UnifiedMessagingPage, KplTransportKeepsDeleteOnSendAndMdnOffWithTheSwitchOn)
{
    open(kIdasBox);
    choose(Page::IDC_TRANSPORT, "KPL Proprietary");
    EXPECT_FALSE(enabled(Page::IDC_DELETE_ON_SEND));
    EXPECT_FALSE(enabled(Page::IDC_MDN));
    EXPECT_FALSE(enabled(Page::IDC_DIS_FOLDER));
    apply();
    const QStringList updates = received("UpdateUA");
    ASSERT_EQ(updates.size(), 1);
    EXPECT_TRUE(updates.first().contains("IM_Message_Transport_Scheme {1}")) << updates.first().toStdString();
    EXPECT_EQ(combo(Page::IDC_TRANSPORT)->currentText(), "KPL Proprietary");
    EXPECT_FALSE(enabled(Page::IDC_DELETE_ON_SEND));
}

TEST_F(UnifiedMessagingPage, AClassOfServiceOffersAllButThePerUserFieldsWhateverTheSwitchHolds)
{
    m_cosEditor = true;
    m_simulator->seed("ua 60 -parent 2147483647 -stamp 1 {COS MB &Name1 Remote &Comment {Remote staff} "
                      "Multiple_Queue 1 Nf_22_Disable 1 ProtocolForTTS 1 IM_Message_Transport_Scheme 0 "
                      "UM_Dis_Synch_Enabled 1 UM_Up_Synch_Delete 0}");
    openSheet(60, 0);
    ASSERT_TRUE(m_sheet->IsCOSEditor());
    int index = 0;
    while (index < m_sheet->GetPageCount() && !dynamic_cast<Page *>(m_sheet->GetPage(index)))
        ++index;
    ASSERT_LT(index, m_sheet->GetPageCount());
    m_sheet->SetActivePage(index);
    ASSERT_TRUE(waitUntil([&] { return um().GetMailboxNumber() == 60; }, 5000));
    EXPECT_FALSE(um().IsUnifiedMessagingOn());
    EXPECT_FALSE(enabled(Page::IDC_ACCOUNT));
    EXPECT_FALSE(enabled(Page::IDC_USERNAME));
    for (const int id : {Page::IDC_SMTP_SERVER, Page::IDC_EMAIL_SERVER, Page::IDC_TRANSPORT, Page::IDC_VOICE,
                         Page::IDC_IMAP4, Page::IDC_POP3, Page::IDC_MDN, Page::IDC_DIS_FOLDER, Page::IDC_UP_FOLDER,
                         Page::IDC_SUSPENDED, Page::IDC_DELETE_ON_SEND})
        EXPECT_TRUE(enabled(id)) << id;
    m_simulator->clearLog();
    QTest::mouseClick(um().GetDlgItem<QPushButton>(Page::IDC_SWITCH), Qt::LeftButton);
    waitUntil([] { return false; }, 300);
    EXPECT_TRUE(received("catch").isEmpty());
    EXPECT_EQ(m_sheet->GetMode(), CMailboxPps::ModeNormal);
}

} // namespace
