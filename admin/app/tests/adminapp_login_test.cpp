// Logging in against the simulator: the login dialog, the connection, the
// default-password question, the stored settings and the login batch as
// the server receives it.
#include "admin/testsupport/appshelltestbase.h"

#include "admin/app/aboutdlg.h"
#include "admin/app/adminapp.h"
#include "admin/app/adminpassworddlg.h"
#include "admin/app/logindlg.h"
#include "admin/app/rememberedpassword.h"
#include "admin/app/runconfigwizarddlg.h"
#include "admin/session/loginstatuswnd.h"
#include "admin/session/serverexitnotice.h"
#include "admin/session/zeltsession.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <cerrno>
#include <cstdio>

#include <dlfcn.h>

namespace {
// While set, the store refuses every write that would hold a remembered
// password, as a full disk would refuse it.
std::atomic<bool> g_refuseStoredPassword{false};
} // namespace

// The settings store replaces its file by renaming a complete new one over
// it; this one sees that step first.
extern "C" int rename(const char *from, const char *to)
{
    if (g_refuseStoredPassword) {
        QFile written(QFile::decodeName(from));
        if (written.open(QIODevice::ReadOnly) && written.readAll().contains("%25vpassword=")) {
            errno = ENOSPC;
            return -1;
        }
    }
    using Rename = int (*)(const char *, const char *);
    static const auto next = reinterpret_cast<Rename>(dlsym(RTLD_NEXT, "rename"));
    return next(from, to);
}

namespace {

const QString kDefaultQuestion = QStringLiteral(
    "You are currently using the default manufacturer password.\nIt is recommended that you not use this "
    "password "
    "because\nit may allow an unauthorized login into your system.\nDo you want to change your password?");

void FillLogin(CLoginDlg *dialog, const QString &host, const QString &user, const QString &password)
{
    dialog->GetDlgItem<QComboBox>(CLoginDlg::IDC_COMPUTER)->setEditText(host);
    dialog->GetDlgItem<QLineEdit>(CLoginDlg::IDC_NAME)->setText(user);
    dialog->GetDlgItem<QLineEdit>(CLoginDlg::IDC_PASSWORD)->setText(password);
}

void Click(CDialog *dialog, int id)
{
    auto *button = dialog->GetDlgItem<QPushButton>(id);
    ASSERT_NE(button, nullptr) << id;
    button->click();
}

void SetNewPassword(CDialog *dialog, const QString &value, const QString &confirmation)
{
    dialog->GetDlgItem<QLineEdit>(CChangePasswordDlg::IDC_NEW_VALUE)->setText(value);
    dialog->GetDlgItem<QLineEdit>(CChangePasswordDlg::IDC_CONFIRM_VALUE)->setText(confirmation);
}

class AdminAppLogin : public AppShellTestBase {
protected:
    void SetUp() override
    {
        AppShellTestBase::SetUp();
        startServer();
        m_app = std::make_unique<CAdminApp>(quickSettings());
    }
    void TearDown() override
    {
        m_app.reset();
        AppShellTestBase::TearDown();
    }

    // Logs in through the dialog as `user`.
    void expectLogin(const QString &user, const QString &password)
    {
        m_dialogs.on<CLoginDlg>([this, user, password](CLoginDlg *dialog) {
            FillLogin(dialog, m_server->host(), user, password);
            Click(dialog, IDOK);
        });
    }
    QStringList commandsStartingWith(const QString &word) const
    {
        QStringList found;
        for (const QString &command : commands())
            if (command.startsWith(word))
                found.append(command);
        return found;
    }

