// The agent list windows and the agent dialogs against the simulator's demo
// company: what they list, the lines their buttons send, and values that
// reach the server as data whatever they hold.
#include "admin/testsupport/uatoolstestbase.h"

#include "admin/session/tcllist.h"
#include "admin/uatools/agents/amisuseragentdlg.h"
#include "admin/uatools/agents/configvpimuseragentsdlg.h"
#include "admin/uatools/agents/directsenduadlg.h"
#include "admin/uatools/agents/directsenduseragentdlg.h"
#include "admin/uatools/agents/ivruseragentdlg.h"
#include "admin/uatools/agents/ivruseragentsdlg.h"
#include "admin/uatools/agents/vpimuseragentdlg.h"
#include "platform/msgbox/messageboxscript.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <functional>

namespace {

class AgentLists : public UAToolsTestBase {
protected:
    void SetUp() override
    {
        UAToolsTestBase::SetUp();
        // The menu's scenario starts a script on both call events.
        m_simulator->seed(QStringLiteral("eventmap 40 3 2 AutoAttendant menu.tcl\n"
                                         "eventmap 41 3 21 AutoAttendant menu.tcl"));
    }
    CLoginCredentials login() const { return CLoginCredentials{m_simulator->host(), "Cardomel", "Cardomel"}; }

    // Opens a list window the way the main frame does.
    static QPointer<CUserAgentListDlg> open(CUserAgentListDlg *list)
    {
        list->Create();
        EXPECT_TRUE(WaitFor([list] { return !list->IsFilling(); }));
        return QPointer<CUserAgentListDlg>(list);
    }
    static QStringList column(QTreeWidget *list, int column)
    {
        QStringList texts;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            texts.append(list->topLevelItem(i)->text(column));
        return texts;
    }
    static void select(CUserAgentListDlg *dialog, const QString &number)
    {
        QTreeWidget *list = dialog->List();
        const QList<QTreeWidgetItem *> found = list->findItems(number, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << number.toStdString();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.first()).center());
        ASSERT_EQ(dialog->SelectedNumber(), number.toInt());
    }
    QString property(int number, const QString &name) const
    {
        QStringList info;
        CTclList().SplitList(
            m_session->Execute(QStringLiteral("GetUAPropertyInfo %1 {%2}").arg(number).arg(name)), info);
        return info.value(1);
    }
    void closeList(CUserAgentListDlg *dialog)
    {
        QPointer<CUserAgentListDlg> guard(dialog);
        bool closed = false;
        QObject::connect(dialog, &CUserAgentListDlg::closed, [&closed] { closed = true; });
        click(dialog, CUserAgentListDlg::IDC_CLOSE);
        EXPECT_TRUE(closed);
        EXPECT_TRUE(WaitFor([&] { return guard.isNull(); }));
    }
};

struct ListCase {
    const char *name;
    std::function<CUserAgentListDlg *(CZELTSession &, const CLoginCredentials &)> make;
    const char *caption;
    QStringList numbers;
    QStringList comments;
};

TEST_F(AgentLists, EachListShowsItsKindInOrderWithoutTheRoot)
{
    const ListCase cases[] = {
        {"ivr",
         [](CZELTSession &s, const CLoginCredentials &l) { return new CIvrUserAgentsDlg(s, l, "IVR"); },
         "Edit IVR User Agents",
         {"400", "401", "402"},
         {"Opening hours menu", "Company directory", "Closed: menu again"}},
        {"ds_fax",
         [](CZELTSession &s, const CLoginCredentials &l) { return new CDirectSendFaxUADlg(s, l, "DS_FAX"); },
         "Edit Direct Send Fax User Agents",
         {"540", "541", "542"},
         {"Fax broadcast", "Price list fax", "Order forms"}},
        {"ds_voice",
         [](CZELTSession &s, const CLoginCredentials &l) {
             return new CDirectSendVoiceUADlg(s, l, "DS_VOICE");
         },
         "Edit Direct Send Voice User Agents",
         {"530", "531"},
         {"Voice broadcast", "Staff notices"}},
        {"vpim_gateway",
         [](CZELTSession &s, const CLoginCredentials &l) {
             return new CConfigVpimUserAgentsDlg(s, l, "VPIM_GATEWAY", "VPIM_GATEWAY", "VPIM_PROXY");
         },
         "Configure VPIM Gateway User Agents",
         {"520", "522"},
         {"Partner site", "Second partner"}},
        {"vpim_proxy",
         [](CZELTSession &s, const CLoginCredentials &l) {
             return new CConfigVpimUserAgentsDlg(s, l, "VPIM_PROXY", "VPIM_GATEWAY", "VPIM_PROXY");
         },
         "Configure VPIM Proxy User Agents",
         {"521", "523"},
         {"Partner proxy", "Second proxy"}},
    };
    for (const ListCase &c : cases) {
        SCOPED_TRACE(c.name);
        m_simulator->clearLog();
        QPointer<CUserAgentListDlg> dialog = open(c.make(*m_session, login()));
        EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8(c.caption));
        EXPECT_EQ(column(dialog->List(), 0), c.numbers);
        EXPECT_EQ(column(dialog->List(), 1), c.comments);
        EXPECT_EQ(received("ParmsForUAType").size(), 1);
        EXPECT_FALSE(dialog->GetDlgItem(CUserAgentListDlg::IDC_MODIFY)->isEnabled());
        EXPECT_FALSE(dialog->GetDlgItem(CUserAgentListDlg::IDC_DELETE)->isEnabled());
        screenshot(dialog, QStringLiteral("agentlist_%1.png").arg(QLatin1String(c.name)));
        closeList(dialog);
    }
    EXPECT_EQ(m_boxes->transcript().size(), 0u);
}

