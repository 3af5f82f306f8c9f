// Chanview's start-up: the login settings admin keeps, the remembered
// password, the login dialog and its retries.
#include "appshelltestbase.h"

#include "admin/app/rememberedpassword.h"
#include "admin/app/zeltsession.h"
#include "chanview/chanviewapp.h"
#include "chanview/chanviewlogindlg.h"
#include "chanview/chanviewstrings.h"
#include "platform/registry/profile.h"
#include "platform/registry/regkey.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>

namespace {

void Click(CDialog *dialog, int id)
{
    dialog->GetDlgItem<QPushButton>(id)->click();
}

class ChanviewStartup : public AppShellTestBase {
protected:
    void makeApp()
    {
        CSessionSettings settings = ChanviewSessionSettings();
        const CSessionSettings quick = quickSettings();
        settings.port = quick.port;
        settings.disconnectWaitMs = quick.disconnectWaitMs;
        m_app = std::make_unique<CChanviewApp>(settings);
        m_app->SetMainWindowRunner([this] { m_mainWindowRan = true; });
    }
    void TearDown() override
    {
        m_app.reset();
        AppShellTestBase::TearDown();
    }
    void fillLogin(CLoginDlg *dialog, const QString &host, const QString &user, const QString &password)
    {
        dialog->GetDlgItem<QComboBox>(CLoginDlg::IDC_COMPUTER)->setEditText(host);
        dialog->GetDlgItem<QLineEdit>(CLoginDlg::IDC_NAME)->setText(user);
        dialog->GetDlgItem<QLineEdit>(CLoginDlg::IDC_PASSWORD)->setText(password);
    }

