// The main frame; see mainframe.h. Commands are dispatched through one table
// of handlers: a command id without a handler stays greyed, as the framework
// greys a command nobody handles. The rights tests sit in allowedByRights, the
// tests of the moment (a toolbar that exists, a window to close) in
// availableNow; UpdateCommandUI applies both to every action.
//
// One-shot server commands (GetTime, SetTime, OSShutdown, GetAliasList,
// GetAlias) run on the application's session and block the user-interface
// thread until their reply, as every such command of the program does.
#include "admin/app/mainframe.h"

#include "admin/app/adminapp.h"
#include "admin/app/administratorlistdlg.h"
#include "admin/app/changesecuritycodedlg.h"
#include "admin/app/commandids.h"
#include "admin/app/commandtable.h"
#include "admin/app/configwizardaccess.h"
#include "admin/app/coolmenumanager.h"
#include "admin/app/lostserverexit.h"
#include "admin/app/menuresource.h"
#include "admin/app/newtypedlg.h"
#include "admin/app/printsetupdlg.h"
#include "admin/app/startupappsdlg.h"
#include "admin/app/tclsessiondlg.h"
#include "admin/app/toolbarresource.h"
#include "admin/uatools/agents/configamisuadlg.h"
#include "admin/config/window/configdoctemplate.h"
#include "admin/config/window/configpropframe.h"
#include "admin/config/window/configpropsheet.h"
#include "admin/config/params/configsystemparamchildwnd.h"
#include "admin/config/params/configsystemparamtemplate.h"
#include "admin/config/wizard/configwizardpropsheet.h"
#include "admin/ports/chanviewframe.h"
#include "admin/ports/portstatusdoc.h"
#include "admin/reports/reportoptiondlg.h"
#include "admin/reports/reportpreviewwnd.h"
#include "admin/reports/templates/rptamistemplate.h"
#include "admin/reports/templates/rptmbtemplate.h"
#include "admin/reports/templates/runreport.h"
#include "admin/reports/templates/vpimtemplate.h"
#include "admin/res/applicationicon.h"
#include "admin/session/serverexitnotice.h"
#include "admin/session/tcllist.h"
#include "admin/session/zeltsession.h"
#include "admin/session/zltexception.h"
#include "admin/session/zltexceptionlogindeclined.h"
#include "admin/uatools/agents/configvpimuseragentsdlg.h"
#include "admin/uatools/ranges/copyuseragentdlg.h"
#include "admin/uatools/ranges/createuseragentdlg.h"
#include "admin/uatools/ranges/deleteuseragentsdlg.h"
#include "admin/uatools/agents/directsenduadlg.h"
#include "admin/uatools/aliases/ivraliaseditordlg.h"
#include "admin/uatools/agents/ivruseragentsdlg.h"
#include "admin/uatools/aliases/notifytemplateeditordlg.h"
#include "admin/uatools/distlist/distlistframe.h"
#include "admin/uatools/propedit/propeditframe.h"
#include "admin/uatools/ranges/selectcosdlg.h"
#include "admin/uatools/ranges/uakinds.h"
#include "admin/useragents/admintemplate.h"
#include "admin/useragents/adminview.h"
#include "admin/useragents/childframe.h"
#include "admin/useragents/cosdoc.h"
#include "admin/useragents/pages/mailboxpages.h"
#include "admin/useragents/useragent.h"
#include "admin/widgets/configurationmenu.h"
#include "admin/widgets/systemclockdlg.h"
#include "platform/mfc/propertypage.h"
#include "platform/msgbox/msgbox.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <optional>

namespace {

// The numbers the logged-in account may create and delete; no check at all
// for an account that manages every user agent.
CRangeBox::AllowedCheck allowedUserAgents()
{
    const CAdminApp &app = theApp();
    if (app.AllowsAllUserAgents())
        return {};
    CRangeList allowed;
    app.GetAllowedUserAgents(allowed);
    return [allowed](const CRangeList &numbers) { return allowed.ContainsAll(numbers); };
}

// What the logged-in account lets an editor reach, and the server's texts
// read at login that its fields need; `rememberSecurityCode` takes a new
// code of the login mailbox.
CAdminDoc::Account editorAccount(const CAdminApp &app,
                                 std::function<void(const QString &)> rememberSecurityCode)
{
    const CAdminApp *account = &app;
    CAdminDoc::Account editor{[account](long number) { return account->IsUserAgentAllowed(number); },
                              app.AllowsAllUserAgents(), app.Rights(),
                              [account](const QString &name) { return account->EventVariable(name); }};
    // What the mailbox pages need of the application.
    CMailboxPageServices services;
    services.userApps = app.UserApps();
    services.applicationChannel = app.GetSession();
    services.mailboxRootText = app.RootText(CAdminApp::RootMailbox);
    services.profile = CProfile::inRegistry(QLatin1String(CAdminApp::RegistryKey),
                                            QLatin1String(CAdminApp::ApplicationName));
    if (app.GetSession())
        services.serverTimeZone = app.GetSession()->ServerTimeZone();
    services.loginMailbox = app.LoginMailbox();
    services.rememberSecurityCode = std::move(rememberSecurityCode);
    services.askSecurityCode = [](QWidget *parent, const QString &typed) -> std::optional<QString> {
        CChangeSecurityCodeDlg dialog(parent, typed);
        if (dialog.DoModal() != IDOK)
            return std::nullopt;
        return dialog.NewValue();
    };
    services.selectCos = [](QWidget *parent, CServerCommandChannel &channel, long root,
                            long current) -> std::optional<long> {
        CSelectCOSDlg dialog(channel, qint32(root), parent);
        dialog.SetSelectedNumber(qint32(current));
        if (dialog.DoModal() != IDOK)
            return std::nullopt;
        return dialog.GetSelectedNumber();
    };
    for (const CNotificationEvent &event : app.NotificationEvents())
        services.notificationEvents.append({int(event.code), event.name});
    services.notificationApps = app.NotificationApps();
    services.tuiDisabledApps = app.TuiDisabledApps();
    services.rights = app.Rights();
    services.openTemplateEditor = [account](QWidget *parent) {
        if (!account->GetSession())
            return;
        CNotifyTemplateEditorDlg dialog(*account->GetSession(),
                                        CLoginCredentials{account->Host(), account->User(), account->Password()},
                                        account->NotificationApps(), account->Rights(), parent);
        dialog.DoModal();
    };
    editor.pages = [services](CMailboxPps &sheet) { return CMailboxPages::Make(sheet, services); };
    return editor;
}

// Texts the frame shows, and the commands it sends.
const char *const kServerShutdown = "Server Shutdown occured, Admin will be closed";
const char *const kLoginFailed = "Fail to login, Admin will be closed";
const char *const kShutdownNotAllowed = "You are not allowed to perform shutdown";
const char *const kReportsNotAllowed = "You are not allowed to run reports";
const char *const kShutdownQuestion = "Are you sure you want to shutdown the server?";
const char *const kAsrNotAvailable = "ASR AA is not available in the server.";
const char *const kAsrQuestion = "Do you want to synchronize directories for ASR AA?";
const char *const kAsrDone = "Synchronization is successfully done";
const char *const kBadServerTime = "The server's clock answered \"%1\", which is not a date and time.";
const char *const kNoSystemRoot =
    "Error in server database: System root does not exist.\nThe requested function can not be started.";
const char *const kFailedToOpenDocument = "Failed to open document.";
const char *const kAsrAlias = "ASRAADirectorySync";
const char *const kPropertyEditorWarning =
    "The Property Editor is a powerful and dangerous utility that allows direct access to all attributes of "
    "user agents (which could cause a User Agent to stop functioning properly). It is intended for use only "
    "for specialized operations by experienced personnel. Do you want to proceed?";
const char *const kAsrSyncScript = "source ${sys_tcl_library_path}/asr_aa_data/makedir.tcl";
// The request code of the ASR synchronisation reply: the id of its string.
constexpr WPARAM kAsrSyncRequest = 0xF0B8;

// The windows File New offers, in the order the application makes their
// templates; each opens as its own command opens it, and only while that
// command is enabled. The configuration window is not among them: it opens
// on one of its pages, from the Configuration menu.
struct NewWindowKind {
    const char *name;
    int command;
};
constexpr NewWindowKind kNewWindowKinds[] = {
    {"Voice Ports Status", ID_VOICE_PORT_STATUS},
    {"Mailbox Editor", ID_EDIT_UA_MAILBOX},
    {"COS Mailbox Editor", ID_EDIT_COS_MAILBOX},
    {"System Parameters", ID_SYSTEM_PARAMETERS},
    {"Distribution List", ID_EDIT_UA_DISTLIST},
};

constexpr uint32_t kTopAdministrator = 0x80000000u;
constexpr int kToolbarUpdateMs = 250;
// The configuration pages' commands, in the Configuration menu's order.
constexpr int kConfigurationPages[] = {
    ID_CONFIG_INTEGRATION,   ID_CONFIG_ANSWER_METHODS, ID_CONFIG_VOICE_PORTS, ID_CONFIG_SERIAL_PORTS,
    ID_CONFIG_NOTIFY_GROUPS, ID_CONFIG_STAT_GROUPS,    ID_CONFIG_IVR_HOSTS,   ID_CONFIG_HOLIDAYS,
    ID_CONFIG_SCHEDULER,     ID_CONFIG_LANGUAGE};

// The wait cursor of a command that blocks until the server answers.
class CWaitCursor {
public:
    CWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~CWaitCursor() { QApplication::restoreOverrideCursor(); }
    CWaitCursor(const CWaitCursor &) = delete;
    CWaitCursor &operator=(const CWaitCursor &) = delete;
};

// Whether the login found the system root of a kind of user agent; a window
// for a kind without one would work on nothing, so it is refused with the
// database message.
bool systemRootExists(const CAdminApp &app, CAdminApp::UserAgentRoot root)
{
    if (!app.RootText(root).isEmpty())
        return true;
    AfxMessageBox(QString::fromUtf8(kNoSystemRoot));
    return false;
}

// "MMDDYYYYhhmmss" in the server's time zone (the program's local time since
// login); nothing unless all fourteen characters are digits and every field
// is in range.
std::optional<QDateTime> parseServerTime(const QString &reply)
{
    if (reply.size() != 14)
        return std::nullopt;
    for (QChar c : reply)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    const auto field = [&](int from, int length) { return reply.mid(from, length).toInt(); };
    const QDate date(field(4, 4), field(0, 2), field(2, 2));
    const QTime time(field(8, 2), field(10, 2), field(12, 2));
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(date, time, Qt::LocalTime);
}

QString formatSetTime(const QDateTime &when)
{
    const QDate date = when.date();
    const QTime time = when.time();
    return QString::asprintf("SetTime %02d%02d%04d%02d%02d%02d", date.month(), date.day(), date.year(),
                             time.hour(), time.minute(), time.second());
}

} // namespace

