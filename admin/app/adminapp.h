// The application object of admin: the one place that knows who is logged
// in to which server and with what rights. It starts the program (login,
// the login batch, the main frame, the first window, the wizard offer),
// owns the application's session on which every window makes its own, and
// disconnects it at exit. Every window reads the logged-in host, user,
// password, rights word, allowed user agents and the server's lists from it
// through theApp().
//
// Everything here runs on the user-interface thread; the members change only
// while Login runs.
#pragma once

#include "admin/reports/reportengine.h"
#include "admin/session/loginsettingsholder.h"
#include "admin/session/loginstatusthread.h"
#include "admin/session/sessionsettings.h"
#include "admin/session/tcllist.h"
#include "admin/uatools/ranges/rangelist.h"
#include "platform/messages/messages.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>

class CMainFrame;
class CProfile;
class CZELTSession;
class QWidget;

// A notification event the server knows, from "Notification_Events".
struct CNotificationEvent {
    uint32_t code = 0;
    QString name; // empty for an entry the server sent malformed
    bool operator==(const CNotificationEvent &) const = default;
};

class CAdminApp final : public CLoginSettingsHolder {
public:
    // Main menu resources, chosen by the rights word.
    enum MainMenu : int {
        MainMenuTopAdministrator = 120, // rights >= 0x80000000
        MainMenuAdministrator = 236,    // level above 0x10
        MainMenuMailboxAdministrator = 216,
    };

    // The system root user agent of each user-agent type; its number is the
    // type number the server knows.
    enum UserAgentRoot : uint32_t {
        RootMailbox = 0x7fffffff,
        RootDistributionList = 0x7ffffffe,
        RootIvr = 0x7ffffffd,
        RootAmisGateway = 0x7ffffffc,
        RootAmisProxy = 0x7ffffffb,
        RootDirectSendVoice = 0x7ffffffa,
        RootDirectSendFax = 0x7ffffff9,
        RootVpimGateway = 0x7ffffff8,
        RootVpimProxy = 0x7ffffff7,
    };

    // Permission bits of the rights word (its low bits).
    enum Permission : uint32_t {
        PermissionConfiguration = 0x1,
        PermissionShutdown = 0x8,
        PermissionNotificationTemplates = 0x10,
        PermissionReports = 0x20,
        PermissionClock = 0x80,
    };
    // From this rights word up every user agent is allowed and the voice-port
    // status window opens first.
    static constexpr uint32_t RightsAllUserAgents = 0x20000000;

    // Registry key and application name of the profile ("Software\Verbanta\Admin").
    static constexpr const char *RegistryKey = "Verbanta";
    static constexpr const char *ApplicationName = "Admin";
    static constexpr const char *LoginSection = "Login";

    // The application's session and every session made from it use
    // `sessionSettings` (tests shorten the waits there).
    explicit CAdminApp(const CSessionSettings &sessionSettings = CSessionSettings());
    // Stops the reply dispatcher pool, then the report engine closes.
    ~CAdminApp();
    CAdminApp(const CAdminApp &) = delete;
    CAdminApp &operator=(const CAdminApp &) = delete;

    // The start-up sequence; false ends the program (after saying why).
    bool InitInstance();
    // Disconnects and deletes the application's session; the exit code.
    int ExitInstance();

    // The login dialog, the connection, the default-password question, the
    // "Login" settings and the login batch; true when the program may go on.
    // Also run again by the main frame's Connect to Server: the old session
    // is replaced only once the whole login has gone through; a login that
    // fails leaves the old session, rights, roots and account in place.
    bool Login();
    // The login batch on the application's session; true on success.
    bool LoadUserRights();
    // Takes the login batch's answer (the list of its eighteen results, or
    // fewer: the steps present are kept); false when a needed answer is
    // missing or an error.
    bool ReadLoginBatchReply(const QString &reply);
    // A rights word as the server writes it: decimal, taken modulo 2^32.
    static std::optional<uint32_t> ParseRightsWord(const QString &text);

    // The window the frame posts as its first command: Voice Port Status
    // for rights from 0x20000000 up, else the mailbox editor.
    void PostStartWindowCommand() const;
    // Asks the server whether the configuration wizard ever ran, when these
    // rights may configure, and offers it; Yes posts the wizard command to
    // the main frame.
    void OfferConfigurationWizard();

    // The allowed-user-agent checks every window makes.
    bool IsUserAgentAllowed(int64_t userAgent) const;
    // Reads `text` as a range list and appends to `out` the numbers of it
    // that this administrator may touch; false when at least one was not
    // allowed (or the text is not a range list).
    bool CheckUserAgentList(const QString &text, CRangeList &out) const;
    void GetAllowedUserAgents(CRangeList &out) const;
    // Appends the allowed list as range-list text ("%d " a number, "%d-%d "
    // a range) and trims leading blanks.
    void FormatAllowedUserAgents(QString &text) const;

    // Help menu commands.
    void OnAppAbout();
    void OnHelp();

