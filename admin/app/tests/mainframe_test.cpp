// The main frame against the simulator, with real widgets offscreen and
// message boxes answered by the script: which commands each rights word
// enables, the clock read and set, shutdown, ASR synchronisation, logging in
// again, closing, and the end of the program when the server goes away.
#include "admin/app/tests/frametestbase.h"

#include "admin/app/adminapp.h"
#include "admin/app/changesecuritycodedlg.h"
#include "admin/app/commandids.h"
#include "admin/app/coolmenumanager.h"
#include "admin/app/logindlg.h"
#include "admin/app/mainframe.h"
#include "admin/app/menuresource.h"
#include "admin/app/newtypedlg.h"
#include "admin/app/printsetupdlg.h"
#include "admin/app/tclsessiondlg.h"
#include "admin/ports/chanviewframe.h"
#include "admin/ports/portstatusview.h"
#include "admin/reports/reportengine.h"
#include "admin/reports/reportoptiondlg.h"
#include "admin/reports/reportpreviewwnd.h"
#include "admin/reports/templates/rptamistemplate.h"
#include "admin/session/zeltsession.h"
#include "admin/uatools/ranges/copyuseragentdlg.h"
#include "admin/uatools/ranges/createprogressdlg.h"
#include "admin/uatools/ranges/createuseragentdlg.h"
#include "admin/uatools/ranges/deleteprogressdlg.h"
#include "admin/uatools/ranges/deleteuseragentsdlg.h"
#include "admin/uatools/ranges/selectcosdlg.h"
#include "admin/useragents/adminview.h"
#include "admin/useragents/childframe.h"
#include "admin/useragents/mailboxlistctrl.h"
#include "admin/useragents/mailboxpps.h"
#include "admin/useragents/pages/mailboxoptionsppg.h"
#include "admin/widgets/systemclockdlg.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QWindow>

namespace {

const char *const kUser = "frameadmin";
const char *const kPassword = "frame-secret";

class MainFrameTest : public FrameTestBase {
protected:
    // Logs in with an account of these rights and builds the frame as the
    // application does.
    void loginWithRights(uint32_t rights, const QString &ranges = QStringLiteral("All"))
    {
        loginAs(QString::fromUtf8(kUser), QString::fromUtf8(kPassword), rights, ranges);
    }
    void loginAs(const QString &user, const QString &password, uint32_t rights,
                 const QString &ranges = QStringLiteral("All"), bool rememberPassword = false)
    {
        m_server->setAccount(user, password, rights, ranges);
        m_app = std::make_unique<CAdminApp>(patientSettings());
        scriptLogin(user, password, rememberPassword);
        ASSERT_TRUE(m_app->Login());
        ASSERT_TRUE(m_app->GetReportEngine().Open());
        m_frame = std::make_unique<CMainFrame>();
        ASSERT_TRUE(m_frame->LoadFrame(m_app->MainMenuId()));
        m_frame->SetServerText(m_app->Host());
        m_frame->resize(900, 600);
        m_frame->show();
    }
    void scriptLogin(const QString &user, const QString &password, bool rememberPassword = false)
    {
        m_dialogs.on<CLoginDlg>([this, user, password, rememberPassword](CLoginDlg *dialog) {
            dialog->GetDlgItem<QComboBox>(CLoginDlg::IDC_COMPUTER)->setEditText(m_server->host());
            dialog->GetDlgItem<QLineEdit>(CLoginDlg::IDC_NAME)->setText(user);
            dialog->GetDlgItem<QLineEdit>(CLoginDlg::IDC_PASSWORD)->setText(password);
            dialog->GetDlgItem<QCheckBox>(CLoginDlg::IDC_REMEMBER_PASSWORD)->setChecked(rememberPassword);
            dialog->GetDlgItem<QPushButton>(IDOK)->click();
        });
    }
    QString execute(const QString &command) { return m_app->GetSession()->Execute(command); }
    bool enabled(int id) const
    {
        m_frame->UpdateCommandUI();
        return m_frame->CommandAction(id)->isEnabled();
    }
    QAction *topMenu(int position) const { return m_frame->menuBar()->actions().value(position); }
    QStringList windowTitles() const
    {
        QStringList found;
        for (QMdiSubWindow *child : m_frame->MdiArea()->subWindowList())
            found.append(child->windowTitle());
        return found;
    }
    // The editor window last opened, once its list and first box are there.
    CMailboxPps *loadedEditor() const
    {
        return FrameTestBase::loadedEditor(m_frame->MdiArea()->subWindowList().last());
    }
    void rightClickRow(CMailboxPps *sheet, const QString &number)
    {
        CMailboxListCtrl *list = sheet->ListCtrl();
        list->SelectItem(list->FindItemByText(number));
        const QPoint at(5, 5);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(list->viewport(), &event);
    }
    bool menuHolds(int id) const
    {
        std::function<bool(const QMenu *)> holds = [&](const QMenu *menu) {
            for (QAction *item : menu->actions())
                if ((item->menu() && holds(item->menu())) || item == m_frame->CommandAction(id))
                    return true;
            return false;
        };
        for (QAction *top : m_frame->menuBar()->actions())
            if (holds(top->menu()))
                return true;
        return false;
    }
    // Ticks the System Information report and presses OK, with the mouse.
    static void chooseSystemInformation(CReportOptionDlg *dialog)
    {
        QCheckBox *system = dialog->GetDlgItem<QCheckBox>(CReportOptionDlg::IDC_SYSTEM_INFO);
        QTest::mouseClick(system, Qt::LeftButton, {}, QPoint(8, system->height() / 2));
        QTest::mouseClick(dialog->GetDlgItem<QPushButton>(IDOK), Qt::LeftButton);
    }
    // Sets the simulated server clock.
    void setServerClock(const QString &digits)
    {
        ASSERT_EQ(execute(QStringLiteral("SetTime ") + digits), QString());
    }
};

// --- rights -------------------------------------------------------------------

struct RightsCase {
    uint32_t rights;
    int menu;
    bool dateTime;
    bool shutdown;
    bool tclSession;
    bool configurationToolBar;
    bool configurationMenu;
    bool reportOption2;
};

class FrameRights : public MainFrameTest, public ::testing::WithParamInterface<RightsCase> {};

TEST_P(FrameRights, EnablesTheCommandsTheRightsAllow)
{
    const RightsCase &expected = GetParam();
    loginWithRights(expected.rights);

    EXPECT_EQ(m_frame->MenuId(), expected.menu);
    EXPECT_EQ(enabled(ID_DATE_TIME), expected.dateTime);
    EXPECT_EQ(enabled(ID_SHUTDOWN), expected.shutdown);
    EXPECT_EQ(menuHolds(ID_TCL_SESSION), expected.tclSession);
    EXPECT_TRUE(enabled(ID_TCL_SESSION)) << "always enabled; it opens a console for the top only";
    EXPECT_EQ(m_frame->ConfigurationToolBar() != nullptr, expected.configurationToolBar);
    EXPECT_EQ(enabled(ID_VIEW_CONFIG_TOOLBAR), expected.configurationToolBar);
    EXPECT_EQ(topMenu(CMenuResource::ConfigurationMenu)->isEnabled(), expected.configurationMenu);
    EXPECT_EQ(topMenu(CMenuResource::ReportsMenu)
                  ->menu()
                  ->actions()[CMenuResource::ReportOption2Position]
                  ->isEnabled(),
              expected.reportOption2);
    // Always there for whoever is logged in.
    EXPECT_TRUE(enabled(ID_CONNECT_TO_SERVER));
    EXPECT_TRUE(enabled(ID_ASR_SYNC));
    EXPECT_TRUE(enabled(ID_APP_EXIT));
    EXPECT_TRUE(enabled(ID_EDIT_UA_MAILBOX));
    EXPECT_TRUE(enabled(ID_EDIT_COS_MAILBOX));
    for (int id : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_PRINT_SETUP, ID_COPY_UA})
        EXPECT_TRUE(enabled(id)) << id;
    for (int page : {ID_CONFIG_INTEGRATION, ID_CONFIG_ANSWER_METHODS, ID_CONFIG_VOICE_PORTS,
                     ID_CONFIG_SERIAL_PORTS, ID_CONFIG_NOTIFY_GROUPS, ID_CONFIG_STAT_GROUPS,
                     ID_CONFIG_IVR_HOSTS, ID_CONFIG_HOLIDAYS, ID_CONFIG_SCHEDULER, ID_CONFIG_LANGUAGE})
        EXPECT_TRUE(enabled(page)) << page;
    EXPECT_EQ(enabled(ID_VOICE_PORT_STATUS), GetParam().rights >= 0x20000000u);
    // Report Option 1 and the template editors need level 0x10 and the
    // reports permission; Run Report says itself when it is not allowed.
    const bool reports = (GetParam().rights >> 24) >= 0x10 && (GetParam().rights & 0x20) != 0;
    for (int id : {ID_REPORT_OPTION1, ID_EDIT_TEMPLATE_MAILBOX, ID_EDIT_TEMPLATE_AMIS, ID_EDIT_TEMPLATE_VPIM})
        EXPECT_EQ(enabled(id), reports) << id;
    EXPECT_TRUE(enabled(ID_RUN_REPORT));
    for (int id : {ID_SYSTEM_PARAMETERS, ID_RUN_IVR_ALIAS, ID_MANAGE_ADMINS, ID_PROPERTY_EDITOR, ID_EDIT_UA_DISTLIST,
                   ID_CONFIG_WIZARD, ID_EDIT_UA_IVR, ID_EDIT_UA_AMIS_GATEWAY, ID_EDIT_UA_AMIS_PROXY})
        EXPECT_TRUE(enabled(id)) << id;
}

INSTANTIATE_TEST_SUITE_P(
    MainFrame, FrameRights,
    ::testing::Values(
        // rights, menu, date/time, shutdown, tcl, config toolbar, config menu, report option2
        RightsCase{0x80FFFFFFu, 120, true, true, true, true, true, true},
        RightsCase{0x80000000u, 120, false, true, true, false, true, true},
        RightsCase{0x40000000u, 236, false, true, false, false, true, true},
        RightsCase{0x20000000u, 236, false, false, false, false, false, true},
        RightsCase{0x20000089u, 236, true, true, false, true, true, true},
        RightsCase{0x10000020u, 216, false, true, false, false, true, true},
        RightsCase{0x10000001u, 216, false, true, false, false, true, false},
        RightsCase{0x100000FFu, 216, false, true, false, false, true, true}),
    [](const auto &info) {
        return QStringLiteral("Rights%1").arg(info.param.rights, 8, 16, QLatin1Char('0')).toStdString();
    });