CMainFrame::CMainFrame()
    : CMessageTarget(this), m_mdiArea(new QMdiArea(this)), m_menuManager(new CCoolMenuManager(this))
{
    setWindowTitle(QStringLiteral("Admin"));
    setWindowIcon(ApplicationIcon());
    m_mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdiArea);
    // A window that opens or comes forward clears the message line: the
    // status bar says "Ready" again.
    connect(m_mdiArea, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow *window) {
        if (window)
            statusBar()->clearMessage();
    });
    createActions();
    registerHandlers();
    addWindowKeys();
    m_configTemplate = std::make_unique<CConfigDocTemplate>(*this);
    theApp().GetReportEngine().SetPreviewOwner(this);

    auto *toolbarUpdate = new QTimer(this);
    connect(toolbarUpdate, &QTimer::timeout, this, &CMainFrame::UpdateCommandUI);
    toolbarUpdate->start(kToolbarUpdateMs);
}

CMainFrame::~CMainFrame()
{
    unregisterWindow();
    // The windows go while the frame is whole: a closing window tells the
    // frame to bring its commands up to date.
    qDeleteAll(m_mdiArea->subWindowList());
}

// --- building the frame ------------------------------------------------------

void CMainFrame::ShowAtFirstSize()
{
    if (const QScreen *own = screen())
        setGeometry(own->availableGeometry());
    showMaximized();
}

bool CMainFrame::LoadFrame(int menuId)
{
    const CAdminApp &app = theApp();
    const bool configurationToolBar =
        app.RightsLevel() > 0x10 && app.HasPermission(CAdminApp::PermissionConfiguration);

    m_menuManager->Destroy();
    if (!m_menuManager->LoadToolbar(IDR_MAINFRAME))
        return false;
    if (configurationToolBar && !m_menuManager->LoadToolbar(IDR_CONFIG_TOOLBAR))
        return false;
    if (!buildMenus(menuId))
        return false;
    m_menuId = menuId;

    if (!m_adminToolBar) {
        m_adminToolBar = makeToolBar(IDR_MAINFRAME, tr("Administration Tools"));
        addToolBar(Qt::TopToolBarArea, m_adminToolBar);
    }
    if (configurationToolBar && !m_configToolBar) {
        // On the same row, after the Administration Tools.
        m_configToolBar = makeToolBar(IDR_CONFIG_TOOLBAR, tr("Configuration Tools"));
        addToolBar(Qt::TopToolBarArea, m_configToolBar);
    } else if (!configurationToolBar && m_configToolBar) {
        removeToolBar(m_configToolBar);
        delete m_configToolBar;
        m_configToolBar = nullptr;
    }
    for (QToolBar *toolBar : {m_adminToolBar, m_configToolBar})
        if (toolBar)
            for (QAction *button : toolBar->actions())
                m_menuManager->ApplyImage(button);
    if (!m_serverPane)
        buildStatusBar();

    CServerExitNotice::SetMainWindow(GetSafeHwnd());
    m_closing = false;
    UpdateCommandUI();
    return true;
}

void CMainFrame::createActions()
{
    for (const CommandEntry &entry : CCommandTable::Entries()) {
        auto *action = new QAction(QString::fromUtf8(entry.text), this);
        SetCommandId(action, entry.id);
        action->setStatusTip(QString::fromUtf8(entry.prompt));
        action->setToolTip(QString::fromUtf8(entry.prompt));
        action->setShortcuts(CAcceleratorTable::MainFrame().KeysOf(entry.id));
        const int id = entry.id;
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        addAction(action); // the keys work wherever the focus is in the frame
        m_actions.insert(id, action);
    }
    for (int id : {ID_VIEW_TOOLBAR, ID_VIEW_CONFIG_TOOLBAR, ID_VIEW_STATUS_BAR})
        m_actions.value(id)->setCheckable(true);
    for (int id : kConfigurationPages)
        m_actions.value(id)->setCheckable(true);
}

void CMainFrame::addWindowKeys()
{
    // A key of the window system the program was written for, not a command
    // of its menus: F10 opens the menu bar, the way to a menu whose Alt key
    // a window in the frame takes for a button of its own.
    auto *menuBarKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuBarKey, &QShortcut::activated, this, &CMainFrame::openMenuBar);
}

bool CMainFrame::event(QEvent *event)
{
    // Ctrl+F4 closes the active MDI window, which asks about its unsaved
    // edits as its close box does. The frame takes the key before any
    // shortcut: Qt gives it to an MDI window's own Close only where the
    // desktop's key scheme has it (not on X11, which has Ctrl+W), and there
    // the two would be ambiguous and neither would act.
    const QEvent::Type type = event->type();
    if (type == QEvent::ShortcutOverride || type == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_F4)) {
            event->accept();
            if (type == QEvent::KeyPress)
                m_mdiArea->closeActiveSubWindow();
            return true;
        }
    }
    return QMainWindow::event(event);
}

void CMainFrame::openMenuBar()
{
    // Its first menu that can open; the arrow keys go on from there.
    for (QAction *menu : menuBar()->actions()) {
        if (menu->isEnabled() && menu->isVisible()) {
            menuBar()->setActiveAction(menu);
            return;
        }
    }
}