    std::unique_ptr<CAdminApp> m_app;
};

TEST_F(AdminAppLogin, SendsTheLoginBatchExactlyAndReadsItsAnswers)
{
    expectLogin(QStringLiteral("admin"), QStringLiteral("admin"));
    ASSERT_TRUE(m_app->Login());

    const QString expected = QStringLiteral(
        "set _plist {{GetRemoteUser admin\r\n} {GetUA 2147483645 COS\r\n} {GetUA 2147483647 COS\r\n} "
        "{GetUA 2147483646 COS\r\n} {GetUA 2147483644 COS\r\n} {GetUA 2147483643 COS\r\n} "
        "{GetUA 2147483642 COS\r\n} {GetUA 2147483641 COS\r\n} {set EmrId_MsgCopy_Normal\r\n} "
        "{set EmrId_MsgCopy_Urgent\r\n} {set Notification_Events\r\n} {set Notification_Apps\r\n} "
        "{set Notification_TUIDisabled_Apps\r\n} {set EmrId_AIM_Normal\r\n} {set T1_Protocol_List\r\n} "
        "{set User_Apps\r\n} {GetUA 2147483640 COS\r\n} {GetUA 2147483639 COS\r\n}}\r\n"
        "set _vlist \"\"\r\n"
        "foreach i $_plist {\r\ncatch $i _tempv\r\nlappend _vlist $_tempv\r\n}\r\n"
        "set _vlist\r\n");
    EXPECT_EQ(commandsStartingWith(QStringLiteral("set _plist")), QStringList{expected});

    EXPECT_EQ(m_app->Rights(), 0x400000A9u);
    EXPECT_EQ(m_app->MainMenuId(), CAdminApp::MainMenuAdministrator);
    EXPECT_EQ(m_app->RootText(CAdminApp::RootMailbox), QStringLiteral("MB"));
    EXPECT_EQ(m_app->RootText(CAdminApp::RootVpimProxy), QStringLiteral("VPIM_PROXY"));
    EXPECT_EQ(m_app->MsgCopyUrgent(), QStringLiteral("58"));
    EXPECT_EQ(m_app->UserApps(), (QStringList{QStringLiteral("AutoAttendant"), QStringLiteral("Directory"),
                                              QStringLiteral("Voicemail")}));
    EXPECT_EQ(m_app->T1Protocols().first(), QStringLiteral("E&M Wink Start"));
    ASSERT_EQ(m_app->NotificationEvents().size(), 11);
    EXPECT_EQ(m_app->NotificationEvents().last(), (CNotificationEvent{70, QStringLiteral("Fax Received")}));
    EXPECT_TRUE(m_app->IsUserAgentAllowed(123456));
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join(u'|').toStdString();
}

TEST_F(AdminAppLogin, StoresTheLoginSettingsAfterConnecting)
{
    m_app->SetLoginChoice(QStringLiteral("other,"), QStringLiteral("other"), QString(), QString(), false);
    m_dialogs.on<CLoginDlg>([this](CLoginDlg *dialog) {
        FillLogin(dialog, m_server->host(), QStringLiteral("admin"), QStringLiteral("admin"));
        dialog->GetDlgItem<QCheckBox>(CLoginDlg::IDC_REMEMBER_PASSWORD)->setChecked(true);
        Click(dialog, IDOK);
    });
    ASSERT_TRUE(m_app->Login());
    EXPECT_EQ(readLoginSetting(QStringLiteral("Host")), m_server->host() + QStringLiteral(",other,"));
    EXPECT_EQ(readLoginSetting(QStringLiteral("User")), QStringLiteral("admin"));
    EXPECT_EQ(readLoginSetting(QStringLiteral("SavePassword")), QStringLiteral("1"));
    EXPECT_EQ(m_app->LoadSavedPassword(), QStringLiteral("admin"));
}

TEST_F(AdminAppLogin, ADeclinedLoginBringsTheDialogBackWithTheLastValues)
{
    m_dialogs.on<CLoginDlg>([this](CLoginDlg *dialog) {
        FillLogin(dialog, m_server->host(), QStringLiteral("admin"), QStringLiteral("wrong"));
        Click(dialog, IDOK);
    });
    m_dialogs.on<CLoginDlg>([this](CLoginDlg *dialog) {
        EXPECT_EQ(dialog->GetDlgItem<QComboBox>(CLoginDlg::IDC_COMPUTER)->currentText(), m_server->host());
        EXPECT_EQ(dialog->GetDlgItem<QLineEdit>(CLoginDlg::IDC_NAME)->text(), QStringLiteral("admin"));
        dialog->GetDlgItem<QLineEdit>(CLoginDlg::IDC_PASSWORD)->setText(QStringLiteral("admin"));
        Click(dialog, IDOK);
    });
    m_boxes->answer(IDOK);
    ASSERT_TRUE(m_app->Login());
    EXPECT_EQ(m_boxes->texts(), QStringList{QStringLiteral("Please check your user id and password.")});
    EXPECT_EQ(m_dialogs.pending(), 0);
}

TEST_F(AdminAppLogin, ACancelledLoginEndsWithoutAMessage)
{
    m_dialogs.on<CLoginDlg>([](CLoginDlg *dialog) { Click(dialog, IDCANCEL); });
    EXPECT_FALSE(m_app->Login());
    EXPECT_EQ(m_app->GetSession(), nullptr);
    EXPECT_TRUE(m_boxes->texts().isEmpty());
}

// Started from a build tree before the library was registered: the login
// says what is missing under the binding's own failure, with the command
// that registers the library, and that command mends it.
TEST_F(AdminAppLogin, WithoutTheLibraryRegisteredItGivesTheCommandThatRegistersIt)
{
    QTemporaryDir unregistered;
    ASSERT_TRUE(unregistered.isValid());
    setenv("XDG_CONFIG_HOME", unregistered.path().toLocal8Bit().constData(), 1);
    expectLogin(QStringLiteral("admin"), QStringLiteral("admin"));
    m_boxes->answer(IDOK);
    EXPECT_FALSE(m_app->Login());
    ASSERT_EQ(m_boxes->texts().size(), 1);
    const QStringList lines = m_boxes->texts().first().split(u'\n');
    EXPECT_EQ(lines.first(), QStringLiteral("CoGetClassObject Failed 80040154"));
    EXPECT_TRUE(lines.value(1).startsWith(QStringLiteral("libConduit.so is not registered")))
        << lines.value(1).toStdString();
    const QString bin = QCoreApplication::applicationDirPath();
    EXPECT_EQ(lines.last(), QStringLiteral("    %1/regsvr %1/libConduit.so").arg(bin));

    QStringList command = QProcess::splitCommand(lines.last());
    ASSERT_EQ(command.size(), 2);
    ASSERT_EQ(QProcess::execute(command.takeFirst(), command), 0);
    expectLogin(QStringLiteral("admin"), QStringLiteral("admin"));
    EXPECT_TRUE(m_app->Login());
    EXPECT_EQ(m_boxes->texts().size(), 1);
}

TEST_F(AdminAppLogin, TheDefaultLoginAnsweredNoGoesOnWithoutChangingThePassword)
{
    expectLogin(QStringLiteral("Cardomel"), QStringLiteral("Cardomel"));
    m_boxes->answer(IDNO);
    ASSERT_TRUE(m_app->Login());
    EXPECT_EQ(m_boxes->texts(), QStringList{kDefaultQuestion});
    EXPECT_EQ(m_boxes->transcript().front().type, UINT(MB_YESNO | MB_ICONQUESTION));
    EXPECT_TRUE(commandsStartingWith(QStringLiteral("GetRemoteUser")).isEmpty());
    EXPECT_EQ(m_app->MainMenuId(), CAdminApp::MainMenuTopAdministrator);
}

TEST_F(AdminAppLogin, TheDefaultLoginChangedKeepsTheRightsAndTakesAnyPassword)
{
    const QString password = QStringLiteral("a$b[c]{");
    expectLogin(QStringLiteral("Cardomel"), QStringLiteral("Cardomel"));
    m_boxes->answer(IDYES);
    m_dialogs.on<CAdminPasswordDlg>([password](CAdminPasswordDlg *dialog) {
        SetNewPassword(dialog, password, password);
        Click(dialog, IDOK);
    });
    ASSERT_TRUE(m_app->Login());
    EXPECT_EQ(m_app->Password(), password);
    EXPECT_EQ(commandsStartingWith(QStringLiteral("GetRemoteUser")),
              QStringList{QStringLiteral("GetRemoteUser Cardomel")});
    EXPECT_EQ(commandsStartingWith(QStringLiteral("ChangeRemoteUser")),
              QStringList{QStringLiteral("ChangeRemoteUser Cardomel a\\$b\\[c\\]\\{ 2164260863 {All} 0")});

    // The new password is the one that logs in now.
    expectLogin(QStringLiteral("Cardomel"), password);
    ASSERT_TRUE(m_app->Login());
    EXPECT_EQ(m_app->Rights(), 0x80FFFFFFu);
}

// The account's fourth field goes back as the number the server sent; one
// that is not a number is not sent back changed: the dialog is not used.
TEST_F(AdminAppLogin, ThePasswordChangeSendsTheFourthFieldBackAsItsNumber)
{
    m_server->seed(QStringLiteral("account clerk clerk 268435504 {100-105} 42"));
    m_dialogs.on<CLoginDlg>([this](CLoginDlg *dialog) {
        FillLogin(dialog, m_server->host(), QStringLiteral("clerk"), QStringLiteral("clerk"));
        Click(dialog, CLoginDlg::IDC_CHANGE_PASSWORD);
    });
    m_dialogs.on<CAdminPasswordDlg>([](CAdminPasswordDlg *dialog) {
        SetNewPassword(dialog, QStringLiteral("new-clerk"), QStringLiteral("new-clerk"));
        Click(dialog, IDOK);
    });
    ASSERT_TRUE(m_app->Login());
    EXPECT_EQ(commandsStartingWith(QStringLiteral("ChangeRemoteUser")),
              QStringList{QStringLiteral("ChangeRemoteUser clerk new-clerk 268435504 {100-105} 42")});

    m_server->seed(QStringLiteral("account clerk new-clerk 268435504 {100-105} forty-two"));
    m_server->clearLog();
    m_boxes->answer(IDOK);
    m_dialogs.on<CLoginDlg>([](CLoginDlg *dialog) {
        // Typed, so that the Change Password button comes back.
        auto *password = dialog->GetDlgItem<QLineEdit>(CLoginDlg::IDC_PASSWORD);
        password->clear();
        QTest::keyClicks(password, QStringLiteral("new-clerk"));
        Click(dialog, CLoginDlg::IDC_CHANGE_PASSWORD);
    });
    EXPECT_TRUE(m_app->Login());
    EXPECT_EQ(m_boxes->texts(), QStringList{"The account of clerk can not be read from the server."});
    EXPECT_TRUE(commandsStartingWith(QStringLiteral("ChangeRemoteUser")).isEmpty());
}

TEST_F(AdminAppLogin, TheChangePasswordButtonRunsTheDialogAfterConnecting)
{
    m_dialogs.on<CLoginDlg>([this](CLoginDlg *dialog) {
        FillLogin(dialog, m_server->host(), QStringLiteral("dept"), QStringLiteral("dept"));
        Click(dialog, CLoginDlg::IDC_CHANGE_PASSWORD);
    });
    m_dialogs.on<CAdminPasswordDlg>([](CAdminPasswordDlg *dialog) {
        SetNewPassword(dialog, QStringLiteral("newdept"), QStringLiteral("newdept"));
        Click(dialog, IDOK);
    });
    ASSERT_TRUE(m_app->Login());
    EXPECT_EQ(commandsStartingWith(QStringLiteral("ChangeRemoteUser")),
              QStringList{QStringLiteral("ChangeRemoteUser dept newdept 268435504 {100-105 200} 0")});
    EXPECT_TRUE(m_app->IsUserAgentAllowed(105));
    EXPECT_FALSE(m_app->IsUserAgentAllowed(106));
    EXPECT_EQ(m_app->AllowedUserAgentsText(), QStringLiteral("100-105 200 "));
}

TEST_F(AdminAppLogin, ARefusedPasswordChangeKeepsTheDialogOpenWithTheServersReason)
{
    m_server->failCommand(QStringLiteral("ChangeRemoteUser"), QStringLiteral("password history"));
    m_dialogs.on<CLoginDlg>([this](CLoginDlg *dialog) {
        FillLogin(dialog, m_server->host(), QStringLiteral("admin"), QStringLiteral("admin"));
        Click(dialog, CLoginDlg::IDC_CHANGE_PASSWORD);
    });
    m_boxes->answer(IDOK);
    m_dialogs.on<CAdminPasswordDlg>([](CAdminPasswordDlg *dialog) {
        SetNewPassword(dialog, QStringLiteral("next"), QStringLiteral("next"));
        Click(dialog, IDOK);
        EXPECT_TRUE(dialog->isVisible());
        Click(dialog, IDCANCEL);
    });
    ASSERT_TRUE(m_app->Login());
    ASSERT_EQ(m_boxes->texts().size(), 1);
    EXPECT_TRUE(m_boxes->texts().first().startsWith(QStringLiteral("Verbanta ES refused the change: !ERROR")))
        << m_boxes->texts().first().toStdString();
    EXPECT_TRUE(m_boxes->texts().first().contains(QStringLiteral("password history")));
    EXPECT_EQ(m_app->Password(), QStringLiteral("admin"));
}

TEST_F(AdminAppLogin, AMissingServerVariableFailsTheLoginBatch)
{
    QFile demo(testserver::SimulatorProcess::dataPath(QStringLiteral("demo.tcl")));
    ASSERT_TRUE(demo.open(QIODevice::ReadOnly));
    QByteArray data = demo.readAll();
    data.replace("var User_Apps", "# var User_Apps");
    const QString seed = m_folder.filePath(QStringLiteral("nouserapps.tcl"));
    QFile file(seed);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(data);
    file.close();
    m_server->loadData(seed);

    expectLogin(QStringLiteral("admin"), QStringLiteral("admin"));
    m_boxes->answer(IDOK);
    EXPECT_FALSE(m_app->Login());
    EXPECT_EQ(m_boxes->texts(),
              QStringList{QStringLiteral(
                  "Error in receiving initialization data from the server. The program can not be "
                  "started.")});
}

TEST_F(AdminAppLogin, AnUnreadableLoginBatchFailsTheLogin)
{
    for (const char *reply : {"set {abc", "set "}) {
        m_server->answerCommand(QStringLiteral("set"), QString::fromUtf8(reply));
        expectLogin(QStringLiteral("admin"), QStringLiteral("admin"));
        m_boxes->answer(IDOK);
        EXPECT_FALSE(m_app->Login()) << reply;
        EXPECT_EQ(m_boxes->texts().value(m_boxes->texts().size() - 1),
                  QStringLiteral("Error in receiving initialization data from the server. The program can "
                                 "not be started."))
            << reply;
        EXPECT_EQ(m_app->Rights(), 0u);
    }
    EXPECT_EQ(m_boxes->texts().size(), 2);
}

TEST_F(AdminAppLogin, TheProgressWindowStaysUpUntilTheLoginBatchIsAnsweredAndTheUserWaits)
{
    CSessionSettings settings = quickSettings();
    settings.progressDelayMs = 100;
    m_app.reset();
    m_app = std::make_unique<CAdminApp>(settings);
    m_server->delayNextReply(1500, QStringLiteral("set"));
    expectLogin(QStringLiteral("admin"), QStringLiteral("admin"));

    // Sampled while the login runs: the progress window on screen, and
    // whether a click of the user's reached another window.
    int shown = 0;
    int clicks = 0;
    QPushButton other(QStringLiteral("Other window"));
    other.show();
    QObject::connect(&other, &QPushButton::clicked, [&] { ++clicks; });
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        for (QWidget *window : QApplication::topLevelWidgets())
            if (qobject_cast<CLoginStatusWnd *>(window) && window->isVisible())
                ++shown;
        // The user clicks elsewhere once admin shows that it waits.
        if (shown > 0)
            QTest::mouseClick(&other, Qt::LeftButton);
    });
    sampler.start(50);
    QElapsedTimer elapsed;
    elapsed.start();
    ASSERT_TRUE(m_app->Login());
    sampler.stop();
    EXPECT_GE(elapsed.elapsed(), 1500);
    EXPECT_GE(shown, 10) << "a visible progress window for most of the 1.5 s";
    EXPECT_EQ(clicks, 0);
    for (QWidget *window : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<CLoginStatusWnd *>(window) && window->isVisible());
    EXPECT_EQ(m_app->Rights(), 0x400000A9u);
}