    std::unique_ptr<CChanviewApp> m_app;
    bool m_mainWindowRan = false;
};

TEST_F(ChanviewStartup, WithoutTheLoginKeyTheDialogStartsEmpty)
{
    makeApp();
    m_dialogs.on<CChanviewLoginDlg>([](CChanviewLoginDlg *dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Voice Ports Status Login"));
        EXPECT_EQ(dialog->GetDlgItem<QComboBox>(CLoginDlg::IDC_COMPUTER)->count(), 0);
        EXPECT_TRUE(dialog->GetDlgItem<QLineEdit>(CLoginDlg::IDC_NAME)->text().isEmpty());
        EXPECT_TRUE(dialog->GetDlgItem<QLineEdit>(CLoginDlg::IDC_PASSWORD)->text().isEmpty());
        EXPECT_FALSE(dialog->GetDlgItem<QCheckBox>(CLoginDlg::IDC_REMEMBER_PASSWORD)->isChecked());
        Click(dialog, IDCANCEL);
    });
    m_app->InitInstance();
    EXPECT_EQ(m_dialogs.pending(), 0);
    EXPECT_EQ(m_app->GetLoginSession(), nullptr);
    EXPECT_FALSE(m_mainWindowRan);
    EXPECT_TRUE(m_boxes->texts().isEmpty());
}

TEST_F(ChanviewStartup, UnreadableValuesEndTheProgramSayingWhich)
{
    struct Case {
        QString host, user, savePassword;
        bool writeUser, writeSave;
        QString message;
    };
    const Case cases[] = {
        {QString(700, QChar('h')), "admin", "1", true, true, "Failed to read host name"},
        {"alpha,", "", "", false, false, "Failed to read user name"},
        {"alpha,", "admin", "", true, false, "Failed to read save password flag"},
    };
    for (const Case &c : cases) {
        CRegKey key;
        ASSERT_EQ(key.Create(HKEY_CURRENT_USER, CChanviewLoginDlg::LoginKey), ERROR_SUCCESS);
        key.SetString("Host", c.host);
        if (c.writeUser)
            key.SetString("User", c.user);
        if (c.writeSave)
            key.SetString("SavePassword", c.savePassword);
        key.Close();
        makeApp();
        m_boxes->answer(IDOK);
        m_app->InitInstance();
        ASSERT_EQ(m_boxes->texts().size(), 1);
        EXPECT_EQ(m_boxes->texts().first(), c.message);
        m_boxes.reset();
        m_boxes = std::make_unique<MessageBoxScript>();
        m_app.reset();
        ASSERT_EQ(RegDeleteKey(HKEY_CURRENT_USER, CChanviewLoginDlg::LoginKey), ERROR_SUCCESS);
    }
}

TEST_F(ChanviewStartup, OffersEveryHostAndTakesTheFirstAsCurrent)
{
    writeLoginSettings("alpha,beta,gamma,", "admin", "0");
    makeApp();
    ASSERT_TRUE(m_app->ReadStartSettings());
    EXPECT_EQ(m_app->GetCurrentHost(), QStringLiteral("alpha"));
    m_dialogs.on<CChanviewLoginDlg>([](CChanviewLoginDlg *dialog) {
        auto *computers = dialog->GetDlgItem<QComboBox>(CLoginDlg::IDC_COMPUTER);
        ASSERT_EQ(computers->count(), 3);
        EXPECT_EQ(computers->itemText(2), QStringLiteral("gamma"));
        EXPECT_EQ(computers->currentText(), QStringLiteral("alpha"));
        Click(dialog, IDCANCEL);
    });
    EXPECT_FALSE(m_app->LoginWithRetries());
}

TEST_F(ChanviewStartup, RestoresTheRememberedPasswordOnlyWhenThereIsOne)
{
    writeLoginSettings("alpha,", "admin", "1");
    makeApp();
    ASSERT_TRUE(m_app->ReadStartSettings());
    EXPECT_TRUE(m_app->RemembersPassword());
    EXPECT_TRUE(m_app->Password().isEmpty());

    const QString full(64, QChar('p'));
    ASSERT_TRUE(CRememberedPassword::Save(full));
    m_app.reset();
    makeApp();
    ASSERT_TRUE(m_app->ReadStartSettings());
    EXPECT_EQ(m_app->Password(), full);
}

TEST_F(ChanviewStartup, WithoutAKeyContainerNothingIsRestoredOrStored)
{
    writeLoginSettings("alpha,", "admin", "1");
    ASSERT_TRUE(CRememberedPassword::Save(QStringLiteral("secret")));
    // The user's store cannot be written any more: its file becomes a folder.
    const QString store = m_folder.filePath(QStringLiteral("verbanta/user.ini"));
    ASSERT_TRUE(QFile::remove(store));
    ASSERT_TRUE(QDir().mkpath(store));
    makeApp();
    ASSERT_TRUE(m_app->ReadStartSettings());
    EXPECT_TRUE(m_app->NoPasswordStore());
    EXPECT_TRUE(m_app->Password().isEmpty());
    m_dialogs.on<CChanviewLoginDlg>([](CChanviewLoginDlg *dialog) {
        EXPECT_FALSE(dialog->GetDlgItem<QCheckBox>(CLoginDlg::IDC_REMEMBER_PASSWORD)->isEnabled());
        Click(dialog, IDCANCEL);
    });
    EXPECT_FALSE(m_app->LoginWithRetries());
}

TEST_F(ChanviewStartup, ADeclinedLoginBringsTheDialogBackAndOkConnectsWithTheNewValues)
{
    startServer();
    writeLoginSettings(m_server->host() + ",", "Cardomel", "1");
    makeApp();
    m_dialogs.on<CChanviewLoginDlg>([](CChanviewLoginDlg *dialog) {
        dialog->GetDlgItem<QLineEdit>(CLoginDlg::IDC_PASSWORD)->setText(QStringLiteral("wrong"));
        Click(dialog, IDOK);
    });
    m_dialogs.on<CChanviewLoginDlg>([](CChanviewLoginDlg *dialog) {
        dialog->GetDlgItem<QLineEdit>(CLoginDlg::IDC_PASSWORD)->setText(QStringLiteral("Cardomel"));
        dialog->GetDlgItem<QCheckBox>(CLoginDlg::IDC_REMEMBER_PASSWORD)->setChecked(true);
        Click(dialog, IDOK);
    });
    m_boxes->answer(IDOK);
    m_app->InitInstance();
    EXPECT_EQ(m_dialogs.pending(), 0);
    ASSERT_NE(m_app->GetLoginSession(), nullptr);
    EXPECT_EQ(m_app->GetLoginSession()->GetState(), CZELTSession::StateConnected);
    EXPECT_TRUE(m_mainWindowRan);
    ASSERT_EQ(m_boxes->texts().size(), 1);
    EXPECT_EQ(m_boxes->texts().first(), QStringLiteral("Please check your user id and password."));
    EXPECT_EQ(CRememberedPassword::Load().value_or(QString()), QStringLiteral("Cardomel"));
    EXPECT_EQ(CProfile::inIniFile(QStringLiteral("Chanview.ini"))
                  .GetProfileString(QStringLiteral("Login"), QStringLiteral("SavePassword")),
              QStringLiteral("1"));
    // The computer list went where admin keeps it.
    EXPECT_TRUE(readLoginSetting(QStringLiteral("Host")).startsWith(m_server->host() + ","));
}

TEST_F(ChanviewStartup, ADeclinedLoginThenCancelEndsTheProgram)
{
    startServer();
    m_server->refuseNextLogin();
    writeLoginSettings(m_server->host() + ",", "Cardomel", "0");
    makeApp();
    m_dialogs.on<CChanviewLoginDlg>([](CChanviewLoginDlg *dialog) {
        dialog->GetDlgItem<QLineEdit>(CLoginDlg::IDC_PASSWORD)->setText(QStringLiteral("Cardomel"));
        Click(dialog, IDOK);
    });
    m_dialogs.on<CChanviewLoginDlg>([](CChanviewLoginDlg *dialog) { Click(dialog, IDCANCEL); });
    m_boxes->answer(IDOK);
    m_app->InitInstance();
    EXPECT_EQ(m_dialogs.pending(), 0);
    EXPECT_FALSE(m_mainWindowRan);
}

TEST(ChanviewHostList, LeavesOutNamesThatWouldPassTheLimit)
{
    const QString longName(300, QChar('x'));
    const QString list = QStringLiteral("alpha,") + longName + "," + longName + ",beta,";
    const QString limited = CChanviewApp::LimitHostList(list);
    EXPECT_EQ(limited, QStringLiteral("alpha,") + longName + ",beta,");
    EXPECT_LE(limited.size(), CChanviewApp::HostListLimit);
}
} // namespace