void CMainFrame::registerHandlers()
{
    m_handlers = {
        {ID_CONNECT_TO_SERVER, &CMainFrame::OnConnectToServer},
        {ID_EDIT_UA_MAILBOX, &CMainFrame::OnEditUserAgents},
        {ID_EDIT_COS_MAILBOX, &CMainFrame::OnEditCos},
        {ID_VOICE_PORT_STATUS, &CMainFrame::OnVoicePortStatus},
        {ID_TCL_SESSION, &CMainFrame::OnTclSession},
        {ID_CONFIG_WIZARD, &CMainFrame::OnConfigWizard},
        {ID_DATE_TIME, &CMainFrame::OnDateTime},
        {ID_SHUTDOWN, &CMainFrame::OnShutdown},
        {ID_ASR_SYNC, &CMainFrame::OnAsrSync},
        {ID_REPORT_OPTION1, &CMainFrame::OnReportOption1},
        {ID_EDIT_TEMPLATE_MAILBOX, &CMainFrame::OnEditMailboxTemplate},
        {ID_EDIT_TEMPLATE_AMIS, &CMainFrame::OnEditAmisTemplate},
        {ID_EDIT_TEMPLATE_VPIM, &CMainFrame::OnEditVpimTemplate},
        {ID_RUN_REPORT, &CMainFrame::OnRunReport},
        {ID_VIEW_TOOLBAR, &CMainFrame::OnViewToolBar},
        {ID_VIEW_CONFIG_TOOLBAR, &CMainFrame::OnViewConfigToolBar},
        {ID_VIEW_STATUS_BAR, &CMainFrame::OnViewStatusBar},
        {ID_FILE_NEW, &CMainFrame::OnFileNew},
        {ID_FILE_OPEN, &CMainFrame::OnFileOpen},
        {ID_FILE_PRINT_SETUP, &CMainFrame::OnFilePrintSetup},
        {ID_FILE_CLOSE, &CMainFrame::OnFileClose},
        {ID_APP_EXIT, &CMainFrame::OnAppExit},
        {ID_WINDOW_CASCADE, &CMainFrame::OnWindowCascade},
        {ID_WINDOW_TILE_HORZ, &CMainFrame::OnWindowTile},
        {ID_WINDOW_ARRANGE, &CMainFrame::OnWindowArrange},
        {ID_APP_ABOUT, &CMainFrame::OnAppAbout},
        {ID_HELP_FINDER, &CMainFrame::OnHelpFinder},
        {ID_HELP, &CMainFrame::OnHelp},
        {ID_CREATE_UA_MAILBOX, &CMainFrame::OnCreateMailboxes},
        {ID_CREATE_COS_MAILBOX, &CMainFrame::OnCreateCos},
        {ID_CREATE_UA_DISTLIST, &CMainFrame::OnCreateDistributionLists},
        {ID_CREATE_UA_IVR, &CMainFrame::OnCreateIvrAgents},
        {ID_CREATE_UA_AMIS_GATEWAY, &CMainFrame::OnCreateAmisGateways},
        {ID_CREATE_UA_AMIS_PROXY, &CMainFrame::OnCreateAmisProxies},
        {ID_CREATE_UA_DS_FAX, &CMainFrame::OnCreateDirectSendFax},
        {ID_CREATE_UA_DS_VOICE, &CMainFrame::OnCreateDirectSendVoice},
        {ID_CREATE_UA_VPIM_GATEWAY, &CMainFrame::OnCreateVpimGateways},
        {ID_CREATE_UA_VPIM_PROXY, &CMainFrame::OnCreateVpimProxies},
        {ID_COPY_UA, &CMainFrame::OnCopyUserAgent},
        {ID_DELETE_UAS, &CMainFrame::OnDeleteUserAgents},
        {ID_SYSTEM_PARAMETERS, &CMainFrame::OnSystemParameters},
        {ID_RUN_IVR_ALIAS, &CMainFrame::OnRunIvrAlias},
        {ID_PROPERTY_EDITOR, &CMainFrame::OnPropertyEditor},
        {ID_MANAGE_ADMINS, &CMainFrame::OnManageAdministrators},
        {ID_EDIT_UA_DISTLIST, &CMainFrame::OnEditDistributionLists},
        {ID_EDIT_IVR_ALIAS, &CMainFrame::OnEditIvrAlias},
        {ID_EDIT_UA_IVR, &CMainFrame::OnEditIvrAgents},
        {ID_EDIT_UA_DS_FAX, &CMainFrame::OnEditDirectSendFax},
        {ID_EDIT_UA_DS_VOICE, &CMainFrame::OnEditDirectSendVoice},
        {ID_EDIT_UA_VPIM_GATEWAY, &CMainFrame::OnEditVpimGateways},
        {ID_EDIT_UA_AMIS_GATEWAY, &CMainFrame::OnEditAmisGateways},
        {ID_EDIT_UA_AMIS_PROXY, &CMainFrame::OnEditAmisProxies},
        {ID_EDIT_UA_VPIM_PROXY, &CMainFrame::OnEditVpimProxies},
    };
    for (int id : kConfigurationPages)
        m_handlers.insert(id, &CMainFrame::OnConfigurationPage);
}