TEST_F(AdminAppLogin, ALoginAgainReplacesTheSessionAndForgetsTheOldRights)
{
    expectLogin(QStringLiteral("dept"), QStringLiteral("dept"));
    ASSERT_TRUE(m_app->Login());
    const CZELTSession *first = m_app->GetSession();
    ASSERT_NE(first, nullptr);
    ASSERT_FALSE(m_app->AllowedUserAgentsText().isEmpty());

    // Given up: the old session stays.
    m_dialogs.on<CLoginDlg>([](CLoginDlg *dialog) { Click(dialog, IDCANCEL); });
    EXPECT_FALSE(m_app->Login());
    EXPECT_EQ(m_app->GetSession(), first);
    EXPECT_EQ(m_app->GetSession()->GetState(), CZELTSession::StateConnected);

    expectLogin(QStringLiteral("admin"), QStringLiteral("admin"));
    ASSERT_TRUE(m_app->Login());
    EXPECT_EQ(m_app->GetSession()->GetState(), CZELTSession::StateConnected);
    EXPECT_EQ(m_app->Rights(), 0x400000A9u);
    EXPECT_TRUE(m_app->AllowedUserAgentsText().isEmpty());
    EXPECT_EQ(m_app->MainMenuId(), CAdminApp::MainMenuAdministrator);
}

