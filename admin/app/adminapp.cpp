// The application object; see adminapp.h. The login batch is the one
// command that tells the program who the administrator is: the rights word
// and allowed user agents, the roots of the user-agent kinds and the
// server's lists that the editors offer. Every value placed in it goes
// through the quoting helper, and every answer is checked before use.
#include "admin/app/adminapp.h"

#include "admin/app/aboutdlg.h"
#include "admin/app/adminpassworddlg.h"
#include "admin/app/commandids.h"
#include "admin/app/configwizardaccess.h"
#include "admin/app/logindlg.h"
#include "admin/app/mainframe.h"
#include "admin/app/rememberedpassword.h"
#include "admin/app/runconfigwizarddlg.h"
#include "admin/session/dispatcherpool.h"
#include "admin/session/loginstatusthread.h"
#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "admin/session/zeltsession.h"
#include "admin/session/zltexception.h"
#include "admin/session/zltexceptionlogindeclined.h"
#include "admin/widgets/htmlhelp.h"
#include "platform/msgbox/msgbox.h"
#include "platform/registry/profile.h"
#include "platform/registry/regkey.h"

#include <algorithm>
#include <array>

namespace {

CAdminApp *g_theApp = nullptr;

// The default manufacturer account, which every new server has.
const QString kDefaultLogin = QStringLiteral("Cardomel");

const QString kBatchFailed =
    QStringLiteral("Error in receiving initialization data from the server. The program can not be started.");
const QString kDefaultPasswordQuestion = QStringLiteral(
    "You are currently using the default manufacturer password.\nIt is recommended that you not use "
    "this password because\nit may allow an unauthorized login into your system.\nDo you want to "
    "change your password?");

// The login batch, in the order its answers come back.
enum class BatchKind { RemoteUser, Root, Variable };
struct BatchStep {
    BatchKind kind;
    uint32_t root = 0;      // Root steps: the root's number
    const char *variable{}; // Variable steps: the server variable
};
constexpr std::array<BatchStep, 18> kBatch = {{
    {BatchKind::RemoteUser},
    {BatchKind::Root, CAdminApp::RootIvr},
    {BatchKind::Root, CAdminApp::RootMailbox},
    {BatchKind::Root, CAdminApp::RootDistributionList},
    {BatchKind::Root, CAdminApp::RootAmisGateway},
    {BatchKind::Root, CAdminApp::RootAmisProxy},
    {BatchKind::Root, CAdminApp::RootDirectSendVoice},
    {BatchKind::Root, CAdminApp::RootDirectSendFax},
    {BatchKind::Variable, 0, "EmrId_MsgCopy_Normal"},
    {BatchKind::Variable, 0, "EmrId_MsgCopy_Urgent"},
    {BatchKind::Variable, 0, "Notification_Events"},
    {BatchKind::Variable, 0, "Notification_Apps"},
    {BatchKind::Variable, 0, "Notification_TUIDisabled_Apps"},
    {BatchKind::Variable, 0, "EmrId_AIM_Normal"},
    {BatchKind::Variable, 0, "T1_Protocol_List"},
    {BatchKind::Variable, 0, "User_Apps"},
    {BatchKind::Root, CAdminApp::RootVpimGateway},
    {BatchKind::Root, CAdminApp::RootVpimProxy},
}};
// Steps from here on may fail without failing the login: servers without
// VPIM have no such roots.
constexpr size_t kFirstOptionalStep = 16;

QString NotificationEventName(uint32_t code)
{
    switch (code) {
    case 22:
        return QStringLiteral("Normal Message");
    case 23:
        return QStringLiteral("Pickup");
    case 36:
        return QStringLiteral("Relay");
    case 50:
        return QStringLiteral("Disk Space < 30%");
    case 51:
        return QStringLiteral("Disk Space < 20%");
    case 52:
        return QStringLiteral("Disk Space < 10%");
    case 53:
        return QStringLiteral("Disk Space < 5%");
    case 58:
        return QStringLiteral("Urgent Message");
    case 59:
        return QStringLiteral("Port Out of Service");
    case 61:
        return QStringLiteral("temperature > warning threshold");
    default:
        return QString();
    }
}

// The element without its answer word, or nothing when it lacks the word or
// is an error reply.
std::optional<QString> AnswerOf(const QString &element, const QString &word)
{
    if (!element.startsWith(word))
        return std::nullopt;
    QString rest = element.mid(word.size());
    qsizetype blanks = 0;
    while (blanks < rest.size() && rest[blanks] == u' ')
        ++blanks;
    rest.remove(0, blanks);
    if (IsErrorReply(rest))
        return std::nullopt;
    return rest;
}

} // namespace