bool CMainFrame::buildMenus(int menuId)
{
    if (!CMenuResource::Load(menuId, menuBar(), [this](int id) { return m_actions.value(id); }))
        return false;
    for (QAction *top : menuBar()->actions())
        connect(top->menu(), &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
    if (QAction *window = menuBar()->actions().value(CMenuResource::WindowMenu))
        connect(window->menu(), &QMenu::aboutToShow, this,
                [this, menu = window->menu()] { listWindows(menu); });
    m_menuManager->SetAcceleratorTable(&CAcceleratorTable::MainFrame());
    m_menuManager->Install(this);
    return true;
}

QToolBar *CMainFrame::makeToolBar(int toolbarId, const QString &title)
{
    auto *toolBar = new QToolBar(title, this);
    toolBar->setObjectName(QStringLiteral("toolbar%1").arg(toolbarId));
    toolBar->setIconSize(m_menuManager->BitmapSize());
    toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    const std::optional<CToolBarResource> resource = CToolBarResource::Find(toolbarId);
    Q_ASSERT(resource);
    for (int id : resource->commands) {
        if (id == 0)
            toolBar->addSeparator();
        else
            toolBar->addAction(m_actions.value(id));
    }
    return toolBar;
}

void CMainFrame::buildStatusBar()
{
    m_serverPane = new QLabel(this);
    m_serverPane->setObjectName(QStringLiteral("serverPane"));
    m_serverPane->setFrameShape(QFrame::Panel);
    m_serverPane->setFrameShadow(QFrame::Sunken);
    m_serverPane->setMinimumWidth(
        m_serverPane->fontMetrics().horizontalAdvance(QStringLiteral("255.255.255.255")) + 12);
    m_serverPane->setText(m_serverText);
    statusBar()->addPermanentWidget(m_serverPane);
    // Shown whenever no prompt or message line covers it.
    auto *ready = new QLabel(tr("Ready"), this);
    ready->setObjectName(QStringLiteral("readyPane"));
    statusBar()->addWidget(ready, 1);
}

void CMainFrame::listWindows(QMenu *menu)
{
    // The open windows follow the Window menu's commands, numbered, the
    // active one checked; choosing one activates it. The report previews,
    // windows of their own above the frame, come after the frame's.
    // The list's actions are the menu's; a menu rebuilt for new rights took
    // the old ones along.
    for (const QPointer<QAction> &old : std::as_const(m_windowListActions))
        delete old.data();
    m_windowListActions.clear();
    const QList<QMdiSubWindow *> windows = m_mdiArea->subWindowList();
    const QList<CReportPreviewWnd *> previews = theApp().GetReportEngine().Previews();
    if (windows.isEmpty() && previews.isEmpty())
        return;
    m_windowListActions.append(menu->addSeparator());
    int number = 0;
    const auto addItem = [&](QWidget *window, bool active, auto activate) {
        ++number;
        const QString title = window->windowTitle();
        QAction *item = menu->addAction(number <= 9 ? QStringLiteral("&%1 %2").arg(number).arg(title)
                                                    : QStringLiteral("%1 %2").arg(number).arg(title));
        item->setCheckable(true);
        item->setChecked(active);
        connect(item, &QAction::triggered, this, [window = QPointer<QWidget>(window), activate] {
            if (window)
                activate(window.data());
        });
        m_windowListActions.append(item);
    };
    for (QMdiSubWindow *child : windows)
        addItem(child, child == m_mdiArea->activeSubWindow(), [this](QWidget *window) {
            m_mdiArea->setActiveSubWindow(static_cast<QMdiSubWindow *>(window));
        });
    for (CReportPreviewWnd *preview : previews)
        addItem(preview, preview == QApplication::activeWindow(), [](QWidget *window) {
            if (window->isMinimized())
                window->showNormal();
            window->raise();
            window->activateWindow();
        });
}

void CMainFrame::SetServerText(const QString &host)
{
    m_serverText = host;
    if (m_serverPane)
        m_serverPane->setText(host);
}

// --- commands ----------------------------------------------------------------

QAction *CMainFrame::CommandAction(int id) const
{
    return m_actions.value(id);
}

bool CMainFrame::OnCommand(int id)
{
    if (!IsCommandEnabled(id))
        return false;
    m_runningCommand = id;
    try {
        (this->*m_handlers.value(id))();
    } catch (const CZltException &failure) {
        AfxMessageBox(failure.text(), MB_OK | MB_ICONERROR);
    }
    UpdateCommandUI();
    return true;
}

bool CMainFrame::IsCommandEnabled(int id) const
{
    return m_handlers.contains(id) && allowedByRights(id) && availableNow(id);
}

bool CMainFrame::IsCommandChecked(int id) const
{
    switch (id) {
    case ID_VIEW_TOOLBAR:
        return m_adminToolBar && !m_adminToolBar->isHidden();
    case ID_VIEW_CONFIG_TOOLBAR:
        return m_configToolBar && !m_configToolBar->isHidden();
    case ID_VIEW_STATUS_BAR:
        return !statusBar()->isHidden();
    default:
        return CConfigPropSheet::IsPageCommand(id) && m_configWindowOpen && m_configPage == id;
    }
}

bool CMainFrame::allowedByRights(int id) const
{
    const CAdminApp &app = theApp();
    const uint32_t rights = app.Rights();
    const uint32_t level = app.RightsLevel();
    switch (id) {
    case ID_VOICE_PORT_STATUS:
        return rights >= CAdminApp::RightsAllUserAgents;
    case ID_DATE_TIME:
        return level >= 0x20 && app.HasPermission(CAdminApp::PermissionClock);
    case ID_SHUTDOWN:
        return !(level == 0x20 && !app.HasPermission(CAdminApp::PermissionShutdown));
    case ID_REPORT_OPTION1:
    case ID_EDIT_TEMPLATE_MAILBOX:
    case ID_EDIT_TEMPLATE_AMIS:
    case ID_EDIT_TEMPLATE_VPIM:
        return level >= 0x10 && app.HasPermission(CAdminApp::PermissionReports);
    default:
        return true;
    }
}

bool CMainFrame::availableNow(int id) const
{
    switch (id) {
    case ID_VIEW_CONFIG_TOOLBAR:
        return m_configToolBar != nullptr;
    case ID_FILE_CLOSE:
        return m_mdiArea->activeSubWindow() != nullptr;
    case ID_TCL_SESSION:
    case ID_DATE_TIME:
    case ID_SHUTDOWN:
    case ID_ASR_SYNC:
    case ID_CONNECT_TO_SERVER:
    case ID_EDIT_UA_MAILBOX:
    case ID_EDIT_COS_MAILBOX:
    case ID_CREATE_UA_MAILBOX:
    case ID_CREATE_COS_MAILBOX:
    case ID_CREATE_UA_DISTLIST:
    case ID_CREATE_UA_IVR:
    case ID_CREATE_UA_AMIS_GATEWAY:
    case ID_CREATE_UA_AMIS_PROXY:
    case ID_CREATE_UA_DS_FAX:
    case ID_CREATE_UA_DS_VOICE:
    case ID_CREATE_UA_VPIM_GATEWAY:
    case ID_CREATE_UA_VPIM_PROXY:
    case ID_COPY_UA:
    case ID_DELETE_UAS:
    case ID_CONFIG_INTEGRATION:
    case ID_CONFIG_ANSWER_METHODS:
    case ID_CONFIG_VOICE_PORTS:
    case ID_CONFIG_SERIAL_PORTS:
    case ID_CONFIG_NOTIFY_GROUPS:
    case ID_CONFIG_STAT_GROUPS:
    case ID_CONFIG_IVR_HOSTS:
    case ID_CONFIG_HOLIDAYS:
    case ID_CONFIG_SCHEDULER:
    case ID_CONFIG_LANGUAGE:
    case ID_SYSTEM_PARAMETERS:
    case ID_RUN_IVR_ALIAS:
    case ID_PROPERTY_EDITOR:
    case ID_MANAGE_ADMINS:
    case ID_EDIT_UA_DISTLIST:
    case ID_CONFIG_WIZARD:
        return theApp().GetSession() != nullptr;
    case ID_VOICE_PORT_STATUS:
        return theApp().GetSession() != nullptr && !CPortStatusDoc::IsStatusWindowOpen();
    case ID_REPORT_OPTION1:
    case ID_RUN_REPORT:
        // Without the print engine no report can be shown.
        return theApp().GetSession() != nullptr && theApp().GetReportEngine().IsOpen();
    case ID_EDIT_TEMPLATE_MAILBOX:
    case ID_EDIT_TEMPLATE_AMIS:
    case ID_EDIT_TEMPLATE_VPIM:
        // The templates lie in the engine's folder.
        return theApp().GetReportEngine().IsOpen();
    default:
        return true;
    }
}

void CMainFrame::UpdateCommandUI()
{
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        it.value()->setEnabled(IsCommandEnabled(it.key()));
        if (it.value()->isCheckable())
            it.value()->setChecked(IsCommandChecked(it.key()));
    }
    greyByPosition();
}

void CMainFrame::greyByPosition()
{
    const QList<QAction *> menus = menuBar()->actions();
    if (menus.size() <= CMenuResource::ReportsMenu)
        return;
    const CAdminApp &app = theApp();
    const uint32_t level = app.RightsLevel();
    menus[CMenuResource::ConfigurationMenu]->setEnabled(!IsConfigurationMenuGreyed(app.Rights()));
    const QList<QAction *> reports = menus[CMenuResource::ReportsMenu]->menu()->actions();
    if (reports.size() > CMenuResource::ReportOption2Position)
        reports[CMenuResource::ReportOption2Position]->setEnabled(
            !(level == 0x10 && !allowedByRights(ID_REPORT_OPTION1)));
}

// --- singleton windows and consoles --------------------------------------------

void CMainFrame::ClearEditorWindow(int slot)
{
    if (slot >= 1 && slot <= EditorSlots)
        m_editors[slot - 1] = nullptr;
}

void CMainFrame::RemoveSession(HWND console)
{
    m_consoles.removeOne(console);
    // A close that waited for the consoles goes on once the last one is gone.
    if (m_closing && m_consoles.isEmpty())
        QTimer::singleShot(0, this, &QWidget::close);
}

// --- window messages -----------------------------------------------------------

LRESULT CMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        OnCommand(int(wParam & 0xFFFF));
        return 0;
    case WM_SERVER_EXIT:
        OnServerExit(wParam != 0);
        return 0;
    case WM_SERVER_REPLY: {
        const QString reply = *reinterpret_cast<const QString *>(lParam);
        ReplyMessage(0);
        if (wParam == kAsrSyncRequest)
            OnAsrSyncReply(reply);
        return 0;
    }
    case WM_CONFIG_PAGE_SHOWN:
        OnConfigPageShown(int(wParam));
        return 0;
    case WM_CLOSE:
        close();
        return 0;
    default:
        return CMessageTarget::WindowProc(message, wParam, lParam);
    }
}

void CMainFrame::OnServerExit(bool loginCompleted)
{
    // The first notice ends the program; the box's own event loop must not
    // show a second one.
    if (m_endingForLostServer)
        return;
    m_endingForLostServer = true;
    CServerExitNotice::SetMainWindow(nullptr);
    EndAdminForLostServer(QString::fromUtf8(loginCompleted ? kServerShutdown : kLoginFailed));
}