TEST_F(MainFrameTest, ShowsTheServerInTheStatusBar)
{
    loginWithRights(0x80FFFFFFu);
    auto *pane = m_frame->statusBar()->findChild<QLabel *>(QStringLiteral("serverPane"));
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->text(), m_server->host());
}

TEST_F(MainFrameTest, ConfigurationToolbarCommandShowsAndHidesIt)
{
    loginWithRights(0x80FFFFFFu);
    ASSERT_NE(m_frame->ConfigurationToolBar(), nullptr);
    m_frame->UpdateCommandUI();
    EXPECT_TRUE(m_frame->CommandAction(ID_VIEW_CONFIG_TOOLBAR)->isChecked());
    EXPECT_TRUE(m_frame->OnCommand(ID_VIEW_CONFIG_TOOLBAR));
    EXPECT_TRUE(m_frame->ConfigurationToolBar()->isHidden());
    EXPECT_FALSE(m_frame->CommandAction(ID_VIEW_CONFIG_TOOLBAR)->isChecked());
    EXPECT_TRUE(m_frame->OnCommand(ID_VIEW_CONFIG_TOOLBAR));
    EXPECT_FALSE(m_frame->ConfigurationToolBar()->isHidden());
}

TEST_F(MainFrameTest, MenusShowTheKeysOfTheAcceleratorTableAndTheToolbarImages)
{
    loginWithRights(0x80FFFFFFu);
    QMenu *file = topMenu(CMenuResource::FileMenu)->menu();
    QStringList textsWhileOpen;
    QObject::connect(file, &QMenu::aboutToShow, file, [&] {
        QTimer::singleShot(0, file, [&] {
            for (QAction *item : file->actions())
                textsWhileOpen.append(item->text());
            file->hide();
        });
    });
    file->popup(m_frame->mapToGlobal(QPoint(10, 10)));
    ASSERT_TRUE(WaitFor([&] { return !textsWhileOpen.isEmpty(); }));
    EXPECT_TRUE(textsWhileOpen.contains(QStringLiteral("&New\tCtrl+N")));
    EXPECT_TRUE(textsWhileOpen.contains(QStringLiteral("&Open...\tCtrl+O")));
    EXPECT_EQ(m_frame->CommandAction(ID_FILE_NEW)->text(), QStringLiteral("&New"));
    EXPECT_FALSE(m_frame->CommandAction(ID_CONFIG_HOLIDAYS)->icon().isNull());
}

TEST_F(MainFrameTest, CloseWithoutConsolesClosesAtOnce)
{
    loginWithRights(0x20000000u);
    EXPECT_TRUE(m_frame->close());
    EXPECT_FALSE(m_frame->isVisible());
}

TEST_F(MainFrameTest, VoicePortStatusOpensOneWindowWithThePortsUntilItCloses)
{
    loginWithRights(0x20000000u);
    ASSERT_TRUE(enabled(ID_VOICE_PORT_STATUS));
    PostMessage(m_frame->GetSafeHwnd(), WM_COMMAND, ID_VOICE_PORT_STATUS, 0);
    CChanviewFrame *window = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        const auto children = m_frame->MdiArea()->subWindowList();
        window = children.isEmpty() ? nullptr : qobject_cast<CChanviewFrame *>(children.first());
        return window != nullptr;
    }));
    EXPECT_EQ(window->size(), QSize(CChanviewFrame::OpenWidth, CChanviewFrame::OpenHeight));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Voice Ports Status"));
    CPortStatusView *view = window->GetActiveView();
    ASSERT_TRUE(WaitFor([&] { return view->count() == 8; }));
    for (int row = 1; row < view->count(); ++row)
        EXPECT_LT(view->item(row - 1)->data(CPortRowList::PortRole).toInt(),
                  view->item(row)->data(CPortRowList::PortRole).toInt());

    const QString folder = qEnvironmentVariable("VERBANTA_BINARY_DIR") + "/screenshots";
    QDir().mkpath(folder);
    EXPECT_TRUE(m_frame->grab().save(folder + "/voice_port_status.png"));

    // A second window is refused while the first is open.
    EXPECT_FALSE(enabled(ID_VOICE_PORT_STATUS));
    EXPECT_FALSE(m_frame->OnCommand(ID_VOICE_PORT_STATUS));
    EXPECT_EQ(m_frame->MdiArea()->subWindowList().size(), 1);

    QPointer<CChanviewFrame> closing = window;
    window->close();
    ASSERT_TRUE(WaitFor([&] { return closing.isNull(); }));
    EXPECT_TRUE(m_frame->MdiArea()->subWindowList().isEmpty());
    EXPECT_TRUE(m_frame->CommandAction(ID_VOICE_PORT_STATUS)->isEnabled());
    ASSERT_TRUE(m_frame->OnCommand(ID_VOICE_PORT_STATUS));
    EXPECT_EQ(m_frame->MdiArea()->subWindowList().size(), 1);
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

TEST_F(MainFrameTest, EditUserAgentsAndEditCosOpenMailboxEditors)
{
    loginWithRights(0x80FFFFFFu);
    const auto titles = [&] {
        QStringList found;
        for (QMdiSubWindow *child : m_frame->MdiArea()->subWindowList())
            found.append(child->windowTitle());
        return found;
    };
    ASSERT_TRUE(m_frame->OnCommand(ID_EDIT_UA_MAILBOX));
    ASSERT_TRUE(m_frame->OnCommand(ID_EDIT_COS_MAILBOX));
    ASSERT_TRUE(m_frame->OnCommand(ID_EDIT_UA_MAILBOX));
    EXPECT_EQ(titles(), QStringList({"Mailbox Editor", "COS Mailbox Editor", "Mailbox Editor 2"}));

    auto *editor = qobject_cast<CChildFrame *>(m_frame->MdiArea()->subWindowList().last());
    ASSERT_NE(editor, nullptr);
    CMailboxPps *sheet = editor->GetActiveView()->Sheet();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return sheet->ListCtrl()->GetItemCount() > 300 && sheet->ShownNumber() != -1; }, 20000));
    sheet->ListCtrl()->SelectItem(sheet->ListCtrl()->FindItemByText("2001"));
    editor->showMaximized();
    QTest::qWait(300);
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();

    const QString folder = qEnvironmentVariable("VERBANTA_BINARY_DIR") + "/screenshots";
    QDir().mkpath(folder);
    EXPECT_TRUE(m_frame->grab().save(folder + "/mailbox_editor.png"));
}

// The "..." beside the class of service opens Select COS on the editor's
// own link, with no class preselected; the class chosen there is shown and,
// once confirmed, given to the box at once.
TEST_F(MainFrameTest, OptionsPageChoosesTheClassOfServiceThroughSelectCos)
{
    loginWithRights(0x80FFFFFFu);
    ASSERT_TRUE(m_frame->OnCommand(ID_EDIT_UA_MAILBOX));
    CMailboxPps *sheet = loadedEditor();
    ASSERT_NE(sheet, nullptr);
    CMailboxListCtrl *list = sheet->ListCtrl();
    const QModelIndex row = list->model()->index(list->FindItemByText("106"), 0);
    ASSERT_TRUE(row.isValid());
    list->scrollTo(row);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(row).center());
    ASSERT_TRUE(WaitFor([&] { return sheet->ShownNumber() == 106; }));
    auto *options = sheet->findChild<CMailboxOptionsPpg *>();
    ASSERT_NE(options, nullptr);
    auto *classes = options->GetDlgItem<QComboBox>(CMailboxOptionsPpg::IDC_COS);
    ASSERT_TRUE(WaitFor([&] { return classes->currentText() == "10"; }));
    m_server->clearLog();

    bool noCosChecked = false;
    m_dialogs.on<CSelectCOSDlg>([&](CSelectCOSDlg *d) {
        noCosChecked = d->GetDlgItem<QCheckBox>(CSelectCOSDlg::IDC_NO_COS)->isChecked();
        auto *tree = d->GetDlgItem<QTreeWidget>(CSelectCOSDlg::IDC_COS_TREE);
        tree->expandAll();
        const QList<QTreeWidgetItem *> found =
            tree->findItems(QStringLiteral("31 Field sales"), Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(found.size(), 1);
        tree->scrollToItem(found.first());
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(found.first()).center());
        QTest::mouseClick(d->GetDlgItem<QPushButton>(IDOK), Qt::LeftButton);
    });
    m_boxes->answer(IDYES);
    QTest::mouseClick(options->GetDlgItem<QPushButton>(CMailboxOptionsPpg::IDC_COS_MORE), Qt::LeftButton);
    EXPECT_EQ(m_dialogs.pending(), 0);
    EXPECT_TRUE(noCosChecked) << "opened with no class of service preselected";
    EXPECT_EQ(m_boxes->texts(), QStringList{"The change to COS 31 will be immediate. Proceed?"});
    EXPECT_EQ(classes->currentText(), "31");
    ASSERT_TRUE(WaitFor([&] { return sheet->Record().GetParentNumber() == 31; }));

    QStringList sent;
    QSet<int> links;
    for (const testserver::LoggedCommand &command : m_server->commandLog()) {
        sent.append(command.text.trimmed());
        links.insert(command.connection);
    }
    EXPECT_EQ(sent.mid(0, 2), (QStringList{"GetUA 2147483647", "GetCosAgents {MB} &Name1"}));
    EXPECT_EQ(sent.filter(QStringLiteral("SetUAParent")), QStringList{"SetUAParent 106 1 31"});
    EXPECT_FALSE(links.contains(1)) << "the editor's link, not the application's session";
}