TEST_F(AgentLists, IvrListShowsTheCallEventsApplication)
{
    QPointer<CUserAgentListDlg> dialog = open(new CIvrUserAgentsDlg(*m_session, login(), "IVR"));
    EXPECT_EQ(column(dialog->List(), 2), (QStringList{"AutoAttendant", "", "AutoAttendant"}));
    EXPECT_EQ(column(dialog->List(), 3), (QStringList{"menu.tcl", "", "menu.tcl"}));
    EXPECT_EQ(column(dialog->List(), 4), (QStringList{"English", "English", "English"}));
    const QHeaderView *header = dialog->List()->header();
    for (int i = 0; i < header->count(); ++i)
        EXPECT_GE(header->sectionSize(i), header->sectionSizeHint(i)) << "heading " << i << " whole";
    closeList(dialog);
}

TEST_F(AgentLists, RowsAreInNumericOrderThoughTheServerSortsAsText)
{
    m_simulator->seed(QStringLiteral("ua 5 -parent 2147483641 {&Comment five}\n"
                                     "ua 99 -parent 2147483641 {&Comment ninety-nine}\n"
                                     "ua 1000 -parent 2147483641 {&Comment thousand}\n"
                                     "ua 540 -parent 2147483641 {&Comment again}"));
    QPointer<CUserAgentListDlg> dialog = open(new CDirectSendFaxUADlg(*m_session, login(), "DS_FAX"));
    EXPECT_EQ(column(dialog->List(), 0), (QStringList{"5", "99", "540", "541", "542", "1000"}));
    closeList(dialog);
}

TEST_F(AgentLists, RefusedListQueryIsOneMessage)
{
    m_simulator->failCommand(QStringLiteral("GetUAList4Property"),
                             QStringLiteral("index is being rebuilt now"));
    m_boxes->answer(IDOK);
    QPointer<CUserAgentListDlg> dialog = open(new CIvrUserAgentsDlg(*m_session, login(), "IVR"));
    ASSERT_EQ(m_boxes->texts().size(), 1);
    EXPECT_TRUE(m_boxes->texts().first().contains("index is being rebuilt now"))
        << m_boxes->texts().first().toStdString();
    EXPECT_EQ(dialog->List()->topLevelItemCount(), 0);
    closeList(dialog);
}

TEST_F(AgentLists, RefusedEventMapsAreOneMessageForTheWholeList)
{
    m_simulator->failCommand(QStringLiteral("GetEventMaps4UA"), QStringLiteral("scenarios are locked"));
    m_boxes->answer(IDOK);
    QPointer<CUserAgentListDlg> dialog = open(new CIvrUserAgentsDlg(*m_session, login(), "IVR"));
    EXPECT_EQ(received("GetEventMaps4UA").size(), 3);
    ASSERT_EQ(m_boxes->texts().size(), 1);
    EXPECT_TRUE(m_boxes->texts().first().startsWith("The event maps of User Agent 400 could not be read:"));
    EXPECT_TRUE(m_boxes->texts().first().endsWith("scenarios are locked"));
    EXPECT_EQ(column(dialog->List(), 0), (QStringList{"400", "401", "402"}));
    closeList(dialog);
}

TEST_F(AgentLists, DeleteRemovesTheAgentAndSelectsTheNextRow)
{
    QPointer<CUserAgentListDlg> dialog = open(new CDirectSendFaxUADlg(*m_session, login(), "DS_FAX"));
    select(dialog, "541");
    m_boxes->answer(IDYES);
    click(dialog.data(), CUserAgentListDlg::IDC_DELETE);
    ASSERT_EQ(m_boxes->transcript().size(), 1u);
    EXPECT_EQ(m_boxes->transcript().front().text, "Are you sure you would like to remove User Agent 541?");
    EXPECT_EQ(m_boxes->transcript().front().caption, "Delete User Agent");
    EXPECT_EQ(received("DeleteUA"), QStringList{"DeleteUA 541"});
    EXPECT_FALSE(exists(541));
    EXPECT_EQ(column(dialog->List(), 0), (QStringList{"540", "542"}));
    EXPECT_EQ(dialog->SelectedNumber(), 542);
    // The last row gone, the one above takes the selection.
    m_boxes->answer(IDYES);
    click(dialog.data(), CUserAgentListDlg::IDC_DELETE);
    EXPECT_EQ(dialog->SelectedNumber(), 540);
    closeList(dialog);
}