void CMainFrame::closeEvent(QCloseEvent *event)
{
    if (!closeConfigurationWindow()) {
        event->ignore();
        return;
    }
    if (!m_closing) {
        m_closing = true;
        // A link that ends while the program closes is no lost server.
        CServerExitNotice::SetMainWindow(nullptr);
        if (!closeOwnWindows()) {
            // A window kept its unsaved changes: the program stays.
            m_closing = false;
            CServerExitNotice::SetMainWindow(GetSafeHwnd());
            event->ignore();
            return;
        }
        for (HWND console : std::as_const(m_consoles))
            PostMessage(console, WM_CLOSE, 0, 0);
    }
    // Waits for the consoles; RemoveSession closes the frame after the last.
    if (!m_consoles.isEmpty()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
    // The frame is the program: once it has closed, no window left without
    // an owner (a list, a report preview) keeps admin running.
    QCoreApplication::quit();
}

bool CMainFrame::closeOwnWindows()
{
    QList<QPointer<QWidget>> windows;
    for (QMdiSubWindow *child : m_mdiArea->subWindowList())
        windows.append(child);
    for (const QPointer<QWidget> &editor : m_editors)
        if (editor)
            windows.append(editor);
    // Each window closes as its own close box closes it, asking about its
    // unsaved edits. One that goes later (deleted once control returns) is
    // gone as soon as it is out of sight; one still in sight refused, and
    // the windows after it are not asked.
    for (const QPointer<QWidget> &window : std::as_const(windows)) {
        if (window && window->isVisible())
            window->close();
        if (window && window->isVisible())
            return false;
    }
    return true;
}

bool CMainFrame::closeConfigurationWindow()
{
    if (!m_configWindowOpen || !m_configFrame) {
        m_configWindowOpen = false;
        return true;
    }
    switch (m_configCloseState) {
    case 0:
        // The window asks about its changes; the frame closes once it is
        // gone.
        m_configCloseState = 1;
        SendMessage(m_configFrame->GetSafeHwnd(), WM_CLOSE, 0, 0);
        PostMessage(GetSafeHwnd(), WM_CLOSE, 0, 0);
        return false;
    case 1:
        PostMessage(GetSafeHwnd(), WM_CLOSE, 0, 0);
        return false;
    default:
        // The window stayed (it showed a page again): so does the frame.
        m_configCloseState = 0;
        return false;
    }
}

// --- the configuration window ------------------------------------------------------

void CMainFrame::OnConfigurationPage()
{
    OpenConfigurationPage(m_runningCommand);
}

void CMainFrame::OpenConfigurationPage(int pageId)
{
    if (!m_configWindowOpen) {
        CAdminApp &app = theApp();
        CWaitCursor wait;
        m_configTemplate->OpenDocumentFile(
            CConfigLogin{app.GetSession(), CLoginCredentials{app.Host(), app.User(), app.Password()},
                         app.T1Protocols(), app.RootText(CAdminApp::RootMailbox)});
    }
    if (!m_configFrame)
        return;
    m_configFrame->setWindowIcon(ApplicationIcon());
    PostMessage(m_configFrame->GetSafeHwnd(), WM_SHOW_CONFIG_PAGE, WPARAM(pageId), 0);
}

// --- System Parameters and the start-up applications ------------------------------

void CMainFrame::OnSystemParameters()
{
    CAdminApp &app = theApp();
    CWaitCursor wait;
    CConfigSystemParamChildWnd *window = CConfigSystemParamTemplate::OpenDocumentFile(
        CConfigLogin{app.GetSession(), CLoginCredentials{app.Host(), app.User(), app.Password()}, {}, {}},
        m_mdiArea);
    if (window)
        window->setWindowIcon(ApplicationIcon());
}

void CMainFrame::OnRunIvrAlias()
{
    QPointer<QWidget> &slot = m_editors[SlotRunIvrAlias - 1];
    if (!slot) {
        auto *dialog = new CStartupAppsDlg(*theApp().GetSession()->CommandChannel());
        connect(dialog, &QObject::destroyed, this, [this] { ClearEditorWindow(SlotRunIvrAlias); });
        dialog->Create();
        slot = dialog;
    }
    slot->show();
    slot->raise();
    slot->activateWindow();
}

void CMainFrame::OnEditIvrAlias()
{
    CAdminApp &app = theApp();
    QPointer<QWidget> &slot = m_editors[SlotEditIvrAlias - 1];
    if (!slot && app.GetSession()) {
        auto *dialog = new CIvrAliasEditorDlg(*app.GetSession(), CLoginCredentials{app.Host(), app.User(), app.Password()},
                                              app.Rights());
        connect(dialog, &CIvrAliasEditorDlg::closed, this, [this] { ClearEditorWindow(SlotEditIvrAlias); });
        dialog->Create();
        slot = dialog;
    }
    if (slot) {
        slot->show();
        slot->raise();
        slot->activateWindow();
    }
}

void CMainFrame::openAgentList(int slot, uint32_t root, const std::function<CUserAgentListDlg *(const QString &)> &make)
{
    CAdminApp &app = theApp();
    QPointer<QWidget> &window = m_editors[slot - 1];
    if (!window) {
        if (!app.GetSession() || !systemRootExists(app, CAdminApp::UserAgentRoot(root)))
            return;
        CUserAgentListDlg *dialog = make(app.RootText(CAdminApp::UserAgentRoot(root)));
        connect(dialog, &CUserAgentListDlg::closed, this, [this, slot] { ClearEditorWindow(slot); });
        window = dialog;
        dialog->Create();
    }
    if (window) {
        window->show();
        window->raise();
        window->activateWindow();
    }
}

void CMainFrame::OnEditIvrAgents()
{
    openAgentList(SlotIvr, CAdminApp::RootIvr, [](const QString &type) -> CUserAgentListDlg * {
        const CAdminApp &app = theApp();
        return new CIvrUserAgentsDlg(*app.GetSession(), CLoginCredentials{app.Host(), app.User(), app.Password()}, type);
    });
}

void CMainFrame::OnEditDirectSendFax()
{
    openAgentList(SlotDirectSendFax, CAdminApp::RootDirectSendFax, [](const QString &type) -> CUserAgentListDlg * {
        const CAdminApp &app = theApp();
        return new CDirectSendFaxUADlg(*app.GetSession(), CLoginCredentials{app.Host(), app.User(), app.Password()},
                                       type);
    });
}

void CMainFrame::OnEditDirectSendVoice()
{
    openAgentList(SlotDirectSendVoice, CAdminApp::RootDirectSendVoice, [](const QString &type) -> CUserAgentListDlg * {
        const CAdminApp &app = theApp();
        return new CDirectSendVoiceUADlg(*app.GetSession(), CLoginCredentials{app.Host(), app.User(), app.Password()},
                                         type);
    });
}

void CMainFrame::OnEditVpimGateways()
{
    openAgentList(SlotVpimGateway, CAdminApp::RootVpimGateway, [](const QString &type) -> CUserAgentListDlg * {
        const CAdminApp &app = theApp();
        return new CConfigVpimUserAgentsDlg(*app.GetSession(), CLoginCredentials{app.Host(), app.User(), app.Password()},
                                            type, app.RootText(CAdminApp::RootVpimGateway),
                                            app.RootText(CAdminApp::RootVpimProxy));
    });
}

void CMainFrame::OnEditVpimProxies()
{
    openAgentList(SlotVpimProxy, CAdminApp::RootVpimProxy, [](const QString &type) -> CUserAgentListDlg * {
        const CAdminApp &app = theApp();
        return new CConfigVpimUserAgentsDlg(*app.GetSession(), CLoginCredentials{app.Host(), app.User(), app.Password()},
                                            type, app.RootText(CAdminApp::RootVpimGateway),
                                            app.RootText(CAdminApp::RootVpimProxy));
    });
}

void CMainFrame::OnEditAmisGateways()
{
    openAgentList(SlotAmisGateway, CAdminApp::RootAmisGateway, [](const QString &type) -> CUserAgentListDlg * {
        const CAdminApp &app = theApp();
        return new CConfigAmisUADlg(*app.GetSession(), CLoginCredentials{app.Host(), app.User(), app.Password()}, type,
                                    app.RootText(CAdminApp::RootAmisGateway), app.RootText(CAdminApp::RootAmisProxy));
    });
}

void CMainFrame::OnEditAmisProxies()
{
    openAgentList(SlotAmisProxy, CAdminApp::RootAmisProxy, [](const QString &type) -> CUserAgentListDlg * {
        const CAdminApp &app = theApp();
        return new CConfigAmisUADlg(*app.GetSession(), CLoginCredentials{app.Host(), app.User(), app.Password()}, type,
                                    app.RootText(CAdminApp::RootAmisGateway), app.RootText(CAdminApp::RootAmisProxy));
    });
}

void CMainFrame::OnConfigWindowOpened(CConfigPropFrame *frame)
{
    m_configWindowOpen = true;
    m_configFrame = frame;
    m_configCloseState = 0;
}

void CMainFrame::OnConfigPageShown(int pageId)
{
    // Whatever the level, a closed window must be openable again and a
    // refused close must keep the frame; only the pressed button is the
    // toolbar's, which the lower levels do not have.
    m_configPage = pageId;
    if (pageId != 0 && m_configCloseState == 1)
        m_configCloseState = -1;
    if (pageId == 0) {
        m_configWindowOpen = false;
        m_configFrame = nullptr;
    }
    UpdateCommandUI();
}

void CMainFrame::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    switch (event->type()) {
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
        m_menuManager->Refresh();
        break;
    case QEvent::ActivationChange:
        if (isActiveWindow())
            greyByPosition();
        break;
    default:
        break;
    }
}