// A mailbox root without its "COS" value reads as no root: the editors say
// so from the menu and open nothing, not even a session.
TEST_F(MainFrameTest, EditorsWithoutTheMailboxRootSayTheRootIsMissingAndOpenNothing)
{
    m_server->seed(QStringLiteral("ua 2147483647 -stamp 1 {&Name1 {MB root}}"));
    loginWithRights(0x80FFFFFFu);
    ASSERT_TRUE(m_app->RootText(CAdminApp::RootMailbox).isEmpty());
    const int links = m_server->connectionCount();
    m_boxes->answer({IDOK, IDOK});
    m_frame->CommandAction(ID_EDIT_UA_MAILBOX)->trigger();
    m_frame->CommandAction(ID_EDIT_COS_MAILBOX)->trigger();
    const QString missing = QStringLiteral(
        "Error in server database: System root does not exist.\nThe requested function can not be started.");
    EXPECT_EQ(m_boxes->texts(), QStringList({missing, missing}));
    EXPECT_TRUE(m_frame->MdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(m_server->connectionCount(), links);
}

TEST_F(MainFrameTest, EditorSwitchesUnifiedMessagingOnTheNotificationTheLoginRead)
{
    loginWithRights(0x80FFFFFFu);
    ASSERT_EQ(m_app->AimNormal(), QStringLiteral("22")) << "the demo server's notification";
    ASSERT_TRUE(m_frame->OnCommand(ID_EDIT_UA_MAILBOX));
    auto *editor = qobject_cast<CChildFrame *>(m_frame->MdiArea()->subWindowList().last());
    ASSERT_NE(editor, nullptr);
    CMailboxPps *sheet = editor->GetActiveView()->Sheet();
    ASSERT_TRUE(QTest::qWaitFor([&] { return sheet->ShownNumber() != -1; }, 20000));
    const long box = sheet->ShownNumber();

    sheet->SetPendingAction(CMailboxPps::ModeUnifiedOff);
    SendMessage(sheet->GetSafeHwnd(), CMailboxPps::WM_APPLY_USER_AGENT, 0, 0);

    EXPECT_EQ(sheet->Record().GetProperty("Nf_22_Disable"), QStringLiteral("1"));
    EXPECT_TRUE(execute(QStringLiteral("GetUA %1 Nf_22_Disable").arg(box))
                    .contains(QStringLiteral("Nf_22_Disable 1")));
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

TEST_F(MainFrameTest, ChangedSystemColoursReloadTheToolbarImages)
{
    loginWithRights(0x80FFFFFFu);
    QAction *mailbox = m_frame->CommandAction(ID_EDIT_UA_MAILBOX);
    const qint64 before = mailbox->icon().cacheKey();
    ASSERT_FALSE(mailbox->icon().isNull());
    QPalette palette = m_frame->palette();
    palette.setColor(QPalette::Window, Qt::darkCyan);
    m_frame->setPalette(palette);
    EXPECT_NE(mailbox->icon().cacheKey(), before);
    EXPECT_FALSE(mailbox->icon().isNull());
    EXPECT_EQ(m_frame->MenuManager()->Toolbars(), (QList<int>{IDR_MAINFRAME, IDR_CONFIG_TOOLBAR}));
}

TEST_F(MainFrameTest, RightClickOnARowOpensAnEditorOfThatBoxAloneAndTheCountGoesOn)
{
    loginWithRights(0x80FFFFFFu);
    ASSERT_TRUE(m_frame->OnCommand(ID_EDIT_UA_MAILBOX));
    CMailboxPps *sheet = loadedEditor();
    ASSERT_NE(sheet, nullptr);
    rightClickRow(sheet, QStringLiteral("2001"));
    ASSERT_TRUE(WaitFor([&] { return m_frame->MdiArea()->subWindowList().size() == 2; }));
    EXPECT_EQ(windowTitles(), QStringList({"Mailbox Editor", "Mailbox Editor 2"}));
    CMailboxPps *own = loadedEditor();
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(own->ShownNumber(), 2001);
    EXPECT_EQ(own->ListCtrl()->GetItemCount(), 1) << "that box alone";
    EXPECT_FALSE(own->IsCOSEditor());

    // Counted and list editors share the count, and a new login keeps it.
    ASSERT_TRUE(m_frame->OnCommand(ID_EDIT_UA_MAILBOX));
    EXPECT_EQ(windowTitles().last(), "Mailbox Editor 3");
    scriptLogin(QString::fromUtf8(kUser), QString::fromUtf8(kPassword));
    ASSERT_TRUE(m_frame->OnCommand(ID_CONNECT_TO_SERVER));
    ASSERT_TRUE(m_frame->OnCommand(ID_EDIT_UA_MAILBOX));
    EXPECT_TRUE(windowTitles().contains("Mailbox Editor 4")) << windowTitles().join('|').toStdString();
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

TEST_F(MainFrameTest, RightClickInAClassOfServiceEditorOpensAClassOfServiceEditor)
{
    loginWithRights(0x80FFFFFFu);
    ASSERT_TRUE(m_frame->OnCommand(ID_EDIT_COS_MAILBOX));
    CMailboxPps *sheet = loadedEditor();
    ASSERT_NE(sheet, nullptr);
    rightClickRow(sheet, QStringLiteral("20"));
    ASSERT_TRUE(WaitFor([&] { return m_frame->MdiArea()->subWindowList().size() == 2; }));
    EXPECT_EQ(windowTitles(), QStringList({"COS Mailbox Editor", "COS Mailbox Editor 2"}));
    CMailboxPps *own = loadedEditor();
    ASSERT_NE(own, nullptr);
    EXPECT_TRUE(own->IsCOSEditor());
    EXPECT_EQ(own->ShownNumber(), 20);
}

TEST_F(MainFrameTest, WindowMenuListsTheOpenWindowsAndActivatesTheChosenOne)
{
    loginWithRights(0x80FFFFFFu);
    ASSERT_TRUE(m_frame->OnCommand(ID_EDIT_UA_MAILBOX));
    ASSERT_TRUE(m_frame->OnCommand(ID_EDIT_COS_MAILBOX));
    QMenu *menu = topMenu(CMenuResource::WindowMenu)->menu();
    const auto listed = [menu] {
        QStringList items;
        for (QAction *item : menu->actions())
            if (!item->isSeparator())
                items << item->text().section('\t', 0, 0) + (item->isChecked() ? "*" : "");
        return items;
    };
    for (int round = 0; round < 2; ++round) { // opening again lists each window once
        menu->popup(QPoint(0, 0));
        EXPECT_EQ(listed(), QStringList({"&Cascade", "&Tile", "&Arrange Icons", "&1 Mailbox Editor",
                                         "&2 COS Mailbox Editor*"}));
        if (round == 0) {
            const QString folder = qEnvironmentVariable("VERBANTA_BINARY_DIR") + "/screenshots";
            QDir().mkpath(folder);
            EXPECT_TRUE(menu->grab().save(folder + "/mainframe-window-menu.png"));
        }
        menu->close();
    }
    // As a user chooses: the menu closes, its window comes back, the item runs.
    menu->popup(QPoint(0, 0));
    QAction *first = menu->actions()[menu->actions().size() - 2];
    menu->close();
    QTest::qWait(100);
    first->trigger();
    const auto activeTitle = [&] { return m_frame->MdiArea()->activeSubWindow()->windowTitle(); };
    EXPECT_TRUE(QTest::qWaitFor([&] { return activeTitle() == "Mailbox Editor"; }, 5000))
        << activeTitle().toStdString();
    QTest::qWait(100);
    EXPECT_EQ(activeTitle(), "Mailbox Editor");
}

// A report preview belongs to the frame: a window of its own that stays
// above the maximised frame when the frame is clicked, and is listed in the
// Window menu after the frame's windows, whence it comes back.
TEST_F(MainFrameTest, ReportPreviewsStayAboveTheFrameAndTheWindowMenuBringsThemBack)
{
    loginWithRights(0x80FFFFFFu);
    m_frame->showMaximized();
    ASSERT_TRUE(m_frame->OnCommand(ID_EDIT_UA_MAILBOX));
    loadedEditor();
    m_dialogs.on<CReportOptionDlg>(chooseSystemInformation);
    ASSERT_TRUE(m_frame->OnCommand(ID_REPORT_OPTION1));
    const QList<CReportPreviewWnd *> previews = m_app->GetReportEngine().Previews();
    ASSERT_EQ(previews.size(), 1);
    CReportPreviewWnd *preview = previews.first();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(preview));
    EXPECT_TRUE(preview->isWindow());
    EXPECT_EQ(preview->parentWidget(), m_frame.get());
    EXPECT_EQ(preview->windowHandle()->transientParent(), m_frame->windowHandle());

    QTest::mouseClick(m_frame->MdiArea()->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    m_frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame.get()));
    EXPECT_TRUE(preview->isVisible());

    QMenu *menu = topMenu(CMenuResource::WindowMenu)->menu();
    menu->popup(QPoint(0, 0));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    QStringList listed;
    for (QAction *item : menu->actions())
        if (!item->isSeparator())
            listed << item->text().section('\t', 0, 0);
    EXPECT_EQ(listed, QStringList({"&Cascade", "&Tile", "&Arrange Icons", "&1 Mailbox Editor",
                                   "&2 System Information"}));
    const QString folder = qEnvironmentVariable("VERBANTA_BINARY_DIR") + "/screenshots";
    QDir().mkpath(folder);
    EXPECT_TRUE(menu->grab().save(folder + "/mainframe-window-menu-with-preview.png"));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(menu->actions().last()).center());
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == preview; }, 5000));
}

TEST_F(MainFrameTest, StatusBarSaysReadyAgainWhenAWindowOpens)
{
    loginWithRights(0x80FFFFFFu);
    auto *ready = m_frame->statusBar()->findChild<QLabel *>("readyPane");
    ASSERT_NE(ready, nullptr);
    EXPECT_EQ(ready->text(), "Ready");
    EXPECT_TRUE(m_frame->statusBar()->currentMessage().isEmpty());
    ASSERT_TRUE(m_frame->OnCommand(ID_EDIT_UA_MAILBOX));
    m_frame->statusBar()->showMessage("Changes saved."); // an editor's message line
    ASSERT_TRUE(m_frame->OnCommand(ID_EDIT_COS_MAILBOX));
    EXPECT_TRUE(m_frame->statusBar()->currentMessage().isEmpty());
    EXPECT_TRUE(ready->isVisible());
}

// --- Date/Time ------------------------------------------------------------------