CAdminApp &theApp()
{
    Q_ASSERT(g_theApp);
    return *g_theApp;
}

CAdminApp::CAdminApp(const CSessionSettings &sessionSettings) : m_sessionSettings(sessionSettings)
{
    Q_ASSERT(!g_theApp);
    g_theApp = this;
}

CAdminApp::~CAdminApp()
{
    m_allowedUAs.Clear();
    if (m_pSession)
        ExitInstance();
    CDispatcherPool::Process().Stop();
    if (m_pMainFrame)
        delete m_pMainFrame.data();
    g_theApp = nullptr;
}

CMainFrame *CAdminApp::GetMainFrame() const
{
    return m_pMainFrame.data();
}

CProfile CAdminApp::profile() const
{
    return CProfile::inRegistry(QLatin1String(RegistryKey), QLatin1String(ApplicationName));
}

// --- start-up and exit -------------------------------------------------------

bool CAdminApp::InitInstance()
{
    readLoginSettings();
    m_bNoPasswordStore = !EnsureCryptKeys();
    m_strPassword.clear();
    if (!m_bNoPasswordStore && RemembersPassword())
        m_strPassword = LoadSavedPassword().value_or(QString());
    m_strAllowedUAs.clear();
    m_dwRights = 0;

    // Without the print engine the program still administers the server;
    // only the report commands stay greyed.
    if (!m_reportEngine.Open())
        AfxMessageBox(m_reportEngine.LastError() + QStringLiteral(" The reports can not be run."), MB_ICONSTOP);
    if (!Login())
        return false;
    if (!createMainFrame())
        return false;
    m_pMainFrame->ShowAtFirstSize();
    PostStartWindowCommand();
    OfferConfigurationWizard();
    m_pMainFrame->SetServerText(m_strHost);
    return true;
}

bool CAdminApp::createMainFrame()
{
    m_pMainFrame = new CMainFrame();
    if (!m_pMainFrame->LoadFrame(m_nMainMenuId)) {
        delete m_pMainFrame.data();
        return false;
    }
    return true;
}

int CAdminApp::ExitInstance()
{
    if (m_pSession) {
        try {
            m_pSession->Disconnect();
        } catch (const CZltException &e) {
            // The link ends with the process all the same.
            qWarning("admin: %s", e.what());
        }
        m_pSession.reset();
    }
    return 0;
}

void CAdminApp::readLoginSettings()
{
    const CProfile settings = profile();
    const QString section = QLatin1String(LoginSection);
    m_strComputerList = settings.GetProfileString(section, QStringLiteral("Host"));
    m_strUser = settings.GetProfileString(section, QStringLiteral("User"));
    m_strSavePassword = settings.GetProfileString(section, QStringLiteral("SavePassword"));
    m_strHost = m_strComputerList.section(QLatin1Char(CLoginDlg::ComputerSeparator), 0, 0);
}

void CAdminApp::storeLoginSettings()
{
    const CProfile settings = profile();
    const QString section = QLatin1String(LoginSection);
    settings.WriteProfileString(section, QStringLiteral("User"), m_strUser);
    settings.WriteProfileString(section, QStringLiteral("Host"), m_strComputerList);
    if (!m_bNoPasswordStore && RemembersPassword() && !SavePassword(m_strPassword))
        m_strSavePassword = QStringLiteral("0");
    settings.WriteProfileString(section, QStringLiteral("SavePassword"), m_strSavePassword);
}