// --- command handlers ----------------------------------------------------------

bool CMainFrame::executeOnAppSession(const QString &command, QString &reply)
{
    CZELTSession *session = theApp().GetSession();
    Q_ASSERT(session);
    {
        CWaitCursor wait;
        reply = session->Execute(command);
    }
    if (IsErrorReply(reply)) {
        AfxMessageBox(reply, MB_OK | MB_ICONERROR);
        return false;
    }
    return true;
}

void CMainFrame::OnConnectToServer()
{
    if (!theApp().Login())
        return;
    closeWindowsForNewLogin();
    LoadFrame(theApp().MainMenuId());
    theApp().PostStartWindowCommand();
    theApp().OfferConfigurationWizard();
    for (HWND console : std::as_const(m_consoles))
        PostMessage(console, WM_CLOSE, 0, 0);
    SetServerText(theApp().Host());
}

void CMainFrame::closeWindowsForNewLogin()
{
    for (QMdiSubWindow *child : m_mdiArea->subWindowList())
        delete child;
    // The editors' templates open sessions on the application's session,
    // which the new login replaces; their count of editors goes on.
    if (m_mailboxTemplate)
        m_mailboxEditorsOpened = m_mailboxTemplate->OpenedCount();
    if (m_cosTemplate)
        m_cosEditorsOpened = m_cosTemplate->OpenedCount();
    m_mailboxTemplate.reset();
    m_cosTemplate.reset();
    for (int slot :
         {SlotManageAdministrators, SlotIvr, SlotAmisGateway, SlotAmisProxy, SlotVpimGateway, SlotVpimProxy,
          SlotDirectSendFax, SlotDirectSendVoice, SlotEditIvrAlias, SlotRunIvrAlias}) {
        delete m_editors[slot - 1].data();
        ClearEditorWindow(slot);
    }
}

void CMainFrame::OnEditUserAgents()
{
    if (!systemRootExists(theApp(), CAdminApp::RootMailbox))
        return;
    openEditor(m_mailboxTemplate, false, QStringLiteral("Mailbox Editor"));
}

void CMainFrame::OnEditCos()
{
    // The class-of-service editor works under the mailbox root too.
    if (!systemRootExists(theApp(), CAdminApp::RootMailbox))
        return;
    openEditor(m_cosTemplate, true, QStringLiteral("COS Mailbox Editor"));
}

void CMainFrame::openEditor(std::unique_ptr<CAdminTemplate> &editorTemplate, bool cos, const QString &title)
{
    CAdminTemplate &opener = this->editorTemplate(editorTemplate, cos);
    CWaitCursor wait;
    if (!opener.OpenCountedDocument(title))
        return;
    showEditorView(opener.LastFrame()->GetActiveView());
}

CAdminTemplate &CMainFrame::editorTemplate(std::unique_ptr<CAdminTemplate> &editorTemplate, bool cos)
{
    CAdminApp &app = theApp();
    if (!editorTemplate) {
        CAdminDoc::Account rights =
            editorAccount(app, [this](const QString &code) { rememberSecurityCode(code); });
        rights.copy = [this](CMailboxPps &, long from) { copyUserAgent(from, this); };
        editorTemplate = std::make_unique<CAdminTemplate>(
            m_mdiArea, *app.GetSession(), CLoginCredentials{app.Host(), app.User(), app.Password()},
            [rights, cos]() -> std::unique_ptr<CAdminDoc> {
                if (cos)
                    return std::make_unique<CCOSDoc>(rights);
                return std::make_unique<CAdminDoc>(rights);
            },
            cos ? m_cosEditorsOpened : m_mailboxEditorsOpened);
    }
    return *editorTemplate;
}

void CMainFrame::openOwnEditor(bool cos, long number)
{
    // The template that opened the asking editor; it is there while that
    // editor is.
    const std::unique_ptr<CAdminTemplate> &editorTemplate = cos ? m_cosTemplate : m_mailboxTemplate;
    if (!editorTemplate)
        return;
    CWaitCursor wait;
    if (!editorTemplate->OpenUAListDocument({number}))
        return;
    showEditorView(editorTemplate->LastFrame()->GetActiveView());
}

void CMainFrame::rememberSecurityCode(const QString &code)
{
    CAdminApp &app = theApp();
    app.RememberSecurityCode(code);
    // The editors opened from now on log in with the new code too.
    for (const std::unique_ptr<CAdminTemplate> *opener : {&m_mailboxTemplate, &m_cosTemplate})
        if (*opener)
            (*opener)->SetLogin(CLoginCredentials{app.Host(), app.User(), app.Password()});
}

void CMainFrame::showEditorView(CAdminView *view)
{
    connect(view, &CAdminView::directorySyncRequested, this, [this] { OnCommand(ID_ASR_SYNC); });
    connect(view, &CAdminView::messageLineChanged, this,
            [this](const QString &text) { statusBar()->showMessage(text); });
    const bool cos = dynamic_cast<CCOSDoc *>(view->GetDocument()) != nullptr;
    // Queued: the list that asks is inside a mouse event of its own.
    connect(
        view, &CAdminView::ownEditorRequested, this, [this, cos](long number) { openOwnEditor(cos, number); },
        Qt::QueuedConnection);
    view->SetInitialFocus();
}

// --- creating and deleting user agents over ranges ---------------------------

void CMainFrame::OnCreateMailboxes()
{
    createUserAgents(GetDefaultUANumber(), UAKind::MailboxRoot, false, &m_mailboxTemplate);
}

void CMainFrame::OnCreateCos()
{
    createUserAgents(GetDefaultUANumber(), UAKind::MailboxRoot, true, &m_cosTemplate);
}

void CMainFrame::OnCreateDistributionLists()
{
    if (!systemRootExists(theApp(), CAdminApp::RootDistributionList))
        return;
    QList<long> created;
    runOnOwnSession([&](CZELTSession &session) {
        CCreateUserAgentDlg dialog(session, UAKind::DistributionListRoot, UAKind::DistributionListRoot, this,
                                   false, allowedUserAgents());
        dialog.DoModal();
        created = dialog.GetCreatedNumbers();
    });
    // The lists just made open in their editor.
    if (!created.isEmpty())
        openDistributionLists(created);
}

void CMainFrame::OnCreateIvrAgents()
{
    createUserAgents(UAKind::IvrRoot, UAKind::IvrRoot, false, nullptr);
}

void CMainFrame::OnCreateAmisGateways()
{
    createUserAgents(UAKind::AmisGatewayRoot, UAKind::AmisGatewayRoot, false, nullptr);
}

void CMainFrame::OnCreateAmisProxies()
{
    createUserAgents(UAKind::AmisProxyRoot, UAKind::AmisProxyRoot, false, nullptr);
}