TEST_F(MainFrameTest, DateTimeShowsTheServerClockAndSetsTheChosenTime)
{
    loginWithRights(0x80FFFFFFu);
    setServerClock(QStringLiteral("07041999123456"));
    QDate shownDate;
    QTime shownTime;
    m_dialogs.on<CSystemClockDlg>([&](CSystemClockDlg *clock) {
        shownDate = clock->GetDlgItem<QDateEdit>(CSystemClockDlg::IDC_DATE)->date();
        shownTime = clock->GetDlgItem<QTimeEdit>(CSystemClockDlg::IDC_TIME)->time();
        clock->GetDlgItem<QDateEdit>(CSystemClockDlg::IDC_DATE)->setDate(QDate(2001, 2, 3));
        clock->GetDlgItem<QTimeEdit>(CSystemClockDlg::IDC_TIME)->setTime(QTime(4, 5, 6));
        clock->GetDlgItem<QPushButton>(IDOK)->click();
    });
    m_server->clearLog();

    ASSERT_TRUE(m_frame->OnCommand(ID_DATE_TIME));

    EXPECT_EQ(shownDate, QDate(1999, 7, 4));
    EXPECT_EQ(shownTime.hour(), 12);
    EXPECT_EQ(shownTime.minute(), 34);
    EXPECT_EQ(commands(), (QStringList{QStringLiteral("GetTime"), QStringLiteral("SetTime 02032001040506")}));
    EXPECT_TRUE(m_boxes->texts().isEmpty());
}

TEST_F(MainFrameTest, DateTimeCancelledSetsNothing)
{
    loginWithRights(0x80FFFFFFu);
    m_dialogs.on<CSystemClockDlg>(
        [](CSystemClockDlg *clock) { clock->GetDlgItem<QPushButton>(IDCANCEL)->click(); });
    m_server->clearLog();
    ASSERT_TRUE(m_frame->OnCommand(ID_DATE_TIME));
    EXPECT_EQ(commands(), QStringList{QStringLiteral("GetTime")});
}

TEST_F(MainFrameTest, DateTimeShowsAnErrorReplyAndEnds)
{
    loginWithRights(0x80FFFFFFu);
    m_server->failCommand(QStringLiteral("GetTime"), QStringLiteral("clock unreadable"));
    m_boxes->answer(IDOK);
    ASSERT_TRUE(m_frame->OnCommand(ID_DATE_TIME));
    ASSERT_EQ(m_boxes->texts().size(), 1);
    EXPECT_TRUE(m_boxes->texts()[0].startsWith(QLatin1Char('!')));
    EXPECT_TRUE(m_boxes->texts()[0].contains(QStringLiteral("clock unreadable")));
    EXPECT_EQ(m_dialogs.pending(), 0);
}

class BadServerTime : public MainFrameTest, public ::testing::WithParamInterface<const char *> {};

TEST_P(BadServerTime, IsRefusedBeforeTheClockDialogShows)
{
    loginWithRights(0x80FFFFFFu);
    // The link's own interpreter answers GetTime from now on.
    execute(
        QStringLiteral("proc GetTime {} {return [list GetTime {%1}]}").arg(QString::fromUtf8(GetParam())));
    m_boxes->answer(IDOK);
    m_server->clearLog();

    ASSERT_TRUE(m_frame->OnCommand(ID_DATE_TIME));

    ASSERT_EQ(m_boxes->texts().size(), 1);
    EXPECT_TRUE(m_boxes->texts()[0].contains(QStringLiteral("is not a date and time")))
        << m_boxes->texts()[0].toStdString();
    EXPECT_EQ(commands(), QStringList{QStringLiteral("GetTime")});
}

INSTANTIATE_TEST_SUITE_P(MainFrame, BadServerTime,
                         ::testing::Values("", "1210202609324", "121020260932430", "12a02026093243",
                                           "13102026093243", "00102026093243", "02302026093243",
                                           "12102026243243", "12102026096043", "12102026093260",
                                           "+2102026093243"));

// A reply of megabytes reaches the message quoted in part, with its length:
// laid out whole it froze the interface for seconds and pushed OK off the screen.
TEST_F(MainFrameTest, DateTimeQuotesAHugeReplyInPartWithItsLength)
{
    loginWithRights(0x80FFFFFFu);
    QStringList elements;
    for (int i = 0; i < 100000; ++i)
        elements << QString::number(i);
    const struct {
        const char *name;
        QString reply;
    } cases[] = {{"a 2 MB word", QString(2 * 1024 * 1024, QLatin1Char('w'))},
                 {"100 000 elements", elements.join(QLatin1Char(' '))}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        m_server->answerCommand(QStringLiteral("GetTime"), QStringLiteral("GetTime ") + c.reply);
        m_boxes->answer(IDOK);
        const int shown = int(m_boxes->texts().size());
        ASSERT_TRUE(m_frame->OnCommand(ID_DATE_TIME));
        ASSERT_EQ(m_boxes->texts().size(), shown + 1);
        const QString text = m_boxes->texts().last();
        EXPECT_TRUE(text.startsWith(QStringLiteral("The server's clock answered \"") + c.reply.left(100)));
        EXPECT_TRUE(text.contains(QStringLiteral("… (%1 characters)").arg(c.reply.size() + 61)))
            << text.toStdString();
        EXPECT_LE(text.size(), 400);
    }
}

// --- Shutdown and the lost server ----------------------------------------------

TEST_F(MainFrameTest, ShutdownWithoutThePermissionIsRefused)
{
    loginWithRights(0x10000000u);
    m_boxes->answer(IDOK);
    m_server->clearLog();
    ASSERT_TRUE(m_frame->OnCommand(ID_SHUTDOWN));
    EXPECT_EQ(m_boxes->texts(), QStringList{QStringLiteral("You are not allowed to perform shutdown")});
    EXPECT_TRUE(commands().isEmpty());
}

TEST_F(MainFrameTest, ShutdownAnsweredNoSendsNothing)
{
    loginWithRights(0x80FFFFFFu);
    m_boxes->answer(IDNO);
    m_server->clearLog();
    ASSERT_TRUE(m_frame->OnCommand(ID_SHUTDOWN));
    EXPECT_EQ(m_boxes->texts(), QStringList{QStringLiteral("Are you sure you want to shutdown the server?")});
    EXPECT_TRUE(commands().isEmpty());
}

TEST_F(MainFrameTest, ShutdownRefusedByTheServerShowsWhyAndGoesOn)
{
    loginWithRights(0x80FFFFFFu);
    m_server->failCommand(QStringLiteral("OSShutdown"), QStringLiteral("not now"));
    m_boxes->answer({IDYES, IDOK});
    ASSERT_TRUE(m_frame->OnCommand(ID_SHUTDOWN));
    ASSERT_EQ(m_boxes->texts().size(), 2);
    EXPECT_TRUE(m_boxes->texts()[1].contains(QStringLiteral("not now")));
    EXPECT_TRUE(m_frame->isVisible());
}

using MainFrameDeathTest = MainFrameTest;

TEST_F(MainFrameDeathTest, ShutdownSendsTheCommandAndEndsTheProgramWithItsMessage)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            loginWithRights(0x80FFFFFFu);
            m_boxes->answer({IDYES, IDOK});
            m_frame->OnCommand(ID_SHUTDOWN);
        },
        ::testing::ExitedWithCode(0), "Server Shutdown occured, Admin will be closed");
}

TEST_F(MainFrameDeathTest, LostServerWhileAModalDialogIsOpenEndsTheProgramWithItsMessage)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            loginWithRights(0x80FFFFFFu);
            m_boxes->answer(IDOK);
            m_dialogs.on<CSystemClockDlg>([this](CSystemClockDlg *) { m_server->dropLinks(); });
            m_frame->OnCommand(ID_DATE_TIME);
            // Only the lost server ends the clock dialog.
            std::fprintf(stderr, "the clock dialog ended\n");
            std::exit(3);
        },
        ::testing::ExitedWithCode(0), "Server Shutdown occured, Admin will be closed");
}

// --- ASR Sync ------------------------------------------------------------------------

TEST_F(MainFrameTest, AsrSyncRunsTheDirectoryScriptAndSaysItIsDone)
{
    loginWithRights(0x80FFFFFFu);
    m_boxes->answer({IDYES, IDOK});
    m_server->clearLog();
    ASSERT_TRUE(m_frame->OnCommand(ID_ASR_SYNC));
    ASSERT_TRUE(WaitFor([&] { return m_boxes->texts().size() == 2; }));
    EXPECT_EQ(m_boxes->texts(),
              (QStringList{QStringLiteral("Do you want to synchronize directories for ASR AA?"),
                           QStringLiteral("Synchronization is successfully done")}));
    EXPECT_EQ(commands(),
              (QStringList{QStringLiteral("GetAliasList"), QStringLiteral("GetAlias ASRAADirectorySync"),
                           QStringLiteral("source ${sys_tcl_library_path}/asr_aa_data/makedir.tcl")}));
}

TEST_F(MainFrameTest, AsrSyncFailureShowsTheReasonAfterTheFirstColon)
{
    loginWithRights(0x80FFFFFFu);
    // The link's own interpreter answers the script with an error of its own.
    execute(QStringLiteral("proc source {path} {return {!ERROR makedir.tcl: directory locked}}"));
    m_boxes->answer({IDYES, IDOK});
    ASSERT_TRUE(m_frame->OnCommand(ID_ASR_SYNC));
    ASSERT_TRUE(WaitFor([&] { return m_boxes->texts().size() == 2; }));
    EXPECT_EQ(m_boxes->texts()[1], QStringLiteral("directory locked"));
}

TEST_F(MainFrameTest, AsrSyncFailureWithoutAColonShowsTheWholeReply)
{
    loginWithRights(0x80FFFFFFu);
    m_server->failCommand(QStringLiteral("source"), QStringLiteral("directory locked"));
    m_boxes->answer({IDYES, IDOK});
    ASSERT_TRUE(m_frame->OnCommand(ID_ASR_SYNC));
    ASSERT_TRUE(WaitFor([&] { return m_boxes->texts().size() == 2; }));
    EXPECT_EQ(m_boxes->texts()[1], QStringLiteral("!ERROR directory locked"));
}