void CAdminApp::PostStartWindowCommand() const
{
    if (!m_pMainFrame)
        return;
    const WPARAM command = AllowsAllUserAgents() ? ID_VOICE_PORT_STATUS : ID_EDIT_UA_MAILBOX;
    PostMessage(m_pMainFrame->GetSafeHwnd(), WM_COMMAND, command, 0);
}

bool CAdminApp::MayRunConfigurationWizard() const
{
    return m_dwRights >= 0x40000000u ||
           (m_dwRights >= RightsAllUserAgents && HasPermission(PermissionConfiguration));
}

void CAdminApp::OfferConfigurationWizard()
{
    if (!MayRunConfigurationWizard() || !m_pSession)
        return;
    try {
        if (GetConfigWizardAccessed(*m_pSession))
            return;
    } catch (const CZltException &e) {
        AfxMessageBox(e.text());
        return;
    }
    CRunConfigWizardDlg prompt(m_pMainFrame);
    const int answer = prompt.DoModal();
    if (prompt.DoNotDisplayAgain()) {
        try {
            SetConfigWizardAccessed(*m_pSession);
        } catch (const CZltException &) {
            // Only means the question comes again next time.
        }
    }
    if (answer == IDYES && m_pMainFrame)
        PostMessage(m_pMainFrame->GetSafeHwnd(), WM_COMMAND, ID_CONFIG_WIZARD, 0);
}

// --- login -------------------------------------------------------------------

long CAdminApp::LoginMailbox() const
{
    // Digits alone, up to the highest user-agent number; a name such as
    // "+106" or " 106" is an account's name, not a box.
    constexpr long kHighestNumber = 0x7fffffff;
    if (m_strUser.isEmpty() || m_strUser.size() > 10)
        return -1;
    for (QChar c : m_strUser)
        if (c < u'0' || c > u'9')
            return -1;
    const long long number = m_strUser.toLongLong();
    return number <= kHighestNumber ? long(number) : -1;
}

void CAdminApp::RememberSecurityCode(const QString &code)
{
    m_strPassword = code;
    if (m_bNoPasswordStore || !RemembersPassword() || SavePassword(code))
        return;
    // The old code must not be offered at the next start.
    m_strSavePassword = QStringLiteral("0");
    profile().WriteProfileString(QLatin1String(LoginSection), QStringLiteral("SavePassword"),
                                 m_strSavePassword);
}

void CAdminApp::SetLoginChoice(const QString &computerList, const QString &host, const QString &user,
                               const QString &password, bool savePassword)
{
    m_strComputerList = computerList;
    m_strHost = host;
    m_strUser = user;
    m_strPassword = password;
    m_strSavePassword = savePassword ? QStringLiteral("1") : QStringLiteral("0");
}

bool CAdminApp::Login()
{
    // A login again (Connect to Server) that does not go through leaves the
    // program as it was: the session it had, with the rights, roots and
    // lists read for it, and the account its windows log in with. A first
    // login that fails ends the program instead.
    const bool loggedIn = m_pSession != nullptr;
    LoginState previous = takeLoginState();
    std::unique_ptr<CZELTSession> previousSession;
    std::optional<CLoginStatusThread> progress;
    // A password changed on the server stays the account's, whatever follows.
    std::optional<CLoginCredentials> changedPassword;
    const auto fail = [&] {
        progress.reset();
        if (!loggedIn)
            return false;
        if (previousSession)
            m_pSession = std::move(previousSession);
        restoreLoginState(std::move(previous));
        if (changedPassword && changedPassword->host == m_strHost && changedPassword->user == m_strUser)
            m_strPassword = changedPassword->password;
        return false;
    };

    bool changePasswordRequested = false;
    if (!connectNewSession(changePasswordRequested, previousSession, progress))
        return fail();

    const bool defaultLogin = m_strUser == kDefaultLogin && m_strPassword == kDefaultLogin;
    if (defaultLogin || changePasswordRequested)
        progress.reset(); // the questions are the user's to answer now
    if (defaultLogin) {
        if (AfxMessageBox(kDefaultPasswordQuestion, MB_YESNO | MB_ICONQUESTION) == IDYES)
            changePasswordRequested = true;
    }
    if (changePasswordRequested) {
        int result = IDCANCEL;
        try {
            CAdminPasswordDlg dialog(*this, m_pMainFrame);
            result = dialog.DoModal();
        } catch (const CZltExceptionLoginDeclined &) {
            return fail(); // the session has said why
        } catch (const CZltException &e) {
            AfxMessageBox(e.text());
            return fail();
        }
        if (result == IDOK)
            changedPassword = CLoginCredentials{m_strHost, m_strUser, m_strPassword};
        if (result != IDOK && result != IDCANCEL)
            return fail();
    }

    storeLoginSettings();
    // The progress window stays up until the batch is answered.
    if (!progress)
        progress.emplace(CZELTSession::ProgressText(m_strHost), m_sessionSettings.progressDelayMs);
    progress->Start();
    const bool rightsRead = LoadUserRights();
    progress.reset();
    if (!rightsRead) {
        AfxMessageBox(kBatchFailed);
        return fail();
    }
    previousSession.reset();
    return true;
}