TEST_F(AgentLists, RefusedDeleteKeepsTheRow)
{
    m_simulator->failCommand(QStringLiteral("DeleteUA"), QStringLiteral("agent is busy"));
    QPointer<CUserAgentListDlg> dialog = open(new CIvrUserAgentsDlg(*m_session, login(), "IVR"));
    select(dialog, "401");
    m_boxes->answer({IDYES, IDOK});
    click(dialog.data(), CUserAgentListDlg::IDC_DELETE);
    ASSERT_EQ(m_boxes->texts().size(), 2);
    EXPECT_TRUE(m_boxes->texts()[1].contains("agent is busy"));
    EXPECT_TRUE(exists(401));
    EXPECT_EQ(dialog->List()->topLevelItemCount(), 3);
    closeList(dialog);
}

// Values that would be code if they were not quoted.
const QStringList kInjection{QStringLiteral("a[exec x]$y"), QStringLiteral("}"), QStringLiteral("ends\\")};

TEST_F(AgentLists, DirectSendDialogSendsOnlyChangedFieldsAsData)
{
    QPointer<CUserAgentListDlg> dialog = open(new CDirectSendFaxUADlg(*m_session, login(), "DS_FAX"));
    for (const QString &value : kInjection) {
        SCOPED_TRACE(value.toStdString());
        m_simulator->clearLog();
        select(dialog, "541");
        m_dialogs.on<CDirectSendUserAgentDlg>([&value](CDirectSendUserAgentDlg *edit) {
            EXPECT_EQ(edit->windowTitle(), "Edit Direct Send FAX User Agent 541");
            EXPECT_EQ(edit->GetDlgItemText(CDirectSendUserAgentDlg::IDC_NAME1), "Price");
            EXPECT_EQ(edit->GetDlgItemText(CDirectSendUserAgentDlg::IDC_GROUPS), "2");
            if (value == kInjection.first())
                screenshot(edit, QStringLiteral("agent_directsend.png"));
            type(edit->GetDlgItem<QLineEdit>(CDirectSendUserAgentDlg::IDC_COMMENT), value);
            click(edit, IDOK);
        });
        click(dialog.data(), CUserAgentListDlg::IDC_MODIFY);
        EXPECT_EQ(m_dialogs.pending(), 0);
        EXPECT_EQ(received("UpdateUA").size(), 1) << received("UpdateUA").join("\n").toStdString();
        EXPECT_EQ(property(541, "&Comment"), value);
        EXPECT_EQ(dialog->List()->findItems("541", Qt::MatchExactly).first()->text(1), value);
    }
    closeList(dialog);
}

TEST_F(AgentLists, DirectSendDialogRefusedSaveStaysOpenAndNamesTheField)
{
    CDirectSendUserAgentDlg edit(*m_session, 531, nullptr);
    m_simulator->failCommand(QStringLiteral("UpdateUA"), QStringLiteral("groups locked"));
    m_boxes->answer(IDOK);
    m_dialogs.on<CDirectSendUserAgentDlg>([](CDirectSendUserAgentDlg *d) {
        type(d->GetDlgItem<QLineEdit>(CDirectSendUserAgentDlg::IDC_GROUPS), "1 3-5, 7");
        click(d, IDOK);
        EXPECT_TRUE(d->isVisible());
        click(d, IDCANCEL);
    });
    EXPECT_EQ(edit.DoModal(), IDCANCEL);
    ASSERT_EQ(m_boxes->texts().size(), 1);
    EXPECT_TRUE(m_boxes->texts().first().contains("Group_List")) << m_boxes->texts().first().toStdString();
    EXPECT_TRUE(m_boxes->texts().first().contains("groups locked"));
    EXPECT_EQ(received("UpdateUA"), QStringList{"UpdateUA 531 WithForce Group_List {1 3-5, 7}"});
}

TEST_F(AgentLists, DirectSendDialogWhoseLoadFailedSavesNothing)
{
    CDirectSendUserAgentDlg edit(*m_session, 9876, nullptr);
    m_boxes->answer(IDOK);
    EXPECT_EQ(edit.DoModal(), IDCANCEL);
    EXPECT_FALSE(edit.IsLoaded());
    EXPECT_FALSE(edit.GetDlgItem(IDOK)->isEnabled());
    EXPECT_EQ(m_boxes->texts().size(), 1);
    EXPECT_TRUE(received("UpdateUA").isEmpty());
}