TEST_F(MainFrameTest, AsrSyncWithoutTheAliasSaysItIsNotAvailable)
{
    loginWithRights(0x80FFFFFFu);
    ASSERT_FALSE(execute(QStringLiteral("RemoveAlias ASRAADirectorySync")).startsWith(QLatin1Char('!')));
    m_boxes->answer(IDOK);
    m_server->clearLog();
    ASSERT_TRUE(m_frame->OnCommand(ID_ASR_SYNC));
    EXPECT_EQ(m_boxes->texts(), QStringList{QStringLiteral("ASR AA is not available in the server.")});
    EXPECT_EQ(commands(), QStringList{QStringLiteral("GetAliasList")});
}

// --- consoles, closing and logging in again ----------------------------------------

TEST_F(MainFrameTest, TclSessionOpensAConsoleOnASessionOfItsOwn)
{
    loginWithRights(0x80FFFFFFu);
    const int links = m_server->connectionCount();
    ASSERT_TRUE(m_frame->OnCommand(ID_TCL_SESSION));
    ASSERT_EQ(m_frame->Consoles().size(), 1);
    EXPECT_EQ(m_server->connectionCount(), links + 1);
    auto *console = dynamic_cast<CTclSessionDlg *>(CMessageTarget::FromHandle(m_frame->Consoles()[0]));
    ASSERT_NE(console, nullptr);
    EXPECT_TRUE(console->isVisible());
}

// --- creating and deleting over ranges ---------------------------------------

// Types `range` into the dialog's range box and clicks OK once the dialog is
// the top window, from the event loop, so the dialogs it opens are scripted.
template <class Dialog> void TypeRangeAndClickOk(Dialog *d, int rangeId, const QString &range)
{
    d->template GetDlgItem<QLineEdit>(rangeId)->setText(range);
    QTimer::singleShot(0, d,
                       [d] { QTest::mouseClick(d->template GetDlgItem<QPushButton>(IDOK), Qt::LeftButton); });
}

TEST_F(MainFrameTest, CreateMailboxesRunsOnASessionOfItsOwnAndOpensTheEditorOnWhatWasCreated)
{
    loginWithRights(0x80FFFFFFu);
    EXPECT_TRUE(enabled(ID_CREATE_UA_MAILBOX));
    EXPECT_TRUE(enabled(ID_CREATE_COS_MAILBOX));
    EXPECT_TRUE(enabled(ID_CREATE_UA_DISTLIST));
    EXPECT_TRUE(enabled(ID_DELETE_UAS));
    const int links = m_server->connectionCount();
    m_dialogs.on<CCreateUserAgentDlg>([](CCreateUserAgentDlg *d) {
        TypeRangeAndClickOk(d, CCreateUserAgentDlg::IDC_RANGE, QStringLiteral("3500-3502"));
    });
    m_dialogs.on<CCreateProgressDlg>([](CCreateProgressDlg *p) {
        EXPECT_TRUE(WaitFor([p] { return !p->IsRunning(); }));
        QTest::mouseClick(p->GetDlgItem<QPushButton>(IDOK), Qt::LeftButton);
    });
    m_frame->CommandAction(ID_CREATE_UA_MAILBOX)->trigger();
    EXPECT_EQ(m_dialogs.pending(), 0);
    // The dialog's link has ended; the editor keeps its own.
    EXPECT_EQ(m_server->connectionCount(), links + 1);
    QSet<int> creators;
    for (const testserver::LoggedCommand &command : m_server->commandLog())
        if (command.text.startsWith(QLatin1String("CreateUAFromAdmin ")))
            creators.insert(command.connection);
    EXPECT_EQ(creators.size(), 1);
    EXPECT_FALSE(creators.contains(1)) << "not the application's session";
    for (int number : {3500, 3501, 3502})
        EXPECT_FALSE(IsErrorReply(execute(QStringLiteral("GetUA %1").arg(number)))) << number;
    const QList<QMdiSubWindow *> editors = m_frame->MdiArea()->subWindowList();
    ASSERT_EQ(editors.size(), 1);
    auto *editor = qobject_cast<CChildFrame *>(editors.first());
    ASSERT_NE(editor, nullptr);
    CMailboxPps *sheet = editor->GetActiveView()->Sheet();
    ASSERT_TRUE(QTest::qWaitFor([&] { return sheet->ListCtrl()->GetItemCount() == 3; }, 20000));
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

// The editor's Copy button copies the shown box on a link of its own and
// opens a mailbox editor on the copies.
TEST_F(MainFrameTest, EditorCopyButtonCopiesTheShownBoxAndOpensTheEditorOnTheCopies)
{
    loginWithRights(0x80FFFFFFu);
    ASSERT_TRUE(m_frame->OnCommand(ID_EDIT_UA_MAILBOX));
    CMailboxPps *sheet = loadedEditor();
    ASSERT_NE(sheet, nullptr);
    CMailboxListCtrl *list = sheet->ListCtrl();
    const QModelIndex row = list->model()->index(list->FindItemByText("100"), 0);
    ASSERT_TRUE(row.isValid());
    list->scrollTo(row);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(row).center());
    ASSERT_TRUE(WaitFor([&] { return sheet->ShownNumber() == 100; }));
    m_server->clearLog();

    QString from;
    m_dialogs.on<CCopyUserAgentDlg>([&](CCopyUserAgentDlg *d) {
        from = d->GetDlgItem<QLineEdit>(CCopyUserAgentDlg::IDC_FROM)->text();
        TypeRangeAndClickOk(d, CCopyUserAgentDlg::IDC_TO, QStringLiteral("600-602"));
    });
    m_dialogs.on<CCreateProgressDlg>([](CCreateProgressDlg *p) {
        EXPECT_TRUE(WaitFor([p] { return !p->IsRunning(); }));
        QTest::mouseClick(p->GetDlgItem<QPushButton>(IDOK), Qt::LeftButton);
    });
    auto *copy = sheet->GetDlgItem<QPushButton>(CMailboxPps::IDC_COPY);
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(copy->isVisible());
    QTest::mouseClick(copy, Qt::LeftButton);
    EXPECT_EQ(m_dialogs.pending(), 0);
    EXPECT_EQ(from, QStringLiteral("100"));

    QStringList copies;
    for (const testserver::LoggedCommand &command : m_server->commandLog())
        if (command.text.startsWith(QLatin1String("CreateUAFromAdmin ")))
            copies.append(command.text.section(u' ', 3, 9));
    EXPECT_EQ(copies, (QStringList{"600 100 -1 2147483647 -1 0 2", "601 100 -1 2147483647 -1 0 2",
                                   "602 100 -1 2147483647 -1 0 2"}));
    EXPECT_EQ(windowTitles().size(), 2);
    CMailboxPps *copied = loadedEditor();
    ASSERT_NE(copied, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return copied->ListCtrl()->GetItemCount() == 3; }, 20000));
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

// With the mailbox editor active, its own buttons take their mnemonics
// before the menu bar: Alt+R refreshes (the box and the list asked again on
// the editor's link), Alt+C opens Copy; a mnemonic the editor has no button
// for opens the menu bar's menu.
TEST_F(MainFrameTest, EditorButtonsTakeTheirMnemonicsBeforeTheMenuBar)
{
    loginWithRights(0x80FFFFFFu);
    ASSERT_TRUE(m_frame->OnCommand(ID_EDIT_UA_MAILBOX));
    CMailboxPps *sheet = loadedEditor();
    ASSERT_NE(sheet, nullptr);
    m_frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame.get()));
    QWidget *focus = sheet->ListCtrl();
    focus->setFocus();
    const long shown = sheet->ShownNumber();
    m_server->clearLog();
    const auto received = [this](const QString &word) {
        QStringList found;
        for (const QString &text : m_server->commandTexts())
            if (text.startsWith(word))
                found.append(text);
        return found;
    };

    QTest::keyClick(focus, Qt::Key_R, Qt::AltModifier);
    const QString refresh = QStringLiteral("GetUA %1").arg(shown);
    EXPECT_TRUE(WaitFor([&] { return received(QStringLiteral("GetUA ")).contains(refresh); }))
        << m_server->commandTexts().join('|').toStdString();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "no menu opened";

    focus->setFocus();
    QTest::keyClick(focus, Qt::Key_W, Qt::AltModifier);
    EXPECT_TRUE(WaitFor([] { return QApplication::activePopupWidget() != nullptr; }));
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->menuAction()->text(), QStringLiteral("&Window"));
    menu->close();

    bool copyOpened = false;
    m_dialogs.on<CCopyUserAgentDlg>([&](CCopyUserAgentDlg *d) {
        copyOpened = true;
        QTest::mouseClick(d->GetDlgItem<QPushButton>(IDCANCEL), Qt::LeftButton);
    });
    focus->setFocus();
    QTest::keyClick(focus, Qt::Key_C, Qt::AltModifier);
    EXPECT_TRUE(WaitFor([&] { return copyOpened; }));
    EXPECT_EQ(m_dialogs.pending(), 0);
}

// Ctrl+PgDn, Ctrl+PgUp, Ctrl+Tab and Ctrl+Shift+Tab turn the editor's pages
// while the focus is inside it; the frame's window switching keeps away.
TEST_F(MainFrameTest, PageKeysTurnTheEditorsPagesInsteadOfSwitchingWindows)
{
    loginWithRights(0x80FFFFFFu);
    ASSERT_TRUE(m_frame->OnCommand(ID_EDIT_UA_MAILBOX));
    ASSERT_NE(loadedEditor(), nullptr);
    ASSERT_TRUE(m_frame->OnCommand(ID_EDIT_UA_MAILBOX));
    CMailboxPps *sheet = loadedEditor();
    ASSERT_NE(sheet, nullptr);
    QMdiSubWindow *active = m_frame->MdiArea()->activeSubWindow();
    m_frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame.get()));
    sheet->ListCtrl()->setFocus();
    ASSERT_EQ(sheet->GetActiveIndex(), 0);

    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int page;
    } steps[] = {
        {Qt::Key_PageDown, Qt::ControlModifier, 1},
        {Qt::Key_Tab, Qt::ControlModifier, 2},
        {Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier, 1},
        {Qt::Key_PageUp, Qt::ControlModifier, 0},
        {Qt::Key_PageUp, Qt::ControlModifier, sheet->GetPageCount() - 1},
    };
    for (const auto &step : steps) {
        QWidget *focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        ASSERT_TRUE(sheet->isAncestorOf(focus));
        QTest::keyClick(focus, step.key, step.modifiers);
        QTest::keyRelease(focus, Qt::Key_Control);
        EXPECT_EQ(sheet->GetActiveIndex(), step.page);
        EXPECT_EQ(m_frame->MdiArea()->activeSubWindow(), active);
    }
}