// Runs the login dialog until a session is connected or the administrator
// gives up. The new session takes the application's place; the old one stays
// connected in `previousSession` until the whole login has gone through.
bool CAdminApp::connectNewSession(bool &changePasswordRequested, std::unique_ptr<CZELTSession> &previousSession,
                                  std::optional<CLoginStatusThread> &progress)
{
    for (;;) {
        CLoginDlg dialog(*this, m_pMainFrame);
        if (dialog.DoModal() != IDOK)
            return false;
        changePasswordRequested = dialog.ChangePasswordRequested();
        try {
            auto session = std::make_unique<CZELTSession>(m_sessionSettings);
            progress.emplace(CZELTSession::ProgressText(m_strHost), m_sessionSettings.progressDelayMs);
            session->Connect(CLoginCredentials{m_strHost, m_strUser, m_strPassword}, &*progress);
            previousSession = std::move(m_pSession);
            m_pSession = std::move(session);
            return true;
        } catch (const CZltExceptionLoginDeclined &) {
            continue; // the session has said why; the dialog comes back
        } catch (const CZltException &e) {
            progress.reset();
            AfxMessageBox(e.text());
            return false;
        }
    }
}

CAdminApp::LoginState CAdminApp::takeLoginState() const
{
    return LoginState{m_strComputerList,   m_strSavePassword,   m_strHost,           m_strUser,
                      m_strPassword,       m_dwRights,          m_nMainMenuId,       m_roots,
                      m_strAllowedUAs,     m_allowedUAs,        m_strMsgCopyNormal,  m_strMsgCopyUrgent,
                      m_strAimNormal,      m_notificationEvents, m_notificationApps, m_userApps,
                      m_tuiDisabledApps,   m_t1Protocols};
}

void CAdminApp::restoreLoginState(LoginState &&state)
{
    m_strComputerList = std::move(state.computerList);
    m_strSavePassword = std::move(state.savePassword);
    m_strHost = std::move(state.host);
    m_strUser = std::move(state.user);
    m_strPassword = std::move(state.password);
    m_dwRights = state.rights;
    m_nMainMenuId = state.mainMenuId;
    m_roots = std::move(state.roots);
    m_strAllowedUAs = std::move(state.allowedUAsText);
    m_allowedUAs = std::move(state.allowedUAs);
    m_strMsgCopyNormal = std::move(state.msgCopyNormal);
    m_strMsgCopyUrgent = std::move(state.msgCopyUrgent);
    m_strAimNormal = std::move(state.aimNormal);
    m_notificationEvents = std::move(state.notificationEvents);
    m_notificationApps = std::move(state.notificationApps);
    m_userApps = std::move(state.userApps);
    m_tuiDisabledApps = std::move(state.tuiDisabledApps);
    m_t1Protocols = std::move(state.t1Protocols);
}

// --- the login batch ---------------------------------------------------------

void CAdminApp::clearLoginData()
{
    m_dwRights = 0;
    m_nMainMenuId = MainMenuMailboxAdministrator;
    m_roots.clear();
    m_allowedUAs.Clear();
    m_strAllowedUAs.clear();
}