TEST_F(AdminAppLogin, TheWizardIsOfferedWhileTheServerSaysItNeverRan)
{
    m_server->seed(QStringLiteral("var configuration_wizard_accessed false"));
    expectLogin(QStringLiteral("admin"), QStringLiteral("admin"));
    ASSERT_TRUE(m_app->Login());
    m_dialogs.on<CRunConfigWizardDlg>([](CRunConfigWizardDlg *dialog) {
        dialog->GetDlgItem<QCheckBox>(CRunConfigWizardDlg::IDC_DO_NOT_DISPLAY)->setChecked(true);
        Click(dialog, IDNO);
    });
    m_app->OfferConfigurationWizard();
    EXPECT_EQ(m_dialogs.pending(), 0);
    EXPECT_EQ(commandsStartingWith(QStringLiteral("if {[catch")),
              QStringList{QStringLiteral(
                  "if {[catch {set configuration_wizard_accessed}] != 0} {set "
                  "configuration_wizard_accessed false}\r\nset configuration_wizard_accessed\r\n")});
    EXPECT_EQ(commandsStartingWith(QStringLiteral("ConfigSetString")),
              QStringList{QStringLiteral("ConfigSetString configuration_wizard_accessed true 1\r\n")});

    // Recorded: no second question.
    m_app->OfferConfigurationWizard();
    EXPECT_EQ(commandsStartingWith(QStringLiteral("ConfigSetString")).size(), 1);
}