TEST(DirectSendRules, NamesAndGroupLists)
{
    for (const char *good : {"", "Anna", "Zed29", "abc2345678"})
        EXPECT_TRUE(CDirectSendUserAgentDlg::IsValidName(good)) << good;
    for (const char *bad : {"a b", "x0", "x1", "a-b", "é"})
        EXPECT_FALSE(CDirectSendUserAgentDlg::IsValidName(QString::fromUtf8(bad))) << bad;
    for (const char *good : {"", "1", " 1 2 3 ", "1,2", "1-5", "1-5,7", "1-5 7-9", "1 , 2"})
        EXPECT_TRUE(CDirectSendUserAgentDlg::IsValidGroupList(good)) << good;
    for (const char *bad : {",1", "1,", "1-", "-1", "1,,2", "1-2-3", "1\t2", "a", "1;2"})
        EXPECT_FALSE(CDirectSendUserAgentDlg::IsValidGroupList(bad)) << bad;
}

TEST_F(AgentLists, IvrDialogCreatesBothCallEventMapsAndCommits)
{
    m_simulator->seed(QStringLiteral("ua 403 -parent 2147483645 -scenario 7 {&Comment {New menu}}"));
    QPointer<CUserAgentListDlg> dialog = open(new CIvrUserAgentsDlg(*m_session, login(), "IVR"));
    select(dialog, "403");
    m_simulator->clearLog();
    m_dialogs.on<CIvrUserAgentDlg>([](CIvrUserAgentDlg *edit) {
        auto *application = edit->GetDlgItem<QComboBox>(CIvrUserAgentDlg::IDC_APPLICATION);
        application->setCurrentIndex(application->findText("Transfer"));
        type(edit->GetDlgItem<QLineEdit>(CIvrUserAgentDlg::IDC_PARAMETER), "a[exec x]$y");
        screenshot(edit, QStringLiteral("agent_ivr.png"));
        click(edit, IDOK);
    });
    click(dialog.data(), CUserAgentListDlg::IDC_MODIFY);
    EXPECT_EQ(m_dialogs.pending(), 0);
    EXPECT_EQ(received("CreateEMRecord"),
              (QStringList{"CreateEMRecord 7 2 {Transfer} {a[exec x]$y} 0 1 0 0 0 0 65279",
                           "CreateEMRecord 7 21 {Transfer} {a[exec x]$y} 0 1 0 0 0 0 65279"}));
    EXPECT_EQ(received("CommitScenarioChange").size(), 1);
    // Nothing else changed: no property is sent, no language forced.
    EXPECT_TRUE(received("UpdateUA").isEmpty());
    QTreeWidgetItem *row = dialog->List()->findItems("403", Qt::MatchExactly).first();
    EXPECT_EQ(row->text(2), "Transfer");
    EXPECT_EQ(row->text(3), "a[exec x]$y");
    closeList(dialog);
}

TEST_F(AgentLists, IvrDialogUpdatesExistingMapsAndSendsOnlyTheChangedProperty)
{
    CIvrUserAgentDlg edit(*m_session, nullptr, 400);
    m_dialogs.on<CIvrUserAgentDlg>([](CIvrUserAgentDlg *d) {
        EXPECT_EQ(d->GetDlgItem<QComboBox>(CIvrUserAgentDlg::IDC_APPLICATION)->currentText(),
                  "AutoAttendant");
        EXPECT_EQ(d->GetDlgItemText(CIvrUserAgentDlg::IDC_PARAMETER), "menu.tcl");
        EXPECT_TRUE(d->GetDlgItem<QCheckBox>(CIvrUserAgentDlg::IDC_ANSWERS)->isChecked());
        type(d->GetDlgItem<QLineEdit>(CIvrUserAgentDlg::IDC_COMMENT), "}");
        type(d->GetDlgItem<QLineEdit>(CIvrUserAgentDlg::IDC_PARAMETER), "night.tcl");
        click(d, IDOK);
    });
    EXPECT_EQ(edit.DoModal(), IDOK);
    EXPECT_EQ(received("UpdateUA").size(), 1);
    EXPECT_EQ(property(400, "&Comment"), "}");
    EXPECT_EQ(received("UpdateEMRecord"),
              (QStringList{"UpdateEMRecord 40 3 2 {AutoAttendant} {night.tcl} 0 1 0 0 0 0 65279",
                           "UpdateEMRecord 41 3 21 {AutoAttendant} {night.tcl} 0 1 0 0 0 0 65279"}));
    EXPECT_EQ(received("CommitScenarioChange").size(), 1);
}