bool CAdminApp::LoadUserRights()
{
    if (!m_pSession)
        return false;
    QString list = QStringLiteral("{{GetRemoteUser %1\r\n}").arg(TclBareWord(m_strUser));
    for (size_t i = 1; i < kBatch.size(); ++i) {
        const BatchStep &step = kBatch[i];
        if (step.kind == BatchKind::Root)
            list += QStringLiteral(" {GetUA %1 COS\r\n}").arg(step.root);
        else
            list += QStringLiteral(" {set %1\r\n}").arg(QLatin1String(step.variable));
    }
    list += u'}';
    const QString command =
        QStringLiteral("set _plist %1\r\nset _vlist \"\"\r\n").arg(list) +
        QStringLiteral("foreach i $_plist {\r\ncatch $i _tempv\r\nlappend _vlist $_tempv\r\n}\r\n") +
        QStringLiteral("set _vlist\r\n");
    QString reply;
    try {
        reply = m_pSession->Execute(command);
    } catch (const CZltException &e) {
        qWarning("admin: login batch: %s", e.what());
        return false;
    }
    return ReadLoginBatchReply(reply);
}

bool CAdminApp::ReadLoginBatchReply(const QString &reply)
{
    if (IsErrorReply(reply))
        return false;
    QStringList answers;
    m_listSplitter.SplitList(reply, answers);
    // A reply that is no list, or an empty one, tells nothing about the
    // account: it is no login.
    if (answers.isEmpty())
        return false;

    clearLoginData();
    for (size_t i = 0; i < kBatch.size() && qsizetype(i) < answers.size(); ++i) {
        const BatchStep &step = kBatch[i];
        const QString &element = answers[qsizetype(i)];
        switch (step.kind) {
        case BatchKind::RemoteUser: {
            const std::optional<QString> answer = AnswerOf(element, QStringLiteral("GetRemoteUser "));
            if (!answer || !readRights(*answer))
                return false;
            break;
        }
        case BatchKind::Root: {
            const std::optional<QString> answer = AnswerOf(element, QStringLiteral("GetUA "));
            if (!answer) {
                if (i < kFirstOptionalStep)
                    return false;
                break; // the root stays empty
            }
            QStringList fields;
            m_listSplitter.SplitList(*answer, fields);
            if (fields.size() > 3)
                m_roots[UserAgentRoot(step.root)] = fields[3];
            break;
        }
        case BatchKind::Variable:
            // A missing variable answers with an error text naming it.
            if (element.contains(QLatin1String(step.variable)))
                return false;
            readVariable(i, element);
            break;
        }
    }
    return true;
}

QString CAdminApp::EventVariable(const QString &name) const
{
    if (name == QLatin1String("EmrId_MsgCopy_Normal"))
        return m_strMsgCopyNormal;
    if (name == QLatin1String("EmrId_MsgCopy_Urgent"))
        return m_strMsgCopyUrgent;
    if (name == QLatin1String("EmrId_AIM_Normal"))
        return m_strAimNormal;
    return QString();
}

void CAdminApp::readVariable(size_t step, const QString &element)
{
    switch (step) {
    case 8:
        m_strMsgCopyNormal = element;
        break;
    case 9:
        m_strMsgCopyUrgent = element;
        break;
    case 10:
        readNotificationEvents(element);
        break;
    case 11:
        readSortedList(element, m_notificationApps);
        break;
    case 12:
        readSortedList(element, m_tuiDisabledApps);
        break;
    case 13:
        m_strAimNormal = element;
        break;
    case 14:
        readSortedList(element, m_t1Protocols);
        break;
    case 15:
        readSortedList(element, m_userApps);
        break;
    default:
        Q_ASSERT(false);
    }
}

std::optional<uint32_t> CAdminApp::ParseRightsWord(const QString &text)
{
    // A decimal number, taken modulo 2^32: servers write the top level both
    // as 2164260863 and as -2130706433.
    qsizetype i = 0;
    const bool negative = text.startsWith(u'-');
    if (negative)
        ++i;
    if (i == text.size())
        return std::nullopt;
    uint32_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9')
            return std::nullopt;
        value = value * 10u + uint32_t(text[i].unicode() - u'0');
    }
    return negative ? uint32_t(0u - value) : value;
}