void CMainFrame::OnCreateDirectSendFax()
{
    createUserAgents(UAKind::DirectSendFaxRoot, UAKind::DirectSendFaxRoot, false, nullptr);
}

void CMainFrame::OnCreateDirectSendVoice()
{
    createUserAgents(UAKind::DirectSendVoiceRoot, UAKind::DirectSendVoiceRoot, false, nullptr);
}

void CMainFrame::OnCreateVpimGateways()
{
    createUserAgents(UAKind::VpimGatewayRoot, UAKind::VpimGatewayRoot, false, nullptr);
}

void CMainFrame::OnCreateVpimProxies()
{
    createUserAgents(UAKind::VpimProxyRoot, UAKind::VpimProxyRoot, false, nullptr);
}

void CMainFrame::createUserAgents(qint32 model, qint32 root, bool makeCos,
                                  std::unique_ptr<CAdminTemplate> *editor)
{
    if (!systemRootExists(theApp(), CAdminApp::UserAgentRoot(root)))
        return;
    CAdminTemplate *opener = editor ? &editorTemplate(*editor, makeCos) : nullptr;
    runOnOwnSession([&](CZELTSession &session) {
        CCreateUserAgentDlg dialog(session, model, root, this, makeCos, allowedUserAgents(), opener);
        if (dialog.DoModal() == IDOK && !dialog.GetCreatedNumbers().isEmpty())
            showMadeAgents(uint32_t(root));
    });
}

void CMainFrame::showMadeAgents(uint32_t root)
{
    const QHash<uint32_t, std::pair<int, void (CMainFrame::*)()>> lists{
        {CAdminApp::RootIvr, {SlotIvr, &CMainFrame::OnEditIvrAgents}},
        {CAdminApp::RootDirectSendFax, {SlotDirectSendFax, &CMainFrame::OnEditDirectSendFax}},
        {CAdminApp::RootDirectSendVoice, {SlotDirectSendVoice, &CMainFrame::OnEditDirectSendVoice}},
        {CAdminApp::RootVpimGateway, {SlotVpimGateway, &CMainFrame::OnEditVpimGateways}},
        {CAdminApp::RootVpimProxy, {SlotVpimProxy, &CMainFrame::OnEditVpimProxies}},
        {CAdminApp::RootAmisGateway, {SlotAmisGateway, &CMainFrame::OnEditAmisGateways}},
        {CAdminApp::RootAmisProxy, {SlotAmisProxy, &CMainFrame::OnEditAmisProxies}},
    };
    if (!lists.contains(root))
        return;
    const auto [slot, open] = lists.value(root);
    // A list already open shows the new agents too.
    if (auto *list = qobject_cast<CUserAgentListDlg *>(m_editors[slot - 1].data()))
        list->Refill();
    (this->*open)();
}

void CMainFrame::showCopiedAgents(const QString &kindWord)
{
    const QHash<QString, uint32_t> roots{
        {QStringLiteral("IVR"), CAdminApp::RootIvr},
        {QStringLiteral("DF"), CAdminApp::RootDirectSendFax},
        {QStringLiteral("DV"), CAdminApp::RootDirectSendVoice},
        {QStringLiteral("VPIM_GATEWAY"), CAdminApp::RootVpimGateway},
        {QStringLiteral("VPIM_PROXY"), CAdminApp::RootVpimProxy},
        {QStringLiteral("AMIS_GATEWAY"), CAdminApp::RootAmisGateway},
        {QStringLiteral("AMIS_PROXY"), CAdminApp::RootAmisProxy},
    };
    if (roots.contains(kindWord))
        showMadeAgents(roots.value(kindWord));
}

void CMainFrame::OnCopyUserAgent()
{
    // Nothing to start from: the administrator names the agent to copy.
    copyUserAgent(GetNoUANumber(), nullptr);
}

void CMainFrame::copyUserAgent(long from, QWidget *parent)
{
    runOnOwnSession([&](CZELTSession &session) {
        CCopyUserAgentDlg dialog(session, UAKind::MailboxRoot, parent, false, from, allowedUserAgents());
        if (dialog.DoModal() != IDOK || dialog.GetCreatedNumbers().isEmpty())
            return;
        if (dialog.GetSourceKind() == QLatin1String("DL")) {
            openDistributionLists(dialog.GetCreatedNumbers());
            return;
        }
        if (dialog.GetSourceKind() != QLatin1String("MB")) {
            showCopiedAgents(dialog.GetSourceKind());
            return;
        }
        const bool cos = dialog.SourceIsCos();
        CWaitCursor wait;
        editorTemplate(cos ? m_cosTemplate : m_mailboxTemplate, cos)
            .OpenUAListDocument(dialog.GetCreatedNumbers(), true);
    });
}

void CMainFrame::OnDeleteUserAgents()
{
    runOnOwnSession([this](CZELTSession &session) {
        CDeleteUserAgentsDlg dialog(session, allowedUserAgents(), this);
        dialog.DoModal();
    });
}