TEST_F(MainFrameTest, DeleteUserAgentsKeepsADepartmentAdministratorToTheAccountsRange)
{
    loginWithRights(0x10000030u, QStringLiteral("100-105 200"));
    EXPECT_TRUE(enabled(ID_DELETE_UAS));
    m_boxes->answer({IDOK, IDYES});
    m_dialogs.on<CDeleteUserAgentsDlg>([](CDeleteUserAgentsDlg *d) {
        auto *range = d->GetDlgItem<QLineEdit>(CDeleteUserAgentsDlg::IDC_RANGE);
        range->setText(QStringLiteral("104-106"));
        QTest::mouseClick(d->GetDlgItem<QPushButton>(IDOK), Qt::LeftButton);
        EXPECT_TRUE(d->isVisible());
        TypeRangeAndClickOk(d, CDeleteUserAgentsDlg::IDC_RANGE, QStringLiteral("104-105"));
    });
    m_dialogs.on<CDeleteProgressDlg>([](CDeleteProgressDlg *p) {
        EXPECT_TRUE(WaitFor([p] { return !p->IsRunning(); }));
        QTest::mouseClick(p->GetDlgItem<QPushButton>(IDOK), Qt::LeftButton);
    });
    m_frame->CommandAction(ID_DELETE_UAS)->trigger();
    EXPECT_EQ(m_dialogs.pending(), 0);
    EXPECT_EQ(m_boxes->texts(),
              (QStringList{
                  "You are unable to delete Mail Boxes out of your defined range.  Please select a new range",
                  "Delete 2 user agents?"}));
    EXPECT_TRUE(IsErrorReply(execute(QStringLiteral("GetUA 104"))));
    EXPECT_TRUE(IsErrorReply(execute(QStringLiteral("GetUA 105"))));
}

TEST_F(MainFrameTest, TclSessionBelowTheTopAdministratorOpensNothing)
{
    loginWithRights(0x40000000u);
    const int links = m_server->connectionCount();
    EXPECT_TRUE(m_frame->OnCommand(ID_TCL_SESSION));
    EXPECT_TRUE(m_frame->Consoles().isEmpty());
    EXPECT_EQ(m_server->connectionCount(), links);
    EXPECT_TRUE(m_boxes->texts().isEmpty());
}