TEST_F(AgentLists, AmisProxyUpdateLine)
{
    CAmisUserAgentDlg edit(*m_session, nullptr, 510, "AMIS_PROXY", CMessagingAgentDlg::ModeProxy);
    m_dialogs.on<CAmisUserAgentDlg>([](CAmisUserAgentDlg *d) {
        EXPECT_EQ(d->windowTitle(), "Edit AMIS Proxy User Agent");
        auto *comment = d->GetDlgItem<QLineEdit>(CMessagingAgentDlg::IDC_COMMENT);
        EXPECT_FALSE(comment->isEnabled()) << "disabled agent: fields greyed";
        click(d, CMessagingAgentDlg::IDC_ENABLED);
        EXPECT_TRUE(comment->isEnabled());
        type(d->GetDlgItem<QLineEdit>(CMessagingAgentDlg::IDC_MAILBOX), "7002");
        screenshot(d, QStringLiteral("agent_amis_proxy.png"));
        click(d, IDOK);
    });
    EXPECT_EQ(edit.DoModal(), IDOK);
    EXPECT_EQ(received("UADeleteProperty"), QStringList{"UADeleteProperty 510 WithForce AmisGatewayEnable"});
    EXPECT_EQ(
        received("UpdateUA"),
        QStringList{"UpdateUA 510 WithForce &Comment {Branch proxy} AmisDestinationSystemNumber {\"\"} "
                    "AmisDestinationDial {\"\"} AmisNotifyContinueEveryMin 0 AmisNotifyAfterMin 0 "
                    "AmisNotifyMaxTime 0 AmisNotificationPortGroup \"\" AmisProxyDestinationMailBox {7002}"});
}

TEST_F(AgentLists, VpimGatewayDisablingSendsOneUpdateEndingWithTheEnableProperty)
{
    QPointer<CUserAgentListDlg> dialog =
        open(new CConfigVpimUserAgentsDlg(*m_session, login(), "VPIM_GATEWAY", "VPIM_GATEWAY", "VPIM_PROXY"));
    select(dialog, "520");
    m_simulator->clearLog();
    m_dialogs.on<CVpimUserAgentDlg>([](CVpimUserAgentDlg *d) {
        EXPECT_EQ(d->windowTitle(), "Edit VPIM Gateway User Agent");
        EXPECT_FALSE(d->GetDlgItem(CMessagingAgentDlg::IDC_MAILBOX)->isVisible());
        EXPECT_EQ(d->GetDlgItemText(CMessagingAgentDlg::IDC_DESTINATION), "partner.example");
        screenshot(d, QStringLiteral("agent_vpim_gateway.png"));
        auto *comment = d->GetDlgItem<QLineEdit>(CMessagingAgentDlg::IDC_COMMENT);
        comment->setFocus();
        comment->selectAll();
        QTest::keyClick(comment, Qt::Key_Backspace);
        click(d, CMessagingAgentDlg::IDC_ENABLED);
        click(d, IDOK);
    });
    click(dialog.data(), CUserAgentListDlg::IDC_MODIFY);
    EXPECT_EQ(m_dialogs.pending(), 0);
    EXPECT_TRUE(received("UADeleteProperty").isEmpty());
    EXPECT_EQ(
        received("UpdateUA"),
        QStringList{"UpdateUA 520 WithForce &Comment {} VpimDestinationDomain {partner.example} "
                    "VpimNotifyContinueEveryMin 30 VpimNotifyAfterMin 5 VpimNotifyMaxTime 240 VpimEnable 0"});
    EXPECT_EQ(dialog->List()->findItems("520", Qt::MatchExactly).first()->text(1), "");
    closeList(dialog);
}

TEST_F(AgentLists, MessagingDialogWhoseLoadFailedCannotSave)
{
    CVpimUserAgentDlg edit(*m_session, nullptr, 9876, "VPIM_PROXY", CMessagingAgentDlg::ModeProxy);
    m_boxes->answer(IDOK);
    m_dialogs.on<CVpimUserAgentDlg>([](CVpimUserAgentDlg *d) {
        EXPECT_FALSE(d->GetDlgItem(IDOK)->isEnabled());
        click(d, IDCANCEL);
    });
    EXPECT_EQ(edit.DoModal(), IDCANCEL);
    EXPECT_FALSE(edit.IsLoaded());
    EXPECT_EQ(m_boxes->texts().size(), 1);
    EXPECT_TRUE(received("UpdateUA").isEmpty());
}

} // namespace