TEST_F(AdminAppLogin, TheWizardIsNeverOfferedToAMailboxAdministrator)
{
    m_server->seed(QStringLiteral("var configuration_wizard_accessed false"));
    m_server->setAccount(QStringLiteral("boxes"), QStringLiteral("boxes"), 0x10000001u,
                         QStringLiteral("100-199"));
    expectLogin(QStringLiteral("boxes"), QStringLiteral("boxes"));
    ASSERT_TRUE(m_app->Login());
    m_app->OfferConfigurationWizard();
    EXPECT_TRUE(commandsStartingWith(QStringLiteral("if {[catch")).isEmpty());
    EXPECT_EQ(m_app->MainMenuId(), CAdminApp::MainMenuMailboxAdministrator);
}

// The store refuses to take the password (as a full disk would): it is not
// remembered, and "SavePassword" is written as "0" so that no later start
// reads a password that was never stored.
TEST_F(AdminAppLogin, APasswordThatCannotBeStoredTurnsSavePasswordOff)
{
    const QString host = m_server->host();
    writeLoginSettings(host + QStringLiteral(","), QStringLiteral("admin"), QStringLiteral("1"));
    ASSERT_TRUE(CRememberedPassword::EnsureCryptKeys());
    m_app->SetLoginChoice(host + QStringLiteral(","), host, QStringLiteral("admin"), QString(), true);
    m_dialogs.on<CLoginDlg>([host](CLoginDlg *dialog) {
        FillLogin(dialog, host, QStringLiteral("admin"), QStringLiteral("admin"));
        dialog->GetDlgItem<QCheckBox>(CLoginDlg::IDC_REMEMBER_PASSWORD)->setChecked(true);
        Click(dialog, IDOK);
    });
    g_refuseStoredPassword = true;
    const bool loggedIn = m_app->Login();
    g_refuseStoredPassword = false;

    ASSERT_TRUE(loggedIn);
    EXPECT_FALSE(m_app->RemembersPassword());
    EXPECT_EQ(readLoginSetting(QStringLiteral("SavePassword")), QStringLiteral("0"));
    EXPECT_EQ(readLoginSetting(QStringLiteral("User")), QStringLiteral("admin"));
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join(u'|').toStdString();
}

