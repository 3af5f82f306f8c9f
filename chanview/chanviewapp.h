// Chanview's application object: reads the login settings admin keeps,
// restores the remembered password, logs in (again and again while the
// server declines) and runs the port status dialog as the program's only
// window. The login session is made once and connects again for every
// retry; it stays for the life of the program, and the dialog's own session
// shares its messaging class object.
#pragma once

#include "admin/session/loginsettingsholder.h"
#include "admin/session/sessionsettings.h"

#include <QString>

#include <functional>
#include <memory>

class CZELTSession;

class CChanviewApp : public CLoginSettingsHolder {
public:
    // How reading admin's login key ended.
    enum class LoginKey { Read, Missing, HostUnreadable, UserUnreadable, SaveFlagUnreadable };
    // Each registry value is read into a buffer of this many bytes.
    static constexpr int ValueBufferSize = 640;
    // The stored host list stays within this many characters.
    static constexpr int HostListLimit = 511;

    explicit CChanviewApp(const CSessionSettings &settings);
    ~CChanviewApp();
    CChanviewApp(const CChanviewApp &) = delete;
    CChanviewApp &operator=(const CChanviewApp &) = delete;

    // The exit code of a start that ended before the port list showed: its
    // settings could not be read, the link library could not be reached,
    // or the operator cancelled the login.
    static constexpr int ExitNotStarted = 1;

    // The whole start-up; returns when the program is to end, with its exit
    // code: ExitNotStarted when it ended before the port list, else the
    // main-window runner's (tests replace the runner): 0, also when the port
    // list was closed after the server went away.
    int InitInstance();
    // Reads the settings and the remembered password (start-up steps before
    // the login dialog); false when the program must end.
    bool ReadStartSettings();
    // The login loop; true once the login session is connected.
    bool LoginWithRetries();
    void SetMainWindowRunner(std::function<int()> runner) { m_runMainWindow = std::move(runner); }

    LoginKey ReadLoginKey();
    QString GetCurrentHost() const { return m_strCurrentHost; }
    CZELTSession *GetLoginSession() const { return m_pSession.get(); }
    QString RememberFlag() const { return m_strSavePassword; }

    // CLoginSettingsHolder
    QString ComputerList() const override { return m_strHostList; }
    QString User() const override { return m_strUser; }
    QString Password() const override { return m_strPassword; }
    bool RemembersPassword() const override { return m_strSavePassword == QLatin1String("1"); }
    bool NoPasswordStore() const override { return m_bNoEncryption; }
    void SetLoginChoice(const QString &computerList, const QString &host, const QString &user,
                        const QString &password, bool savePassword) override;

    // `list` (current host first, each name followed by a comma) with the
    // names that would pass the limit left out.
    static QString LimitHostList(const QString &list);

private:
    bool runLoginDialog();
    void rememberPassword();
    int runPortStatusDialog();

    const CSessionSettings m_settings;
    QString m_strHostList;
    bool m_bNoEncryption = false;
    QString m_strSavePassword;
    QString m_strPassword;
    QString m_strUser;
    QString m_strCurrentHost;
    std::unique_ptr<CZELTSession> m_pSession;
    std::function<int()> m_runMainWindow;
};

// The one application object while the program runs.
CChanviewApp &theChanviewApp();