    // What the login left.
    QString ComputerList() const override { return m_strComputerList; }
    QString Host() const { return m_strHost; }
    QString User() const override { return m_strUser; }
    QString Password() const override { return m_strPassword; }
    bool RemembersPassword() const override { return m_strSavePassword == QLatin1String("1"); }
    bool NoPasswordStore() const override { return m_bNoPasswordStore; }
    uint32_t Rights() const { return m_dwRights; }
    // The administrator level: the top byte of the rights word.
    uint32_t RightsLevel() const { return m_dwRights >> 24; }
    bool HasPermission(uint32_t permission) const { return (m_dwRights & permission) == permission; }
    bool AllowsAllUserAgents() const { return m_dwRights >= RightsAllUserAgents; }
    // Rights from 0x40000000 up, or from 0x20000000 up with the
    // configuration permission.
    bool MayRunConfigurationWizard() const;
    int MainMenuId() const { return m_nMainMenuId; }
    // The system root text of a user-agent type; empty when the server has
    // none, and then that type's editors and creators refuse to start.
    QString RootText(UserAgentRoot root) const;
    QString AllowedUserAgentsText() const { return m_strAllowedUAs; }
    QString MsgCopyNormal() const { return m_strMsgCopyNormal; }
    QString MsgCopyUrgent() const { return m_strMsgCopyUrgent; }
    QString AimNormal() const { return m_strAimNormal; }
    // The text of one of the three event variables above by its server name
    // (EmrId_MsgCopy_Normal, EmrId_MsgCopy_Urgent, EmrId_AIM_Normal); empty
    // for any other name.
    QString EventVariable(const QString &name) const;
    QList<CNotificationEvent> NotificationEvents() const { return m_notificationEvents; }
    QStringList NotificationApps() const { return m_notificationApps; }
    QStringList UserApps() const { return m_userApps; }
    QStringList TuiDisabledApps() const { return m_tuiDisabledApps; }
    QStringList T1Protocols() const { return m_t1Protocols; }

    // The application's session; null before the first login. Windows make
    // their own sessions from it.
    CZELTSession *GetSession() const { return m_pSession.get(); }
    const CSessionSettings &GetSessionSettings() const { return m_sessionSettings; }
    // The main frame; null before start-up made it and after it is gone.
    CMainFrame *GetMainFrame() const;
    CReportEngine &GetReportEngine() { return m_reportEngine; }

    // The login dialog's OK hands the chosen values back.
    void SetLoginChoice(const QString &computerList, const QString &host, const QString &user,
                        const QString &password, bool savePassword) override;
    // A password changed on the server becomes the one this program logs in with.
    void SetPassword(const QString &password) { m_strPassword = password; }
    // The mailbox the administrator logged in with: the user name, when it is
    // a mailbox number, with that box's security code as the password; -1
    // for an account of any other name.
    long LoginMailbox() const;
    // The login mailbox got a new security code on the server: it becomes the
    // password this program logs in with, and the remembered one when the
    // password is remembered.
    void RememberSecurityCode(const QString &code);

    // The remembered password (enciphered in the registry of the user).
    // EnsureCryptKeys: whether passwords can be remembered at all.
    bool EnsureCryptKeys();
    bool SavePassword(const QString &password);
    // Nothing when there is no remembered password or it cannot be read.
    std::optional<QString> LoadSavedPassword();

private:
    void readLoginSettings();
    void storeLoginSettings();
    // What a login changes, kept to be put back when it fails.
    struct LoginState {
        QString computerList;
        QString savePassword;
        QString host;
        QString user;
        QString password;
        uint32_t rights;
        int mainMenuId;
        std::map<UserAgentRoot, QString> roots;
        QString allowedUAsText;
        CRangeList allowedUAs;
        QString msgCopyNormal;
        QString msgCopyUrgent;
        QString aimNormal;
        QList<CNotificationEvent> notificationEvents;
        QStringList notificationApps;
        QStringList userApps;
        QStringList tuiDisabledApps;
        QStringList t1Protocols;
    };
    LoginState takeLoginState() const;
    void restoreLoginState(LoginState &&state);
    bool connectNewSession(bool &changePasswordRequested, std::unique_ptr<CZELTSession> &previousSession,
                           std::optional<CLoginStatusThread> &progress);
    void clearLoginData();
    bool readRights(const QString &answer);
    void readVariable(size_t step, const QString &element);
    void readNotificationEvents(const QString &element);
    void readSortedList(const QString &element, QStringList &target) const;
    bool createMainFrame();
    CProfile profile() const;

    const CSessionSettings m_sessionSettings;
    CTclList m_listSplitter;

    QString m_strComputerList;
    bool m_bNoPasswordStore = false;
    QString m_strSavePassword;
    QString m_strHost;
    QString m_strUser;
    QString m_strPassword;
    uint32_t m_dwRights = 0;
    int m_nMainMenuId = MainMenuMailboxAdministrator;
    std::map<UserAgentRoot, QString> m_roots;
    QString m_strAllowedUAs;
    CRangeList m_allowedUAs;
    QString m_strMsgCopyNormal;
    QString m_strMsgCopyUrgent;
    QString m_strAimNormal;
    QList<CNotificationEvent> m_notificationEvents;
    QStringList m_notificationApps;
    QStringList m_userApps;
    QStringList m_tuiDisabledApps;
    QStringList m_t1Protocols;

    std::unique_ptr<CZELTSession> m_pSession;
    QPointer<CMainFrame> m_pMainFrame;
    CReportEngine m_reportEngine;
};

// The application object of this process; there is exactly one while
// theApp() is called (made by main, or by a test).
CAdminApp &theApp();