bool CAdminApp::readRights(const QString &answer)
{
    QStringList fields;
    m_listSplitter.SplitList(answer, fields);
    const std::optional<uint32_t> rights = fields.size() >= 2 ? ParseRightsWord(fields[1]) : std::nullopt;
    if (!rights)
        return false;
    m_dwRights = *rights;
    if (fields.size() >= 3) {
        if (const std::optional<CRangeList> allowed = CRangeList::Parse(fields[2]))
            m_allowedUAs.Add(*allowed);
        FormatAllowedUserAgents(m_strAllowedUAs);
    }
    if (m_dwRights >= 0x80000000u)
        m_nMainMenuId = MainMenuTopAdministrator;
    else if (RightsLevel() > 0x10)
        m_nMainMenuId = MainMenuAdministrator;
    else
        m_nMainMenuId = MainMenuMailboxAdministrator;
    return true;
}

void CAdminApp::readNotificationEvents(const QString &element)
{
    m_notificationEvents.clear();
    QStringList items;
    m_listSplitter.SplitList(element, items);
    for (const QString &item : items) {
        QStringList parts;
        m_listSplitter.SplitList(item, parts);
        CNotificationEvent event;
        bool isNumber = false;
        const uint32_t code = parts.isEmpty() ? 0 : parts[0].toUInt(&isNumber);
        if (isNumber && parts.size() == 2) {
            event = {code, parts[1]};
        } else if (isNumber && parts.size() == 1) {
            const QString known = NotificationEventName(code);
            event = {code, known.isEmpty() ? QStringLiteral("Event_") + parts[0] : known};
        }
        m_notificationEvents.append(event);
    }
}

void CAdminApp::readSortedList(const QString &element, QStringList &target) const
{
    target.clear();
    QStringList items;
    m_listSplitter.SplitList(element, items);
    const auto firstEmpty = std::stable_partition(items.begin(), items.end(),
                                                  [](const QString &item) { return !item.isEmpty(); });
    std::stable_sort(items.begin(), firstEmpty,
                     [](const QString &a, const QString &b) { return a.toUtf8() < b.toUtf8(); });
    target = items;
}

// --- allowed user agents -----------------------------------------------------

bool CAdminApp::IsUserAgentAllowed(int64_t userAgent) const
{
    return AllowsAllUserAgents() || m_allowedUAs.Contains(userAgent);
}

bool CAdminApp::CheckUserAgentList(const QString &text, CRangeList &out) const
{
    const std::optional<CRangeList> asked = CRangeList::Parse(text);
    if (!asked)
        return false;
    if (AllowsAllUserAgents()) {
        out.Add(*asked);
        return true;
    }
    const CRangeList allowed = asked->Intersected(m_allowedUAs);
    out.Add(allowed);
    return allowed.Count() == asked->Count();
}

void CAdminApp::GetAllowedUserAgents(CRangeList &out) const
{
    out = m_allowedUAs;
}

void CAdminApp::FormatAllowedUserAgents(QString &text) const
{
    text += m_allowedUAs.Format();
    qsizetype blanks = 0;
    while (blanks < text.size() && text[blanks] == u' ')
        ++blanks;
    text.remove(0, blanks);
}

QString CAdminApp::RootText(UserAgentRoot root) const
{
    const auto it = m_roots.find(root);
    return it == m_roots.end() ? QString() : it->second;
}

// --- the remembered password -------------------------------------------------

bool CAdminApp::EnsureCryptKeys()
{
    return CRememberedPassword::EnsureCryptKeys();
}

bool CAdminApp::SavePassword(const QString &password)
{
    return CRememberedPassword::Save(password);
}

std::optional<QString> CAdminApp::LoadSavedPassword()
{
    return CRememberedPassword::Load();
}

// --- help menu ---------------------------------------------------------------

void CAdminApp::OnAppAbout()
{
    CAboutDlg about(m_pSession.get(), m_pMainFrame);
    about.DoModal();
}

void CAdminApp::OnHelp()
{
    CallHtmlHelp(nullptr, QStringLiteral("admin.chm"), HH_DISPLAY_TOPIC, 0);
}