TEST_F(AdminAppLogin, TheRememberedPasswordFillsTheDialogOnlyWhenRemembered)
{
    writeLoginSettings(m_server->host() + u',', QStringLiteral("admin"), QStringLiteral("1"));
    ASSERT_TRUE(m_app->SavePassword(QStringLiteral("admin")));
    m_dialogs.on<CLoginDlg>([](CLoginDlg *dialog) {
        EXPECT_EQ(dialog->GetDlgItem<QLineEdit>(CLoginDlg::IDC_PASSWORD)->text(), QStringLiteral("admin"));
        EXPECT_TRUE(dialog->GetDlgItem<QCheckBox>(CLoginDlg::IDC_REMEMBER_PASSWORD)->isChecked());
        Click(dialog, IDCANCEL);
    });
    m_dialogs.on<CLoginDlg>([](CLoginDlg *dialog) {
        EXPECT_TRUE(dialog->GetDlgItem<QLineEdit>(CLoginDlg::IDC_PASSWORD)->text().isEmpty());
        Click(dialog, IDCANCEL);
    });
    EXPECT_FALSE(m_app->InitInstance());

    writeLoginSettings(m_server->host() + u',', QStringLiteral("admin"), QStringLiteral("0"));
    CAdminApp *app = m_app.release();
    delete app;
    m_app = std::make_unique<CAdminApp>(quickSettings());
    EXPECT_FALSE(m_app->InitInstance());
    EXPECT_EQ(m_dialogs.pending(), 0);
}