namespace {

TEST_F(AgentLists, HelpButtonAndF1AskForTheDialogsTopic)
{
    QTemporaryDir folder;
    qputenv("VERBANTA_HELP_DIR", folder.filePath("nohelp").toUtf8());
    m_boxes->answer({IDOK, IDOK, IDOK});
    CDirectSendUserAgentDlg direct(*m_session, 540, nullptr);
    m_dialogs.on<CDirectSendUserAgentDlg>([](CDirectSendUserAgentDlg *d) {
        click(d, CDirectSendUserAgentDlg::IDC_HELP_BUTTON);
        SendMessage(d->GetSafeHwnd(), WM_HELP, 0, 0);
        click(d, IDCANCEL);
    });
    EXPECT_EQ(direct.DoModal(), IDCANCEL);
    CVpimUserAgentDlg vpim(*m_session, nullptr, 521, "VPIM_PROXY", CMessagingAgentDlg::ModeProxy);
    m_dialogs.on<CVpimUserAgentDlg>([](CVpimUserAgentDlg *d) {
        EXPECT_EQ(d->GetDlgItemText(CMessagingAgentDlg::IDC_MAILBOX), "521");
        screenshot(d, QStringLiteral("agent_vpim_proxy.png"));
        click(d, CMessagingAgentDlg::IDC_HELP_BUTTON);
        click(d, IDCANCEL);
    });
    EXPECT_EQ(vpim.DoModal(), IDCANCEL);
    qunsetenv("VERBANTA_HELP_DIR");
    ASSERT_EQ(m_boxes->texts().size(), 3);
    for (const QString &text : m_boxes->texts())
        EXPECT_TRUE(text.startsWith("Help is not installed")) << text.toStdString();
    EXPECT_TRUE(received("UpdateUA").isEmpty());
}

} // namespace

namespace {

TEST_F(AgentLists, AmisProxyMailboxMustBeDigits)
{
    CAmisUserAgentDlg edit(*m_session, nullptr, 511, "AMIS_PROXY", CMessagingAgentDlg::ModeProxy);
    m_simulator->seed(QStringLiteral("ua 511 -parent 2147483643 {&Comment {East proxy} AmisGatewayEnable 1 "
                                     "AmisProxyDestinationMailBox 7001}"));
    m_boxes->answer(IDOK);
    m_dialogs.on<CAmisUserAgentDlg>([](CAmisUserAgentDlg *d) {
        type(d->GetDlgItem<QLineEdit>(CMessagingAgentDlg::IDC_MAILBOX), "70a1");
        click(d, IDOK);
        EXPECT_TRUE(d->isVisible());
        click(d, IDCANCEL);
    });
    EXPECT_EQ(edit.DoModal(), IDCANCEL);
    EXPECT_EQ(m_boxes->texts(), QStringList{"Use digits for the destination mailbox."});
    EXPECT_TRUE(received("UpdateUA").isEmpty());
    EXPECT_TRUE(received("UADeleteProperty").isEmpty());
}

} // namespace

