// Chanview's start-up: the login settings admin keeps, the remembered
// password, the login dialog and its retries on one session, and how the
// program ends: with code 0 when the port list is closed, also after the
// server went away under it; and with ExitNotStarted when it ends before
// the port list.
#include "admin/testsupport/appshelltestbase.h"

#include "admin/app/rememberedpassword.h"
#include "admin/ports/portstatisticsdlg.h"
#include "admin/session/zeltsession.h"
#include "admin/session/zltexception.h"
#include "chanview/chanviewapp.h"
#include "chanview/chanviewlogindlg.h"
#include "chanview/chanviewstrings.h"
#include "chanview/portstatusdlg.h"
#include "platform/registry/profile.h"
#include "platform/registry/regkey.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

void Click(CDialog *dialog, int id)
{
    dialog->GetDlgItem<QPushButton>(id)->click();
}

class ChanviewStartup : public AppShellTestBase {
protected:
    // With `portList` the real port status dialog runs once logged in;
    // otherwise a stand-in only notes that it would have.
    void makeApp(bool portList = false)
    {
        CSessionSettings settings = ChanviewSessionSettings();
        const CSessionSettings quick = quickSettings();
        settings.port = quick.port;
        // The monitor's own waits for the login are too short for a loaded machine.
        settings.stateWaitMs = quick.stateWaitMs;
        settings.disconnectWaitMs = quick.disconnectWaitMs;
        m_app = std::make_unique<CChanviewApp>(settings);
        if (!portList)
            m_app->SetMainWindowRunner([this] {
                m_mainWindowRan = true;
                return 0;
            });
    }
    void loginWith(const QString &password)
    {
        m_dialogs.on<CChanviewLoginDlg>([password](CChanviewLoginDlg *dialog) {
            dialog->GetDlgItem<QLineEdit>(CLoginDlg::IDC_PASSWORD)->setText(password);
            Click(dialog, IDOK);
        });
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
    // A value is a string, or (`number`) a number where a string belongs.
    struct Value {
        QString text;
        bool number = false;
    };
    struct Case {
        Value host, user, savePassword;
        QString message;
    };
    const Case cases[] = {
        {{QString(640, QChar('h'))}, {"admin"}, {"1"}, "Failed to read host name"}, // no room for the NUL
        {{"", true}, {"admin"}, {"1"}, "Failed to read host name"},
        {{"alpha,"}, {"", true}, {"1"}, "Failed to read user name"},
        {{QString(700, QChar('h'))}, {"", true}, {"", true}, "Failed to read host name"}, // checked first
        {{"alpha,"}, {"admin"}, {"", true}, "Failed to read save password flag"},
    };
    for (const Case &c : cases) {
        CRegKey key;
        ASSERT_EQ(key.Create(HKEY_CURRENT_USER, CChanviewLoginDlg::LoginKey), ERROR_SUCCESS);
        const std::pair<const char *, Value> values[] = {
            {"Host", c.host}, {"User", c.user}, {"SavePassword", c.savePassword}};
        for (const auto &[name, value] : values) {
            if (value.number)
                key.SetDword(name, 1);
            else
                key.SetString(name, value.text);
        }
        key.Close();
        makeApp();
        m_boxes->answer(IDOK);
        EXPECT_EQ(m_app->InitInstance(), CChanviewApp::ExitNotStarted);
        ASSERT_EQ(m_boxes->texts().size(), 1);
        EXPECT_EQ(m_boxes->texts().first(), c.message);
        m_boxes.reset();
        m_boxes = std::make_unique<MessageBoxScript>();
        m_app.reset();
        ASSERT_EQ(RegDeleteKey(HKEY_CURRENT_USER, CChanviewLoginDlg::LoginKey), ERROR_SUCCESS);
    }
}

TEST_F(ChanviewStartup, StartsAgainAfterItsOwnLoginLeftOnlyTheHost)
{
    startServer();
    makeApp();
    m_dialogs.on<CChanviewLoginDlg>([this](CChanviewLoginDlg *dialog) {
        fillLogin(dialog, m_server->host(), QStringLiteral("Cardomel"), QStringLiteral("Cardomel"));
        Click(dialog, IDOK);
    });
    EXPECT_EQ(m_app->InitInstance(), 0);
    ASSERT_TRUE(m_mainWindowRan);
    EXPECT_EQ(readLoginSetting(QStringLiteral("User")), QStringLiteral("<missing>"));

    m_app.reset();
    makeApp();
    m_dialogs.on<CChanviewLoginDlg>([this](CChanviewLoginDlg *dialog) {
        EXPECT_EQ(dialog->GetDlgItem<QComboBox>(CLoginDlg::IDC_COMPUTER)->currentText(), m_server->host());
        EXPECT_TRUE(dialog->GetDlgItem<QLineEdit>(CLoginDlg::IDC_NAME)->text().isEmpty());
        EXPECT_FALSE(dialog->GetDlgItem<QCheckBox>(CLoginDlg::IDC_REMEMBER_PASSWORD)->isChecked());
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(m_app->InitInstance(), CChanviewApp::ExitNotStarted);
    EXPECT_EQ(m_dialogs.pending(), 0);
    EXPECT_TRUE(m_boxes->texts().isEmpty());
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

TEST_F(ChanviewStartup, ADeclinedLoginBringsTheDialogBackAndOkConnectsTheSameSessionWithTheNewValues)
{
    startServer();
    writeLoginSettings(m_server->host() + ",", "Cardomel", "1");
    makeApp();
    loginWith(QStringLiteral("wrong"));
    CZELTSession *declined = nullptr;
    m_dialogs.on<CChanviewLoginDlg>([&](CChanviewLoginDlg *dialog) {
        declined = m_app->GetLoginSession();
        dialog->GetDlgItem<QLineEdit>(CLoginDlg::IDC_PASSWORD)->setText(QStringLiteral("Cardomel"));
        dialog->GetDlgItem<QCheckBox>(CLoginDlg::IDC_REMEMBER_PASSWORD)->setChecked(true);
        Click(dialog, IDOK);
    });
    m_boxes->answer(IDOK);
    EXPECT_EQ(m_app->InitInstance(), 0);
    EXPECT_EQ(m_dialogs.pending(), 0);
    ASSERT_NE(m_app->GetLoginSession(), nullptr);
    EXPECT_EQ(m_app->GetLoginSession(), declined);
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
    EXPECT_EQ(m_app->InitInstance(), CChanviewApp::ExitNotStarted);
    EXPECT_EQ(m_dialogs.pending(), 0);
    EXPECT_FALSE(m_mainWindowRan);
    ASSERT_NE(m_app->GetLoginSession(), nullptr);
    EXPECT_EQ(m_app->GetLoginSession()->GetState(), CZELTSession::StateNotConnected);
    EXPECT_TRUE(WaitFor([&] { return m_server->connectionCount() == 0; }));
}

// Started from a build tree before the library was registered: the
// monitor says what is missing and how to register it, and ends with a
// status that says it did not start.
TEST_F(ChanviewStartup, WithoutTheLibraryRegisteredItSaysHowToRegisterItAndEndsNonZero)
{
    startServer();
    QTemporaryDir unregistered;
    ASSERT_TRUE(unregistered.isValid());
    setenv("XDG_CONFIG_HOME", unregistered.path().toLocal8Bit().constData(), 1);
    writeLoginSettings(m_server->host() + ",", "Cardomel", "0");
    makeApp();
    loginWith(QStringLiteral("Cardomel"));
    m_boxes->answer(IDOK);
    EXPECT_EQ(m_app->InitInstance(), CChanviewApp::ExitNotStarted);
    EXPECT_FALSE(m_mainWindowRan);
    ASSERT_EQ(m_boxes->texts().size(), 1);
    const QStringList lines = m_boxes->texts().first().split(u'\n');
    EXPECT_EQ(lines.first(), QStringLiteral("CoGetClassObject Failed 80040154"));
    EXPECT_EQ(lines.last(),
              QStringLiteral("    %1/regsvr %1/libConduit.so").arg(QCoreApplication::applicationDirPath()));
}

TEST_F(ChanviewStartup, TypingAPasswordLeavesADisabledChangePasswordDisabled)
{
    // A remembered computer and name without a password disable the button.
    writeLoginSettings("alpha,", "admin", "0");
    makeApp();
    m_dialogs.on<CChanviewLoginDlg>([](CChanviewLoginDlg *dialog) {
        auto *change = dialog->GetDlgItem<QPushButton>(CLoginDlg::IDC_CHANGE_PASSWORD);
        auto *password = dialog->GetDlgItem<QLineEdit>(CLoginDlg::IDC_PASSWORD);
        EXPECT_FALSE(change->isEnabled());
        QTest::keyClicks(password, QStringLiteral("secret"));
        EXPECT_EQ(password->text(), QStringLiteral("secret"));
        EXPECT_FALSE(change->isEnabled());
        Click(dialog, IDCANCEL);
    });
    EXPECT_EQ(m_app->InitInstance(), CChanviewApp::ExitNotStarted);
    EXPECT_EQ(m_dialogs.pending(), 0);
}

TEST_F(ChanviewStartup, ChangePasswordChecksTheFieldsThenOnlyLogsIn)
{
    startServer();
    makeApp();
    m_dialogs.on<CChanviewLoginDlg>([this](CChanviewLoginDlg *dialog) {
        fillLogin(dialog, m_server->host(), QString(), QStringLiteral("Cardomel"));
        Click(dialog, CLoginDlg::IDC_CHANGE_PASSWORD);
        EXPECT_TRUE(dialog->isVisible());
        fillLogin(dialog, m_server->host(), QStringLiteral("Cardomel"), QString());
        Click(dialog, CLoginDlg::IDC_CHANGE_PASSWORD);
        EXPECT_TRUE(dialog->isVisible());
        fillLogin(dialog, m_server->host(), QStringLiteral("Cardomel"), QStringLiteral("Cardomel"));
        Click(dialog, CLoginDlg::IDC_CHANGE_PASSWORD);
    });
    m_boxes->answer({IDOK, IDOK});
    EXPECT_EQ(m_app->InitInstance(), 0);
    EXPECT_EQ(m_dialogs.pending(), 0);
    EXPECT_EQ(m_boxes->texts(), (QStringList{"Please enter user name", "Please enter your password"}));
    ASSERT_NE(m_app->GetLoginSession(), nullptr);
    EXPECT_EQ(m_app->GetLoginSession()->GetState(), CZELTSession::StateConnected);
    EXPECT_TRUE(m_mainWindowRan);
    EXPECT_EQ(readLoginSetting(QStringLiteral("Host")), m_server->host() + ",");
}

TEST_F(ChanviewStartup, ClosingThePortListEndsTheProgramWithCodeZero)
{
    startServer();
    writeLoginSettings(m_server->host() + ",", "Cardomel", "0");
    makeApp(true);
    loginWith(QStringLiteral("Cardomel"));
    bool listed = false;
    m_dialogs.on<CPortStatusDlg>([&](CPortStatusDlg *dialog) {
        listed = true;
        dialog->close();
    });
    EXPECT_EQ(m_app->InitInstance(), 0);
    EXPECT_TRUE(listed);
    EXPECT_TRUE(m_boxes->texts().isEmpty());
    // The dialog ended its own link; the login session's stays until the end.
    EXPECT_TRUE(WaitFor([&] { return m_server->connectionCount() == 1; }));
}

// A server that goes away takes the login session's link and the port
// list's together, or only one of them: either way the list keeps its rows,
// its title says the server is not available, no message interrupts the
// operator, and the program ends with code 0 when the operator closes it.
struct LostLinks {
    const char *name;
    bool loginLink, listLink;
};

void PrintTo(const LostLinks &lost, std::ostream *out)
{
    *out << lost.name;
}

class ChanviewServerLost : public ChanviewStartup, public testing::WithParamInterface<LostLinks> {};

TEST_P(ChanviewServerLost, MarksTheTitleKeepsTheRowsAndEndsWithCodeZeroWhenClosed)
{
    startServer();
    writeLoginSettings(m_server->host() + ",", "Cardomel", "0");
    makeApp(true);
    loginWith(QStringLiteral("Cardomel"));
    QString titleWhenClosed;
    int rowsWhenClosed = -1;
    bool stillShownWhenClosed = false;
    bool statisticsClosedByTheOperator = false;
    CPortStatusDlg *list = nullptr;
    m_dialogs.on<CPortStatusDlg>([&](CPortStatusDlg *dialog) {
        list = dialog;
        // Once the list is full, open a port's statistics and lose the server under it.
        auto *lose = new QTimer(dialog);
        QObject::connect(lose, &QTimer::timeout, [&, dialog, lose] {
            if (dialog->PortList()->count() < 8)
                return;
            lose->stop();
            dialog->PortList()->setCurrentRow(0);
            dialog->ShowFocusedPortStatistics();
        });
        lose->start(10);
        // The operator closes the list some event-loop turns after the loss.
        auto *close = new QTimer(dialog);
        auto turns = std::make_shared<int>(0);
        QObject::connect(close, &QTimer::timeout, [&, dialog, close, turns] {
            if (!dialog->IsServerLost() || !statisticsClosedByTheOperator || ++*turns < 20)
                return;
            close->stop();
            titleWhenClosed = dialog->windowTitle();
            rowsWhenClosed = dialog->PortList()->count();
            stillShownWhenClosed = dialog->isVisible();
            dialog->close();
        });
        close->start(10);
    });
    m_dialogs.on<CPortStatisticsDlg>([&](CPortStatisticsDlg *statistics) {
        const QList<testserver::LoggedCommand> log = m_server->commandLog();
        QList<int> links;
        for (const testserver::LoggedCommand &command : log)
            if (command.text.startsWith(QStringLiteral("LOGIN ")) && !links.contains(command.connection))
                links.append(command.connection);
        ASSERT_EQ(links.size(), 2);
        if (GetParam().loginLink) {
            EXPECT_TRUE(m_server->dropLink(links[0]));
        }
        if (GetParam().listLink) {
            EXPECT_TRUE(m_server->dropLink(links[1]));
        }
        // The statistics stay, after the loss too, until the operator closes them.
        auto *closeLater = new QTimer(statistics);
        auto turns = std::make_shared<int>(0);
        QObject::connect(closeLater, &QTimer::timeout, [&, statistics, closeLater, turns] {
            if (!list || !list->IsServerLost() || ++*turns < 20)
                return;
            closeLater->stop();
            statisticsClosedByTheOperator = statistics->isVisible();
            Click(statistics, CPortStatisticsDlg::MonitorLayout.closeId);
        });
        closeLater->start(10);
    });
    EXPECT_EQ(m_app->InitInstance(), 0);
    EXPECT_EQ(m_dialogs.pending(), 0);
    EXPECT_TRUE(statisticsClosedByTheOperator);
    EXPECT_TRUE(stillShownWhenClosed);
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join(u'|').toStdString();
    EXPECT_EQ(titleWhenClosed,
              QStringLiteral("Voice Ports Status on %1 - The server is not available.").arg(m_server->host()));
    EXPECT_EQ(rowsWhenClosed, 8);
    // Once the program has ended, nothing of it holds a link.
    m_app.reset();
    EXPECT_TRUE(WaitFor([&] { return m_server->connectionCount() == 0; }));
}

INSTANTIATE_TEST_SUITE_P(Links, ChanviewServerLost,
                         testing::Values(LostLinks{"Both", true, true}, LostLinks{"LoginOnly", true, false},
                                         LostLinks{"ListOnly", false, true}));

TEST_F(ChanviewStartup, TheMonitorsSessionSaysInterlockFailureInItsOwnWords)
{
    startServer();
    CSessionSettings settings = ChanviewSessionSettings();
    settings.port = quickSettings().port;
    settings.stateWaitMs = quickSettings().stateWaitMs;
    settings.replyWaitMs = 300;
    CZELTSession session(settings);
    session.Connect(
        CLoginCredentials{m_server->host(), QStringLiteral("Cardomel"), QStringLiteral("Cardomel")});
    m_server->delayNextReply(20000);
    try {
        session.Execute(QStringLiteral("set a 1"));
        ADD_FAILURE() << "no reply, yet Execute returned";
    } catch (const CZltException &failure) {
        EXPECT_EQ(failure.text(), QStringLiteral("Interlock failure"));
    }
    EXPECT_EQ(ChanviewSessionSettings().interlockFailure, QStringLiteral("Interlock failure"));
    EXPECT_EQ(CSessionSettings().interlockFailure, QStringLiteral("interlock failure"));
}

// Each way a login can fail, in the monitor's own words; the login dialog
// then comes back (here to be cancelled).
struct FailedLogin {
    const char *name;
    void (*prepare)(testserver::SimulatorProcess &server, CSessionSettings &settings);
    const char *message;
};

void PrintTo(const FailedLogin &failed, std::ostream *out)
{
    *out << failed.name;
}

class ChanviewFailedLogin : public ChanviewStartup, public testing::WithParamInterface<FailedLogin> {};

TEST_P(ChanviewFailedLogin, SaysWhyInItsOwnWordsAndOffersTheLoginAgain)
{
    startServer();
    writeLoginSettings(m_server->host() + ",", "Cardomel", "0");
    CSessionSettings settings = ChanviewSessionSettings();
    settings.port = m_server->port();
    settings.stateWaitMs = quickSettings().stateWaitMs;
    settings.disconnectWaitMs = quickSettings().disconnectWaitMs;
    GetParam().prepare(*m_server, settings);
    m_app = std::make_unique<CChanviewApp>(settings);
    m_app->SetMainWindowRunner([this] {
        m_mainWindowRan = true;
        return 0;
    });
    loginWith(QStringLiteral("Cardomel"));
    m_dialogs.on<CChanviewLoginDlg>([](CChanviewLoginDlg *dialog) { Click(dialog, IDCANCEL); });
    m_boxes->answer(IDOK);
    EXPECT_EQ(m_app->InitInstance(), CChanviewApp::ExitNotStarted);
    EXPECT_EQ(m_dialogs.pending(), 0);
    EXPECT_FALSE(m_mainWindowRan);
    EXPECT_EQ(m_boxes->texts(), QStringList{GetParam().message});
}

INSTANTIATE_TEST_SUITE_P(
    Failures, ChanviewFailedLogin,
    testing::Values(FailedLogin{"Refused",
                                [](testserver::SimulatorProcess &, CSessionSettings &settings) {
                                    settings.port = 3; // nothing listens there
                                },
                                "The server is not available."},
                    FailedLogin{"Silent",
                                [](testserver::SimulatorProcess &server, CSessionSettings &settings) {
                                    server.withholdNextGreeting();
                                    settings.stateWaitMs = 200;
                                },
                                "The server is not responding."},
                    FailedLogin{"Declined",
                                [](testserver::SimulatorProcess &server, CSessionSettings &) {
                                    server.refuseNextLogin();
                                },
                                "Please check your user id and password."}));

TEST(ChanviewSession, HasTheMonitorsTimeLimits)
{
    const CSessionSettings monitor = ChanviewSessionSettings();
    EXPECT_EQ(monitor.replyWaitMs, 40000u);
    EXPECT_EQ(monitor.timeToLiveMs, 30000);
    EXPECT_EQ(monitor.disconnectWaits, 3);
    EXPECT_EQ(monitor.disconnectWaitMs, 5000u);
    EXPECT_EQ(monitor.stateWaits, 3);
    EXPECT_EQ(monitor.stateWaitMs, 5000u);
    EXPECT_EQ(monitor.sweepPeriodMs, 5000u);
    EXPECT_EQ(monitor.transactionLockMs, 2000u);
    EXPECT_EQ(monitor.receiveTimeoutMs, 10000);
    EXPECT_EQ(monitor.port, 1561);
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