TEST_F(AdminAppLogin, TheAboutBoxShowsTheServersVersion)
{
    expectLogin(QStringLiteral("admin"), QStringLiteral("admin"));
    ASSERT_TRUE(m_app->Login());
    m_dialogs.on<CAboutDlg>([](CAboutDlg *dialog) {
        EXPECT_EQ(dialog->GetDlgItemText(CAboutDlg::IDC_SERVER_VERSION),
                  QStringLiteral("Verbanta ES simulator 1.0"));
        Click(dialog, IDOK);
    });
    m_app->OnAppAbout();
    EXPECT_EQ(m_dialogs.pending(), 0);
}

// The server goes away while the password dialog is open: OK or Cancel then
// ends the program with the main frame's message, as the frame would.
using AdminAppLoginDeathTest = AdminAppLogin;

void LoseTheServerThenPress(testserver::SimulatorProcess &server, DialogScript &dialogs, int button)
{
    dialogs.on<CAdminPasswordDlg>([&server, button](CAdminPasswordDlg *dialog) {
        server.dropLinks();
        ASSERT_TRUE(WaitFor([] { return CServerExitNotice::IsServerLost(); }));
        SetNewPassword(dialog, QStringLiteral("newpass"), QStringLiteral("newpass"));
        Click(dialog, button);
        // Only a dialog that outlived the server gets here.
        if (dialog->isVisible())
            Click(dialog, IDCANCEL);
    });
}

TEST_F(AdminAppLoginDeathTest, OkAfterTheServerWentAwayEndsTheProgramWithItsMessage)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            expectLogin(QStringLiteral("Cardomel"), QStringLiteral("Cardomel"));
            m_boxes->answer({IDYES, IDOK, IDOK, IDOK});
            LoseTheServerThenPress(*m_server, m_dialogs, IDOK);
            m_app->Login();
            std::fprintf(stderr, "the login went on\n");
            std::exit(3);
        },
        ::testing::ExitedWithCode(0), "Server Shutdown occured, Admin will be closed");
}

TEST_F(AdminAppLoginDeathTest, CancelAfterTheServerWentAwayEndsTheProgramWithItsMessage)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            expectLogin(QStringLiteral("Cardomel"), QStringLiteral("Cardomel"));
            m_boxes->answer({IDYES, IDOK, IDOK, IDOK});
            LoseTheServerThenPress(*m_server, m_dialogs, IDCANCEL);
            m_app->Login();
            std::fprintf(stderr, "the login went on\n");
            std::exit(3);
        },
        ::testing::ExitedWithCode(0), "Server Shutdown occured, Admin will be closed");
}

} // namespace