namespace {

// One agent dialog of each kind, on an agent the demo company holds.
struct AgentDialogCase {
    const char *name;
    std::function<CDialog *(CZELTSession &)> make;
    int helpButton;
};

const AgentDialogCase kAgentDialogs[] = {
    {"DirectSend", [](CZELTSession &s) { return new CDirectSendUserAgentDlg(s, 541, nullptr); },
     CDirectSendUserAgentDlg::IDC_HELP_BUTTON},
    {"Ivr", [](CZELTSession &s) { return new CIvrUserAgentDlg(s, nullptr, 400); },
     CIvrUserAgentDlg::IDC_HELP_BUTTON},
    {"AmisProxy",
     [](CZELTSession &s) {
         return new CAmisUserAgentDlg(s, nullptr, 510, "AMIS_PROXY", CMessagingAgentDlg::ModeProxy);
     },
     CMessagingAgentDlg::IDC_HELP_BUTTON},
    {"VpimGateway",
     [](CZELTSession &s) {
         return new CVpimUserAgentDlg(s, nullptr, 520, "VPIM_GATEWAY", CMessagingAgentDlg::ModeGateway);
     },
     CMessagingAgentDlg::IDC_HELP_BUTTON},
};

TEST_F(AgentLists, EveryAgentDialogOpensInItsFormAndAnswersHelpAndF1)
{
    QTemporaryDir folder;
    qputenv("VERBANTA_HELP_DIR", folder.filePath("nohelp").toUtf8());
    qsizetype boxes = 0;
    for (const AgentDialogCase &c : kAgentDialogs) {
        SCOPED_TRACE(c.name);
        m_boxes->answer({IDOK, IDOK});
        const std::unique_ptr<CDialog> dialog(c.make(*m_session));
        m_dialogs.on<CDialog>([&c](CDialog *d) {
            // A field of the form has the focus: the buttons come after it.
            QWidget *focus = d->focusWidget();
            ASSERT_NE(focus, nullptr);
            for (const int button : {int(IDOK), int(IDCANCEL), c.helpButton})
                EXPECT_NE(focus, d->GetDlgItem(button)) << button;
            EXPECT_NE(d->GetDlgItem(c.helpButton), nullptr);
            click(d, c.helpButton);
            EXPECT_EQ(SendMessage(d->GetSafeHwnd(), WM_HELP, 0, 0), 1);
            click(d, IDCANCEL);
        });
        EXPECT_EQ(dialog->DoModal(), IDCANCEL);
        EXPECT_EQ(m_dialogs.pending(), 0);
        // One box for the button, one for F1.
        boxes += 2;
        ASSERT_EQ(m_boxes->texts().size(), boxes) << m_boxes->texts().join('|').toStdString();
        for (const QString &text : m_boxes->texts().mid(boxes - 2))
            EXPECT_TRUE(text.startsWith("Help is not installed")) << text.toStdString();
    }
    qunsetenv("VERBANTA_HELP_DIR");
    EXPECT_TRUE(received("UpdateUA").isEmpty());
}

// A refused save of an IVR or messaging agent dialog: the change made, and
// the box it brings.
struct RefusalCase {
    const AgentDialogCase &dialog;
    // Changes a field; returns the field that takes the focus back, if any.
    std::function<QWidget *(CDialog *)> change;
    const char *caption;
    const char *text;
};

TEST_F(AgentLists, IvrAndMessagingRefusalsAreErrorBoxesCaptionedAsTheDialog)
{
    const RefusalCase refusals[] = {
        {kAgentDialogs[1],
         [](CDialog *d) {
             auto *comment = d->GetDlgItem<QLineEdit>(CIvrUserAgentDlg::IDC_COMMENT);
             type(comment, "Night menu");
             return comment;
         },
         "Modify IVR User Agent", "The server refused the change of the comment: "},
        {kAgentDialogs[2],
         [](CDialog *d) -> QWidget * {
             click(d, CMessagingAgentDlg::IDC_ENABLED);
             return nullptr;
         },
         "Edit AMIS Proxy User Agent", "The server refused to enable the agent: "},
        {kAgentDialogs[3],
         [](CDialog *d) -> QWidget * {
             type(d->GetDlgItem<QLineEdit>(CMessagingAgentDlg::IDC_COMMENT), "Partner");
             return nullptr;
         },
         "Edit VPIM Gateway User Agent", "The server refused the changes: "},
    };
    m_simulator->failCommand(QStringLiteral("UpdateUA"), QStringLiteral("agent is locked"));
    m_simulator->failCommand(QStringLiteral("UADeleteProperty"), QStringLiteral("class is locked"));
    for (const RefusalCase &c : refusals) {
        SCOPED_TRACE(c.dialog.name);
        m_boxes->answer(IDOK);
        const std::unique_ptr<CDialog> dialog(c.dialog.make(*m_session));
        m_dialogs.on<CDialog>([&c](CDialog *d) {
            QWidget *field = c.change(d);
            click(d, IDOK);
            EXPECT_TRUE(d->isVisible()) << "a refused save keeps the dialog open";
            if (field) {
                EXPECT_EQ(d->focusWidget(), field);
            }
            click(d, IDCANCEL);
        });
        EXPECT_EQ(dialog->DoModal(), IDCANCEL);
        EXPECT_EQ(m_dialogs.pending(), 0);
        const std::vector<MessageBoxScript::ShownBox> boxes = m_boxes->transcript();
        ASSERT_FALSE(boxes.empty());
        const MessageBoxScript::ShownBox &box = boxes.back();
        EXPECT_EQ(box.caption, c.caption);
        EXPECT_EQ(box.type, MB_OK | MB_ICONERROR);
        EXPECT_TRUE(box.text.startsWith(c.text)) << box.text.toStdString();
        EXPECT_TRUE(box.text.endsWith("is locked")) << box.text.toStdString();
    }
    EXPECT_EQ(m_boxes->texts().size(), 3) << m_boxes->texts().join('|').toStdString();
}

} // namespace

