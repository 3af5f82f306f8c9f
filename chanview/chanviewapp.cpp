// See chanviewapp.h.
#include "chanview/chanviewapp.h"

#include "admin/app/rememberedpassword.h"
#include "admin/session/zeltsession.h"
#include "admin/session/zltexception.h"
#include "admin/session/zltexceptionlogindeclined.h"
#include "chanview/chanviewlogindlg.h"
#include "chanview/portstatusdlg.h"
#include "platform/msgbox/msgbox.h"
#include "platform/registry/profile.h"
#include "platform/registry/regkey.h"

#include <QStringList>

namespace {
CChanviewApp *g_theApp = nullptr;

// A value as the monitor reads it, into a buffer of ValueBufferSize bytes:
// a string that fits is read; one of another type, or too long for the
// buffer, is unreadable. A value that is not there reads as empty: the
// monitor's own login dialog leaves only "Host" in the key, and the next
// start must not fail over the values it did not write.
std::optional<QString> readValue(const CRegKey &key, const char *name)
{
    QByteArray buffer(CChanviewApp::ValueBufferSize, '\0');
    uint32_t type = 0;
    uint32_t size = uint32_t(buffer.size());
    const LONG result = RegQueryValueEx(key.handle(), name, &type, buffer.data(), &size);
    if (result == ERROR_FILE_NOT_FOUND)
        return QString();
    if (result != ERROR_SUCCESS || type != REG_SZ)
        return std::nullopt;
    return QString::fromUtf8(buffer.constData(), qsizetype(qstrnlen(buffer.constData(), size)));
}
} // namespace

CChanviewApp &theChanviewApp()
{
    Q_ASSERT(g_theApp);
    return *g_theApp;
}

CChanviewApp::CChanviewApp(const CSessionSettings &settings)
    : m_settings(settings), m_runMainWindow([this] { return runPortStatusDialog(); })
{
    Q_ASSERT(!g_theApp);
    g_theApp = this;
}

CChanviewApp::~CChanviewApp()
{
    if (m_pSession) {
        try {
            m_pSession->Disconnect();
        } catch (const CZltException &) {
            // Ending anyway; the session's destructor answers what is left.
        }
    }
    m_pSession.reset();
    g_theApp = nullptr;
}

int CChanviewApp::InitInstance()
{
    if (!ReadStartSettings() || !LoginWithRetries())
        return ExitNotStarted;
    rememberPassword();
    return m_runMainWindow();
}

bool CChanviewApp::ReadStartSettings()
{
    switch (ReadLoginKey()) {
    case LoginKey::HostUnreadable:
        AfxMessageBox(QStringLiteral("Failed to read host name"));
        return false;
    case LoginKey::UserUnreadable:
        AfxMessageBox(QStringLiteral("Failed to read user name"));
        return false;
    case LoginKey::SaveFlagUnreadable:
        AfxMessageBox(QStringLiteral("Failed to read save password flag"));
        return false;
    case LoginKey::Read:
    case LoginKey::Missing:
        break;
    }
    m_strCurrentHost = m_strHostList.section(QLatin1Char(CLoginDlg::ComputerSeparator), 0, 0);
    m_bNoEncryption = !CRememberedPassword::EnsureCryptKeys();
    m_strPassword.clear();
    if (!m_bNoEncryption && RemembersPassword())
        m_strPassword = CRememberedPassword::Load().value_or(QString());
    return true;
}

CChanviewApp::LoginKey CChanviewApp::ReadLoginKey()
{
    m_strHostList.clear();
    m_strUser.clear();
    m_strSavePassword.clear();
    CRegKey key;
    if (key.Open(HKEY_CURRENT_USER, CChanviewLoginDlg::LoginKey) != ERROR_SUCCESS)
        return LoginKey::Missing;
    const std::optional<QString> host = readValue(key, "Host");
    if (!host)
        return LoginKey::HostUnreadable;
    const std::optional<QString> user = readValue(key, "User");
    if (!user)
        return LoginKey::UserUnreadable;
    const std::optional<QString> saveFlag = readValue(key, "SavePassword");
    if (!saveFlag)
        return LoginKey::SaveFlagUnreadable;
    m_strHostList = *host;
    m_strUser = *user;
    m_strSavePassword = *saveFlag;
    return LoginKey::Read;
}

bool CChanviewApp::LoginWithRetries()
{
    if (!runLoginDialog())
        return false;
    // One session for every attempt: each Connect starts a link of its own.
    m_pSession = std::make_unique<CZELTSession>(m_settings);
    for (;;) {
        try {
            m_pSession->Connect(CLoginCredentials{m_strCurrentHost, m_strUser, m_strPassword});
            return true;
        } catch (const CZltExceptionLoginDeclined &) {
            // Connect has said why; the administrator may try other values.
            if (!runLoginDialog())
                return false;
        } catch (const CZltException &failure) {
            failure.ReportError();
            return false;
        }
    }
}

bool CChanviewApp::runLoginDialog()
{
    CChanviewLoginDlg login(*this);
    return login.DoModal() == IDOK;
}

void CChanviewApp::rememberPassword()
{
    if (!m_bNoEncryption && RemembersPassword() && !CRememberedPassword::Save(m_strPassword))
        m_strSavePassword = QStringLiteral("0");
    // The monitor's own settings file, not admin's login key.
    CProfile::inIniFile(QStringLiteral("Chanview.ini"))
        .WriteProfileString(QStringLiteral("Login"), QStringLiteral("SavePassword"), m_strSavePassword);
}

int CChanviewApp::runPortStatusDialog()
{
    // The operator closes the dialog, whether the server is still there or
    // not: either way the monitor did what was asked of it.
    CPortStatusDlg dialog;
    dialog.DoModal();
    return 0;
}

void CChanviewApp::SetLoginChoice(const QString &computerList, const QString &host, const QString &user,
                                  const QString &password, bool savePassword)
{
    m_strHostList = LimitHostList(computerList);
    m_strCurrentHost = host;
    m_strUser = user;
    m_strPassword = password;
    m_strSavePassword = savePassword ? QStringLiteral("1") : QStringLiteral("0");
}

QString CChanviewApp::LimitHostList(const QString &list)
{
    const QChar separator = QLatin1Char(CLoginDlg::ComputerSeparator);
    const QStringList names = list.split(separator, Qt::SkipEmptyParts);
    if (names.isEmpty())
        return QString();
    QString limited = names.first() + separator;
    for (qsizetype i = 1; i < names.size(); ++i) {
        if (limited.size() + names[i].size() + 1 <= HostListLimit)
            limited += names[i] + separator;
    }
    return limited;
}