void CMainFrame::OnPropertyEditor()
{
    if (AfxMessageBox(QString::fromUtf8(kPropertyEditorWarning), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    CAdminApp &app = theApp();
    const CAdminApp *account = &app;
    CWaitCursor wait;
    CPropEditFrame::Open(m_mdiArea, *app.GetSession(),
                         CLoginCredentials{app.Host(), app.User(), app.Password()},
                         [account](long number) { return account->IsUserAgentAllowed(number); });
}

void CMainFrame::OnManageAdministrators()
{
    QPointer<QWidget> &slot = m_editors[SlotManageAdministrators - 1];
    if (slot)
        return;
    auto *window =
        new CAdministratorListDlg(nullptr, [this] { ClearEditorWindow(SlotManageAdministrators); });
    slot = window;
    window->Create();
}

void CMainFrame::OnEditDistributionLists()
{
    if (systemRootExists(theApp(), CAdminApp::RootDistributionList))
        openDistributionLists({});
}

void CMainFrame::openDistributionLists(const QList<long> &numbers)
{
    CAdminApp &app = theApp();
    CDistListFrm::Services services;
    services.applicationChannel = app.GetSession();
    services.rootText = app.RootText(CAdminApp::RootDistributionList);
    services.loginMailbox = app.LoginMailbox();
    services.rememberSecurityCode = [this](const QString &code) { rememberSecurityCode(code); };
    services.askSecurityCode = [](QWidget *parent, const QString &typed) -> std::optional<QString> {
        CChangeSecurityCodeDlg dialog(parent, typed);
        if (dialog.DoModal() != IDOK)
            return std::nullopt;
        return dialog.NewValue();
    };
    CWaitCursor wait;
    CDistListFrame::Open(m_mdiArea, *app.GetSession(),
                         CLoginCredentials{app.Host(), app.User(), app.Password()},
                         editorAccount(app, [this](const QString &code) { rememberSecurityCode(code); }),
                         std::move(services), numbers);
}

void CMainFrame::runOnOwnSession(const std::function<void(CZELTSession &)> &run)
{
    const std::unique_ptr<CZELTSession> session = connectOwnSession();
    if (!session)
        return;
    const QList<QMdiSubWindow *> before = m_mdiArea->subWindowList();
    run(*session);
    // An editor opened on what the dialog made gets the frame's ties and the focus.
    for (QMdiSubWindow *window : m_mdiArea->subWindowList())
        if (auto *editor = qobject_cast<CChildFrame *>(window); editor && !before.contains(window))
            showEditorView(editor->GetActiveView());
}

std::unique_ptr<CZELTSession> CMainFrame::connectOwnSession() const
{
    CAdminApp &app = theApp();
    auto session = std::make_unique<CZELTSession>(*app.GetSession());
    try {
        CWaitCursor wait;
        session->Connect(CLoginCredentials{app.Host(), app.User(), app.Password()});
    } catch (const CZltExceptionLoginDeclined &) {
        return nullptr; // the session has said why
    }
    return session;
}

void CMainFrame::OnVoicePortStatus()
{
    CAdminApp &app = theApp();
    auto document = std::make_unique<CPortStatusDoc>(
        editorAccount(app, [this](const QString &code) { rememberSecurityCode(code); }));
    CWaitCursor wait;
    // Refused silently while another status window is open; any other
    // refusal has been shown by the document.
    if (!document->OnNewDocument(*app.GetSession(),
                                 CLoginCredentials{app.Host(), app.User(), app.Password()}))
        return;
    auto *frame = new CChanviewFrame(std::move(document));
    connect(frame, &CChanviewFrame::closedDocument, this, &CMainFrame::UpdateCommandUI);
    m_mdiArea->addSubWindow(frame);
    frame->resize(CChanviewFrame::OpenWidth, CChanviewFrame::OpenHeight);
    frame->show();
    const QSize room = m_mdiArea->viewport()->size();
    frame->move(std::max(0, (room.width() - frame->width()) / 2),
                std::max(0, (room.height() - frame->height()) / 2));
}

void CMainFrame::OnTclSession()
{
    CAdminApp &app = theApp();
    // Always enabled; a console is only for the top administrator.
    if (app.Rights() < kTopAdministrator)
        return;
    std::unique_ptr<CZELTSession> session = connectOwnSession();
    if (!session)
        return;
    auto *console = new CTclSessionDlg(this, std::move(session));
    console->Create();
    m_consoles.append(console->GetSafeHwnd());
}

void CMainFrame::OnConfigWizard()
{
    // The wizard's own session; the sheet records a finished run on it.
    std::unique_ptr<CZELTSession> session = connectOwnSession();
    if (!session)
        return;
    CAdminApp &app = theApp();
    CConfigWizardPropSheet wizard;
    wizard.SetSession(session.get());
    wizard.Depot().SetApplicationLists(app.T1Protocols(), app.RootText(CAdminApp::RootMailbox));
    if (wizard.DoModal() == ID_WIZFINISH && wizard.ConfigurationWritten()) {
        try {
            // A refusal is not reported: the server keeps offering the wizard.
            SetConfigWizardAccessed(*session);
        } catch (const CZltException &) {
        }
    }
    session->Disconnect();
}

void CMainFrame::OnDateTime()
{
    QString reply;
    if (!executeOnAppSession(QStringLiteral("GetTime"), reply))
        return;
    const std::optional<QDateTime> serverTime = parseServerTime(reply);
    if (!serverTime) {
        AfxMessageBox(QString::fromUtf8(kBadServerTime).arg(reply), MB_OK | MB_ICONERROR);
        return;
    }
    CSystemClockDlg clock(this);
    clock.m_time = *serverTime;
    if (clock.DoModal() != IDOK)
        return;
    executeOnAppSession(formatSetTime(clock.m_time.toLocalTime()), reply);
}

void CMainFrame::OnReportOption1()
{
    std::unique_ptr<CZELTSession> session = connectOwnSession();
    if (!session)
        return;
    {
        CReportOptionDlg dialog(*session, theApp().AllowedUserAgentsText(), this);
        dialog.DoModal();
    }
    session->Disconnect();
}

// The template editors work on local files only and send nothing to the
// server, so they need no session of their own.
void CMainFrame::OnEditMailboxTemplate()
{
    CRptMbTemplate(this).DoModal();
}

void CMainFrame::OnEditAmisTemplate()
{
    CRptAmisTemplate(this).DoModal();
}

void CMainFrame::OnEditVpimTemplate()
{
    CVpimTemplate(this).DoModal();
}

void CMainFrame::OnRunReport()
{
    CAdminApp &app = theApp();
    if (!app.HasPermission(CAdminApp::PermissionReports)) {
        AfxMessageBox(QString::fromUtf8(kReportsNotAllowed), MB_OK | MB_ICONSTOP);
        return;
    }
    std::function<bool(qint64)> isAllowed;
    if (!app.AllowedUserAgentsText().isEmpty())
        isAllowed = [](qint64 number) { return theApp().IsUserAgentAllowed(number); };
    CRunReport(*app.GetSession(), std::move(isAllowed), this).DoModal();
}

void CMainFrame::OnShutdown()
{
    if (!theApp().HasPermission(CAdminApp::PermissionShutdown)) {
        AfxMessageBox(QString::fromUtf8(kShutdownNotAllowed), MB_OK | MB_ICONSTOP);
        return;
    }
    if (AfxMessageBox(QString::fromUtf8(kShutdownQuestion), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    QString reply;
    if (!executeOnAppSession(QStringLiteral("OSShutdown"), reply))
        return;
    OnServerExit(true);
}

void CMainFrame::OnAsrSync()
{
    CZELTSession *session = theApp().GetSession();
    QString reply;
    if (!executeOnAppSession(QStringLiteral("GetAliasList"), reply))
        return;
    QStringList aliases;
    session->ListSplitter().SplitList(reply, aliases);
    if (!aliases.contains(QString::fromUtf8(kAsrAlias))) {
        AfxMessageBox(QString::fromUtf8(kAsrNotAvailable), MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (!executeOnAppSession(QStringLiteral("GetAlias %1").arg(QString::fromUtf8(kAsrAlias)), reply))
        return;
    if (AfxMessageBox(QString::fromUtf8(kAsrQuestion), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    session->SendAsync(this, WM_SERVER_REPLY, kAsrSyncRequest, QString::fromUtf8(kAsrSyncScript));
}

void CMainFrame::OnAsrSyncReply(const QString &reply)
{
    if (!IsErrorReply(reply)) {
        AfxMessageBox(QString::fromUtf8(kAsrDone), MB_OK | MB_ICONINFORMATION);
        return;
    }
    const qsizetype colon = reply.indexOf(QLatin1Char(':'));
    AfxMessageBox(colon < 0 ? reply : reply.mid(colon + 1).trimmed(), MB_OK | MB_ICONERROR);
}

void CMainFrame::OnViewToolBar()
{
    m_adminToolBar->setVisible(m_adminToolBar->isHidden());
}

void CMainFrame::OnViewConfigToolBar()
{
    m_configToolBar->setVisible(m_configToolBar->isHidden());
}

void CMainFrame::OnViewStatusBar()
{
    statusBar()->setVisible(statusBar()->isHidden());
}

void CMainFrame::OnFileNew()
{
    QStringList names;
    QList<int> commands;
    for (const NewWindowKind &kind : kNewWindowKinds) {
        if (!IsCommandEnabled(kind.command))
            continue;
        names.append(tr(kind.name));
        commands.append(kind.command);
    }
    if (commands.isEmpty())
        return;
    int chosen = 0;
    if (commands.size() > 1) {
        CNewTypeDlg dialog(names, this);
        if (dialog.DoModal() != IDOK)
            return;
        chosen = dialog.GetSelection();
    }
    OnCommand(commands.at(chosen));
}

void CMainFrame::OnFileOpen()
{
    QFileDialog dialog(this, tr("Open"), QString(), tr("All Files (*)"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    // Every window of admin shows what the server holds, and none is kept in
    // a file: no kind of window takes the chosen one, which is all there is
    // to say about it.
    AfxMessageBox(QString::fromUtf8(kFailedToOpenDocument), MB_OK | MB_ICONEXCLAMATION);
}

void CMainFrame::OnFilePrintSetup()
{
    // The program's one printer setting, which the report previews show and
    // print on.
    CPrintSetupDlg dialog(theApp().GetReportEngine().Printer(), this);
    dialog.DoModal();
}

void CMainFrame::OnFileClose()
{
    m_mdiArea->closeActiveSubWindow();
}

void CMainFrame::OnAppExit()
{
    close();
}

void CMainFrame::OnWindowCascade()
{
    m_mdiArea->cascadeSubWindows();
}

void CMainFrame::OnWindowTile()
{
    m_mdiArea->tileSubWindows();
}

void CMainFrame::OnWindowArrange()
{
    // Minimised windows in a row along the bottom of the MDI area.
    int left = 0;
    for (QMdiSubWindow *child : m_mdiArea->subWindowList()) {
        if (!child->isMinimized())
            continue;
        child->move(left, m_mdiArea->viewport()->height() - child->height());
        left += child->width();
    }
}

void CMainFrame::OnAppAbout()
{
    theApp().OnAppAbout();
}

void CMainFrame::OnHelpFinder()
{
    theApp().OnHelp();
}

void CMainFrame::OnHelp()
{
    theApp().OnHelp();
}