namespace {

// An agent of each messaging family whose stored counts lie outside what
// the dialog lets the administrator enter (0 to 999).
struct OddMinutesCase {
    const char *name;
    const char *seed;
    std::function<CDialog *(CZELTSession &)> make;
    const char *prefix; // of the family's property names
};

void PrintTo(const OddMinutesCase &c, std::ostream *out)
{
    *out << c.name;
}

const OddMinutesCase kOddMinutes[] = {
    {"Amis",
     "ua 502 -parent 2147483644 {&Comment {Old gateway} AmisGatewayEnable 1 AmisDestinationSystemNumber "
     "1#714# "
     "AmisDestinationDial 5551212 AmisNotificationPortGroup Q1 AmisNotifyAfterMin 99999 "
     "AmisNotifyContinueEveryMin -5 AmisNotifyMaxTime 007}",
     [](CZELTSession &s) {
         return new CAmisUserAgentDlg(s, nullptr, 502, "AMIS_GATEWAY", CMessagingAgentDlg::ModeGateway);
     },
     "Amis"},
    {"Vpim",
     "ua 522 -parent 2147483640 {&Comment {Old gateway} VpimEnable 1 VpimDestinationDomain old.example "
     "VpimNotifyAfterMin 99999 VpimNotifyContinueEveryMin -5 VpimNotifyMaxTime 007}",
     [](CZELTSession &s) {
         return new CVpimUserAgentDlg(s, nullptr, 522, "VPIM_GATEWAY", CMessagingAgentDlg::ModeGateway);
     },
     "Vpim"},
};

class MessagingAgentOddMinutes : public AgentLists, public testing::WithParamInterface<OddMinutesCase> {
protected:
    void SetUp() override
    {
        AgentLists::SetUp();
        m_simulator->seed(QString::fromLatin1(GetParam().seed));
        m_simulator->clearLog();
    }
    // Runs the dialog, `act` acting on it as the administrator; its result.
    int run(const std::function<void(CMessagingAgentDlg *)> &act)
    {
        std::unique_ptr<CDialog> dialog(GetParam().make(*m_session));
        m_dialogs.on<CMessagingAgentDlg>([&act](CMessagingAgentDlg *d) { act(d); });
        const int result = dialog->DoModal();
        EXPECT_EQ(m_dialogs.pending(), 0);
        return result;
    }
    static void typeMinutes(CMessagingAgentDlg *d, int id, const QString &text)
    {
        auto *box = d->GetDlgItem<QSpinBox>(id);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, text);
    }
    // The update's words for the three counts, as the server received them.
    QString counts(const QString &line) const
    {
        const QString prefix = QString::fromLatin1(GetParam().prefix);
        QStringList words;
        const QStringList all = line.split(' ');
        for (const QString &name :
             {prefix + "NotifyContinueEveryMin", prefix + "NotifyAfterMin", prefix + "NotifyMaxTime"}) {
            const qsizetype at = all.indexOf(name);
            words.append(name + ' ' + all.value(at + 1));
        }
        return words.join(' ');
    }
    QString storedCounts() const
    {
        const QString prefix = QString::fromLatin1(GetParam().prefix);
        return QStringLiteral("%1NotifyContinueEveryMin -5 %1NotifyAfterMin 99999 %1NotifyMaxTime 007")
            .arg(prefix);
    }
};

TEST_P(MessagingAgentOddMinutes, OkWithoutAnEditWritesNothing)
{
    EXPECT_EQ(run([](CMessagingAgentDlg *d) {
                  EXPECT_EQ(d->GetDlgItem<QSpinBox>(CMessagingAgentDlg::IDC_NOTIFY_AFTER)->value(), 99999)
                      << "shown as stored";
                  EXPECT_EQ(d->GetDlgItem<QSpinBox>(CMessagingAgentDlg::IDC_CONTINUE_EVERY)->value(), -5);
                  click(d, IDOK);
              }),
              IDOK);
    EXPECT_TRUE(received("UpdateUA").isEmpty()) << received("UpdateUA").join('\n').toStdString();
    EXPECT_TRUE(received("UADeleteProperty").isEmpty());
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

TEST_P(MessagingAgentOddMinutes, AnotherFieldsEditSendsTheStoredCountsAsTheyCame)
{
    EXPECT_EQ(run([](CMessagingAgentDlg *d) {
                  type(d->GetDlgItem<QLineEdit>(CMessagingAgentDlg::IDC_COMMENT), "New gateway");
                  click(d, IDOK);
              }),
              IDOK);
    const QStringList updates = received("UpdateUA");
    ASSERT_EQ(updates.size(), 1);
    EXPECT_TRUE(updates.first().contains("&Comment {New gateway}")) << updates.first().toStdString();
    EXPECT_EQ(counts(updates.first()), storedCounts());
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

TEST_P(MessagingAgentOddMinutes, ACountTheAdministratorChangesIsCheckedAndSent)
{
    m_boxes->answer(IDOK);
    EXPECT_EQ(run([](CMessagingAgentDlg *d) {
                  typeMinutes(d, CMessagingAgentDlg::IDC_NOTIFY_AFTER, "1000");
                  click(d, IDOK);
                  EXPECT_TRUE(d->isVisible()) << "refused";
                  EXPECT_EQ(d->focusWidget(), d->GetDlgItem(CMessagingAgentDlg::IDC_NOTIFY_AFTER))
                      << "the refused field";
                  typeMinutes(d, CMessagingAgentDlg::IDC_NOTIFY_AFTER, "12");
                  click(d, IDOK);
              }),
              IDOK);
    EXPECT_EQ(m_boxes->texts(), QStringList{"Please enter an integer between 0 and 999."});
    const QStringList updates = received("UpdateUA");
    ASSERT_EQ(updates.size(), 1);
    EXPECT_EQ(counts(updates.first()), QString(storedCounts()).replace("99999", "12"));
}

INSTANTIATE_TEST_SUITE_P(Families, MessagingAgentOddMinutes, testing::ValuesIn(kOddMinutes),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