TEST_F(MainFrameTest, ReportOptionRunsOnASessionOfItsOwnAndEndsIt)
{
    loginWithRights(0x80FFFFFFu);
    const int links = m_server->connectionCount();
    int linksWhileOpen = 0;
    m_dialogs.on<CReportOptionDlg>([&](CReportOptionDlg *dialog) {
        linksWhileOpen = m_server->connectionCount();
        chooseSystemInformation(dialog);
    });
    m_server->clearLog();
    ASSERT_TRUE(m_frame->OnCommand(ID_REPORT_OPTION1));
    EXPECT_EQ(m_dialogs.pending(), 0);
    EXPECT_EQ(linksWhileOpen, links + 1);
    ASSERT_TRUE(WaitFor([&] { return m_server->connectionCount() == links; }));
    const QList<testserver::LoggedCommand> log = m_server->commandLog();
    ASSERT_FALSE(log.isEmpty());
    EXPECT_EQ(log.last().text.trimmed(), "Tcl_MailboxInfoReportNoASR {-1} {-1}");
    EXPECT_GT(log.last().connection, 1);
    EXPECT_EQ(m_app->GetReportEngine().Previews().size(), 1);
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

TEST_F(MainFrameTest, ReportCommandsAreGreyedWhileTheReportEngineIsClosed)
{
    loginWithRights(0x80FFFFFFu);
    const int reports[] = {ID_REPORT_OPTION1, ID_EDIT_TEMPLATE_MAILBOX, ID_EDIT_TEMPLATE_AMIS, ID_EDIT_TEMPLATE_VPIM,
                           ID_RUN_REPORT};
    for (int id : reports)
        EXPECT_TRUE(enabled(id)) << id;
    m_app->GetReportEngine().Close();
    for (int id : reports)
        EXPECT_FALSE(enabled(id)) << id;
}

TEST_F(MainFrameTest, RunReportWithoutTheReportsPermissionSaysSo)
{
    loginWithRights(0x10000001u);
    m_boxes->answer(IDOK);
    ASSERT_TRUE(m_frame->OnCommand(ID_RUN_REPORT));
    EXPECT_EQ(m_boxes->texts(), QStringList{"You are not allowed to run reports"});
}

TEST_F(MainFrameTest, RunReportAndTheTemplateEditorsOpenTheirDialogs)
{
    loginWithRights(0x80FFFFFFu);
    m_dialogs.on<CRptAmisTemplate>([](CRptAmisTemplate *editor) {
        QTest::mouseClick(editor->GetDlgItem<QPushButton>(IDCANCEL), Qt::LeftButton);
    });
    ASSERT_TRUE(m_frame->OnCommand(ID_EDIT_TEMPLATE_AMIS));
    EXPECT_EQ(m_dialogs.pending(), 0);
    // With no template yet, Generate Reports says so and ends.
    m_boxes->answer(IDOK);
    ASSERT_TRUE(m_frame->OnCommand(ID_RUN_REPORT));
    EXPECT_EQ(m_boxes->texts(), QStringList{"You must create a template file before running report"});
}

TEST_F(MainFrameTest, CloseWaitsForTheConsolesAndThenCloses)
{
    loginWithRights(0x80FFFFFFu);
    ASSERT_TRUE(m_frame->OnCommand(ID_TCL_SESSION));
    ASSERT_TRUE(m_frame->OnCommand(ID_TCL_SESSION));
    ASSERT_EQ(m_frame->Consoles().size(), 2);

    EXPECT_FALSE(m_frame->close());
    EXPECT_TRUE(m_frame->isVisible());

    ASSERT_TRUE(WaitFor([&] { return !m_frame->isVisible(); }));
    EXPECT_TRUE(m_frame->Consoles().isEmpty());
    EXPECT_TRUE(m_boxes->texts().isEmpty()); // the consoles' links ended as asked
}

TEST_F(MainFrameTest, ConnectToServerLogsInAgainAndRebuildsForTheNewRights)
{
    loginWithRights(0x80FFFFFFu);
    ASSERT_TRUE(m_frame->OnCommand(ID_TCL_SESSION));
    m_server->setAccount(QStringLiteral("department"), QStringLiteral("dept-pw"), 0x10000020u,
                         QStringLiteral("100-199"));
    scriptLogin(QStringLiteral("department"), QStringLiteral("dept-pw"));

    ASSERT_TRUE(m_frame->OnCommand(ID_CONNECT_TO_SERVER));

    EXPECT_EQ(m_frame->MenuId(), 216);
    EXPECT_FALSE(menuHolds(ID_TCL_SESSION));
    EXPECT_EQ(m_frame->ConfigurationToolBar(), nullptr);
    EXPECT_EQ(m_frame->ServerText(), m_server->host());
    ASSERT_TRUE(WaitFor([&] { return m_frame->Consoles().isEmpty(); }));
    EXPECT_TRUE(m_boxes->texts().isEmpty());
}

TEST_F(MainFrameTest, ConnectToServerCancelledKeepsEverything)
{
    loginWithRights(0x80FFFFFFu);
    ASSERT_TRUE(m_frame->OnCommand(ID_TCL_SESSION));
    m_dialogs.on<CLoginDlg>([](CLoginDlg *dialog) { dialog->GetDlgItem<QPushButton>(IDCANCEL)->click(); });

    ASSERT_TRUE(m_frame->OnCommand(ID_CONNECT_TO_SERVER));

    EXPECT_EQ(m_frame->MenuId(), 120);
    EXPECT_EQ(m_frame->Consoles().size(), 1);
}

// A Connect to Server whose login batch fails after the new link is up.
struct FailedReconnection {
    const char *name;
    void (*breakBatch)(testserver::SimulatorProcess &server);
    void (*mendBatch)(testserver::SimulatorProcess &server);
};

class FrameReconnection : public MainFrameTest, public ::testing::WithParamInterface<FailedReconnection> {};

TEST_P(FrameReconnection, ThatFailsLeavesTheOldSessionRightsAndRootsForTheEditors)
{
    loginWithRights(0x80FFFFFFu);
    ASSERT_TRUE(m_frame->OnCommand(ID_EDIT_UA_MAILBOX));
    ASSERT_EQ(m_frame->MdiArea()->subWindowList().size(), 1);
    const CZELTSession *session = m_app->GetSession();
    const QString root = m_app->RootText(CAdminApp::RootMailbox);
    ASSERT_FALSE(root.isEmpty());

    m_server->setAccount(QStringLiteral("department"), QStringLiteral("dept-pw"), 0x10000020u,
                         QStringLiteral("100-199"));
    scriptLogin(QStringLiteral("department"), QStringLiteral("dept-pw"));
    GetParam().breakBatch(*m_server);
    m_boxes->answer(IDOK);
    ASSERT_TRUE(m_frame->OnCommand(ID_CONNECT_TO_SERVER));
    GetParam().mendBatch(*m_server);
    EXPECT_EQ(m_boxes->texts(), QStringList{"Error in receiving initialization data from the server. The "
                                            "program can not be started."});

    EXPECT_EQ(m_app->GetSession(), session);
    EXPECT_EQ(m_app->GetSession()->GetState(), CZELTSession::StateConnected);
    EXPECT_EQ(m_app->Rights(), 0x80FFFFFFu);
    EXPECT_EQ(m_app->MainMenuId(), 120);
    EXPECT_EQ(m_app->RootText(CAdminApp::RootMailbox), root);
    EXPECT_EQ(m_app->User(), QString::fromUtf8(kUser));
    EXPECT_EQ(m_frame->MenuId(), 120);

    // The editors go on with the session they were made on.
    ASSERT_TRUE(m_frame->OnCommand(ID_EDIT_UA_MAILBOX));
    ASSERT_EQ(m_frame->MdiArea()->subWindowList().size(), 2);
    auto *editor = qobject_cast<CChildFrame *>(m_frame->MdiArea()->subWindowList().last());
    ASSERT_NE(editor, nullptr);
    CMailboxPps *sheet = editor->GetActiveView()->Sheet();
    EXPECT_TRUE(QTest::qWaitFor([&] { return sheet->ShownNumber() != -1; }, 20000));
    EXPECT_EQ(execute(QStringLiteral("set a 6")), "6");
    EXPECT_EQ(m_boxes->texts().size(), 1) << m_boxes->texts().join('|').toStdString();
}

const FailedReconnection kFailedReconnections[] = {
    {"ErrorReply", [](testserver::SimulatorProcess &server) { server.failCommand("set", "no batch today"); },
     [](testserver::SimulatorProcess &server) { server.clearFailure("set"); }},
    {"UnreadableReply", [](testserver::SimulatorProcess &server) { server.answerCommand("set", "set {abc"); },
     [](testserver::SimulatorProcess &server) { server.clearAnswer("set"); }},
};

INSTANTIATE_TEST_SUITE_P(Batches, FrameReconnection, testing::ValuesIn(kFailedReconnections),
                         [](const auto &info) { return std::string(info.param.name); });

// --- screenshots -----------------------------------------------------------------

void saveSettled(QWidget *window, const QString &name)
{
    QTest::qWait(50);
    ASSERT_TRUE(SaveScreenshot(window, name)) << name.toStdString();
}

// One application a test: its end stops the process-wide reply dispatchers.
TEST_F(MainFrameTest, ScreenshotsOfTheTopAdministratorsFrameAndMenus)
{
    loginWithRights(0x80FFFFFFu);
    m_frame->resize(1000, 640);
    saveSettled(m_frame.get(), QStringLiteral("mainframe-top-administrator.png"));
    for (auto [position, name] :
         {std::pair{int(CMenuResource::FileMenu), "mainframe-file-menu.png"},
          std::pair{int(CMenuResource::ToolsMenu), "mainframe-tools-menu.png"},
          std::pair{int(CMenuResource::ConfigurationMenu), "mainframe-configuration-menu.png"}}) {
        QMenu *menu = topMenu(position)->menu();
        menu->popup(m_frame->mapToGlobal(QPoint(120, 30)));
        saveSettled(menu, QString::fromUtf8(name));
        menu->hide();
    }
}

TEST_F(MainFrameTest, ScreenshotOfTheDepartmentAdministratorsFrame)
{
    loginWithRights(0x10000001u);
    m_frame->resize(1000, 640);
    saveSettled(m_frame.get(), QStringLiteral("mainframe-department-administrator.png"));
    // Without the reports permission the Report Option2 popup is greyed.
    QMenu *reports = topMenu(CMenuResource::ReportsMenu)->menu();
    reports->popup(m_frame->mapToGlobal(QPoint(180, 30)));
    saveSettled(reports, QStringLiteral("mainframe-department-reports-menu.png"));
    reports->hide();
}

TEST_F(MainFrameTest, ScreenshotsOfTheClockDialogAndTheConsole)
{
    loginWithRights(0x80FFFFFFu);
    setServerClock(QStringLiteral("12102026093243"));
    m_dialogs.on<CSystemClockDlg>([](CSystemClockDlg *clock) {
        saveSettled(clock, QStringLiteral("clock-dialog.png"));
        clock->GetDlgItem<QPushButton>(IDCANCEL)->click();
    });
    ASSERT_TRUE(m_frame->OnCommand(ID_DATE_TIME));

    ASSERT_TRUE(m_frame->OnCommand(ID_TCL_SESSION));
    auto *console = dynamic_cast<CTclSessionDlg *>(CMessageTarget::FromHandle(m_frame->Consoles()[0]));
    ASSERT_NE(console, nullptr);
    console->GetDlgItem<QLineEdit>(CTclSessionDlg::IDC_COMMAND)
        ->setText(QStringLiteral("GetUA 999 &Name1 &Ext"));
    console->GetDlgItem<QPushButton>(IDOK)->click();
    ASSERT_TRUE(WaitFor([&] { return !console->IsWaitingForReply(); }));
    saveSettled(console, QStringLiteral("tcl-console.png"));
}

TEST_F(MainFrameTest, ScreenshotOfTheLoginDialog)
{
    m_app = std::make_unique<CAdminApp>(patientSettings());
    m_dialogs.on<CLoginDlg>([this](CLoginDlg *dialog) {
        dialog->GetDlgItem<QComboBox>(CLoginDlg::IDC_COMPUTER)->setEditText(m_server->host());
        dialog->GetDlgItem<QLineEdit>(CLoginDlg::IDC_NAME)->setText(QStringLiteral("Cardomel"));
        saveSettled(dialog, QStringLiteral("login-dialog.png"));
        dialog->GetDlgItem<QPushButton>(IDCANCEL)->click();
    });
    EXPECT_FALSE(m_app->Login());
}

// --- the File menu: New, Open, Print Setup --------------------------------------

// The names New offers, after it was chosen from the menu; Cancel opens nothing.
QStringList OfferedByNew(CMainFrame &frame, DialogScript &dialogs)
{
    QStringList offered;
    dialogs.on<CNewTypeDlg>([&](CNewTypeDlg *d) {
        auto *types = d->GetDlgItem<QListWidget>(CNewTypeDlg::IDC_TYPES);
        for (int row = 0; row < types->count(); ++row)
            offered.append(types->item(row)->text());
        QTest::mouseClick(d->GetDlgItem<QPushButton>(IDCANCEL), Qt::LeftButton);
    });
    frame.CommandAction(ID_FILE_NEW)->trigger();
    EXPECT_EQ(dialogs.pending(), 0);
    return offered;
}

TEST_F(MainFrameTest, NewOffersTheWindowsTheseRightsOpenAndOpensTheChosenOneAsItsCommandDoes)
{
    loginWithRights(0x80FFFFFFu);
    for (int id : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_PRINT_SETUP}) {
        EXPECT_TRUE(menuHolds(id)) << id;
        EXPECT_TRUE(enabled(id)) << id;
    }
    EXPECT_EQ(OfferedByNew(*m_frame, m_dialogs), (QStringList{"Voice Ports Status", "Mailbox Editor", "COS Mailbox Editor",
                                                              "System Parameters", "Distribution List"}));
    EXPECT_TRUE(windowTitles().isEmpty());

    // A click on a name and OK, then a double click: the editors are counted
    // as their menu commands count them.
    const auto choose = [&](const QString &name, bool doubleClick) {
        m_dialogs.on<CNewTypeDlg>([name, doubleClick](CNewTypeDlg *d) {
            auto *types = d->GetDlgItem<QListWidget>(CNewTypeDlg::IDC_TYPES);
            EXPECT_EQ(types->currentRow(), 0) << "the first kind is chosen at first";
            const QList<QListWidgetItem *> found = types->findItems(name, Qt::MatchExactly);
            ASSERT_EQ(found.size(), 1) << name.toStdString();
            const QPoint at = types->visualItemRect(found.first()).center();
            if (doubleClick) {
                QTest::mouseClick(types->viewport(), Qt::LeftButton, {}, at);
                QTest::mouseDClick(types->viewport(), Qt::LeftButton, {}, at);
                return;
            }
            saveSettled(d, QStringLiteral("file-new-dialog.png"));
            QTest::mouseClick(types->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseClick(d->GetDlgItem<QPushButton>(IDOK), Qt::LeftButton);
        });
        m_frame->CommandAction(ID_FILE_NEW)->trigger();
        EXPECT_EQ(m_dialogs.pending(), 0);
    };
    // Each editor's first box is awaited before New is chosen again: a click
    // made while admin waits for the server is dropped, as a user's is.
    ASSERT_TRUE(m_frame->OnCommand(ID_EDIT_UA_MAILBOX));
    loadedEditor();
    choose(QStringLiteral("Mailbox Editor"), false);
    loadedEditor();
    choose(QStringLiteral("COS Mailbox Editor"), true);
    loadedEditor();
    EXPECT_EQ(windowTitles(), (QStringList{"Mailbox Editor", "Mailbox Editor 2", "COS Mailbox Editor"}));

    // The port status window opens once; while it is open New no longer offers it.
    choose(QStringLiteral("Voice Ports Status"), false);
    EXPECT_EQ(windowTitles().size(), 4);
    EXPECT_TRUE(qobject_cast<CChanviewFrame *>(m_frame->MdiArea()->subWindowList().last()));
    EXPECT_EQ(OfferedByNew(*m_frame, m_dialogs),
              (QStringList{"Mailbox Editor", "COS Mailbox Editor", "System Parameters", "Distribution List"}));
    EXPECT_EQ(windowTitles().size(), 4);
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

TEST_F(MainFrameTest, NewDoesNotOfferTheVoicePortStatusBelowItsRights)
{
    loginWithRights(0x10000030u, QStringLiteral("100-105"));
    EXPECT_EQ(OfferedByNew(*m_frame, m_dialogs),
              (QStringList{"Mailbox Editor", "COS Mailbox Editor", "System Parameters", "Distribution List"}));
    EXPECT_TRUE(windowTitles().isEmpty());
}

// No window of admin is kept in a file: whatever file is chosen, the
// refusal is said and nothing opens; Cancel says nothing.
TEST_F(MainFrameTest, OpenRefusesEveryFileAndOpensNoWindow)
{
    loginWithRights(0x80FFFFFFu);
    const QString path = m_folder.filePath(QStringLiteral("mailboxes.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("106\n");
    file.close();
    const int links = m_server->connectionCount();
    m_server->clearLog();

    m_dialogs.on<QFileDialog>([](QFileDialog *d) { d->reject(); });
    m_frame->CommandAction(ID_FILE_OPEN)->trigger();
    EXPECT_EQ(m_dialogs.pending(), 0);
    EXPECT_TRUE(m_boxes->texts().isEmpty());

    QString caption;
    m_dialogs.on<QFileDialog>([&](QFileDialog *d) {
        caption = d->windowTitle();
        d->selectFile(path);
        static_cast<QDialog *>(d)->accept(); // the file dialog's own accept checks the file
    });
    m_boxes->answer(IDOK);
    m_frame->CommandAction(ID_FILE_OPEN)->trigger();
    EXPECT_EQ(m_dialogs.pending(), 0);
    EXPECT_EQ(caption, "Open");
    EXPECT_EQ(m_boxes->texts(), QStringList{"Failed to open document."});
    EXPECT_TRUE(windowTitles().isEmpty());
    EXPECT_EQ(m_server->connectionCount(), links);
    EXPECT_TRUE(m_server->commandLog().isEmpty());
}

// Print Setup changes the program's one printer setting on OK alone, and
// each report preview opened after it shows and prints on a copy of it.
TEST_F(MainFrameTest, PrintSetupSetsThePrinterTheReportPreviewPrintsOn)
{
    loginWithRights(0x80FFFFFFu);
    QPrinter &printer = m_app->GetReportEngine().Printer();
    printer.setPageSize(QPageSize(QPageSize::A4));
    ASSERT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
    const auto choose = [](CPrintSetupDlg *d, int button) {
        auto *printers = d->GetDlgItem<QComboBox>(CPrintSetupDlg::IDC_PRINTER);
        EXPECT_EQ(printers->itemText(printers->count() - 1), CPrintSetupDlg::PdfFileEntry());
        printers->setCurrentIndex(printers->count() - 1);
        auto *paper = d->GetDlgItem<QComboBox>(CPrintSetupDlg::IDC_PAPER_SIZE);
        EXPECT_EQ(paper->currentData().value<QPageSize>().id(), QPageSize::A4) << "the setting's paper first";
        paper->setCurrentIndex(paper->findData(QVariant::fromValue(QPageSize(QPageSize::Letter))));
        auto *landscape = d->GetDlgItem<QRadioButton>(CPrintSetupDlg::IDC_LANDSCAPE);
        QTest::mouseClick(landscape, Qt::LeftButton, {}, QPoint(8, landscape->height() / 2));
        if (button == IDOK)
            saveSettled(d, QStringLiteral("print-setup-dialog.png"));
        QTest::mouseClick(d->GetDlgItem<QPushButton>(button), Qt::LeftButton);
    };
    m_dialogs.on<CPrintSetupDlg>([&](CPrintSetupDlg *d) { choose(d, IDCANCEL); });
    m_frame->CommandAction(ID_FILE_PRINT_SETUP)->trigger();
    EXPECT_EQ(m_dialogs.pending(), 0);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);

    QString caption;
    m_dialogs.on<CPrintSetupDlg>([&](CPrintSetupDlg *d) {
        caption = d->windowTitle();
        choose(d, IDOK);
    });
    m_frame->CommandAction(ID_FILE_PRINT_SETUP)->trigger();
    EXPECT_EQ(m_dialogs.pending(), 0);
    EXPECT_EQ(caption, "Print Setup");
    EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::Letter);

    m_dialogs.on<CReportOptionDlg>(chooseSystemInformation);
    ASSERT_TRUE(m_frame->OnCommand(ID_REPORT_OPTION1));
    const QList<CReportPreviewWnd *> previews = m_app->GetReportEngine().Previews();
    ASSERT_EQ(previews.size(), 1);
    // The preview prints on a printer of its own made from the setting.
    const QPrinter *shown = previews.first()->printer();
    EXPECT_NE(shown, &printer);
    EXPECT_EQ(shown->outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(shown->pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(shown->pageLayout().pageSize().id(), QPageSize::Letter);
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

// --- Copy User Agent from the Edit menu -----------------------------------------

// The menu's Copy User Agent runs on a link of its own with an empty From
// box; the editor opens on the copies as after the sheet's Copy.
TEST_F(MainFrameTest, CopyUserAgentFromTheMenuCopiesTheNamedBoxAndOpensTheEditorOnTheCopies)
{
    loginWithRights(0x80FFFFFFu);
    EXPECT_TRUE(menuHolds(ID_COPY_UA));
    EXPECT_TRUE(enabled(ID_COPY_UA));
    const int links = m_server->connectionCount();
    m_server->clearLog();

    QString from = QStringLiteral("unread");
    bool withoutParent = false;
    int linksWhileOpen = 0;
    m_dialogs.on<CCopyUserAgentDlg>([&](CCopyUserAgentDlg *d) {
        linksWhileOpen = m_server->connectionCount();
        withoutParent = d->parentWidget() == nullptr;
        auto *fromBox = d->GetDlgItem<QLineEdit>(CCopyUserAgentDlg::IDC_FROM);
        from = fromBox->text();
        QTest::keyClicks(fromBox, QStringLiteral("101"));
        auto *to = d->GetDlgItem<QLineEdit>(CCopyUserAgentDlg::IDC_TO);
        QTest::keyClicks(to, QStringLiteral("620-621"));
        QTimer::singleShot(0, d,
                           [d] { QTest::mouseClick(d->GetDlgItem<QPushButton>(IDOK), Qt::LeftButton); });
    });
    m_dialogs.on<CCreateProgressDlg>([](CCreateProgressDlg *p) {
        EXPECT_TRUE(WaitFor([p] { return !p->IsRunning(); }));
        QTest::mouseClick(p->GetDlgItem<QPushButton>(IDOK), Qt::LeftButton);
    });
    m_frame->CommandAction(ID_COPY_UA)->trigger();
    EXPECT_EQ(m_dialogs.pending(), 0);
    EXPECT_EQ(from, QString());
    EXPECT_TRUE(withoutParent);
    EXPECT_EQ(linksWhileOpen, links + 1);

    QStringList copies;
    QSet<int> copiers;
    for (const testserver::LoggedCommand &command : m_server->commandLog())
        if (command.text.startsWith(QLatin1String("CreateUAFromAdmin "))) {
            copies.append(command.text.section(u' ', 3, 9));
            copiers.insert(command.connection);
        }
    EXPECT_EQ(copies, (QStringList{"620 101 -1 2147483647 -1 0 2", "621 101 -1 2147483647 -1 0 2"}));
    EXPECT_EQ(copiers.size(), 1);
    EXPECT_FALSE(copiers.contains(1)) << "not the application's session";
    ASSERT_EQ(windowTitles().size(), 1);
    CMailboxPps *copied = loadedEditor();
    ASSERT_NE(copied, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return copied->ListCtrl()->GetItemCount() == 2; }, 20000));
    // The dialog's link has ended; the editor keeps its own.
    EXPECT_TRUE(WaitFor([&] { return m_server->connectionCount() == links + 1; }));
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

// --- the login mailbox's security code ------------------------------------------

struct SecurityCodeCase {
    const char *name;
    const char *user;   // the account logged in with
    long box;           // the box whose code the options page changes
    bool remembered;    // whether the new code becomes the login's
};

const SecurityCodeCase kSecurityCodeCases[] = {
    {"TheLoginMailbox", "106", 106, true},
    {"AnotherBox", "106", 101, false},
    {"AnAccountThatIsNoBox", "frameadmin", 106, false},
};

class LoginMailboxCode : public MainFrameTest, public ::testing::WithParamInterface<SecurityCodeCase> {};

// A new security code typed into the real options page of the login
// mailbox becomes the password the program logs in with, and the remembered
// one; any other box's code leaves both.
TEST_P(LoginMailboxCode, ANewCodeOfTheLoginMailboxBecomesTheRememberedPassword)
{
    const SecurityCodeCase &c = GetParam();
    const QString password = QStringLiteral("1234");
    loginAs(QString::fromUtf8(c.user), password, 0x80FFFFFFu, QStringLiteral("All"), true);
    ASSERT_EQ(m_app->LoadSavedPassword(), password);
    ASSERT_TRUE(m_frame->OnCommand(ID_EDIT_UA_MAILBOX));
    CMailboxPps *sheet = loadedEditor();
    ASSERT_NE(sheet, nullptr);
    CMailboxListCtrl *list = sheet->ListCtrl();
    const QModelIndex row = list->model()->index(list->FindItemByText(QString::number(c.box)), 0);
    ASSERT_TRUE(row.isValid());
    list->scrollTo(row);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(row).center());
    ASSERT_TRUE(WaitFor([&] { return sheet->ShownNumber() == c.box; }));
    auto *options = sheet->findChild<CMailboxOptionsPpg *>();
    ASSERT_NE(options, nullptr);
    m_server->clearLog();

    m_dialogs.on<CChangeSecurityCodeDlg>([](CChangeSecurityCodeDlg *d) {
        QTest::keyClicks(d->GetDlgItem<QLineEdit>(CChangeSecurityCodeDlg::IDC_CONFIRM_VALUE),
                         QStringLiteral("98765"));
        QTest::mouseClick(d->GetDlgItem<QPushButton>(IDOK), Qt::LeftButton);
    });
    m_frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame.get()));
    auto *code = options->GetDlgItem<QLineEdit>(CMailboxOptionsPpg::IDC_SECURITY_CODE);
    code->setFocus();
    code->selectAll();
    QTest::keyClicks(code, QStringLiteral("98765"));
    options->GetDlgItem(CMailboxOptionsPpg::IDC_COMMENT)->setFocus();
    ASSERT_TRUE(WaitFor([&] { return m_dialogs.pending() == 0; }));

    const QStringList sent = m_server->commandTexts().filter(QStringLiteral("SetUASAC"));
    ASSERT_EQ(sent.size(), 1);
    EXPECT_TRUE(sent.first().startsWith(QStringLiteral("SetUASAC %1 ").arg(c.box))) << sent.first().toStdString();
    const QString expected = c.remembered ? QStringLiteral("98765") : password;
    EXPECT_EQ(m_app->Password(), expected);
    EXPECT_EQ(m_app->LoadSavedPassword(), expected);
    EXPECT_EQ(readLoginSetting(QStringLiteral("SavePassword")), "1");

    // The server takes from now on the password the program kept: a new
    // editor logs in with it.
    m_server->setAccount(QString::fromUtf8(c.user), expected, 0x80FFFFFFu, QStringLiteral("All"));
    const int links = m_server->connectionCount();
    ASSERT_TRUE(m_frame->OnCommand(ID_EDIT_UA_MAILBOX));
    EXPECT_EQ(windowTitles().size(), 2);
    EXPECT_EQ(m_server->connectionCount(), links + 1);
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Boxes, LoginMailboxCode, testing::ValuesIn(kSecurityCodeCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
