// Start-up as a person sees it: the report engine, the login, the main frame
// of the rights level with its server, the wizard offer; and the cases in
// which start-up ends, with their reasons.
#include "admin/testsupport/appshelltestbase.h"

#include "admin/app/adminapp.h"
#include "admin/app/commandids.h"
#include "admin/app/logindlg.h"
#include "admin/app/mainframe.h"
#include "admin/app/runconfigwizarddlg.h"
#include "admin/app/tests/loginanswer.h"
#include "platform/registry/regkey.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

namespace {

class AdminAppStartup : public AppShellTestBase {
protected:
    void SetUp() override
    {
        AppShellTestBase::SetUp();
        startServer();
        m_server->seed(QStringLiteral("var configuration_wizard_accessed false"));
    }
    void TearDown() override
    {
        if (m_app)
            m_app->ExitInstance();
        m_app.reset();
        AppShellTestBase::TearDown();
    }

    void makeApp() { m_app = std::make_unique<CAdminApp>(quickSettings()); }
    void expectLogin(const QString &user)
    {
        AnswerLogin(m_dialogs, m_server->host(), user, user);
    }

    std::unique_ptr<CAdminApp> m_app;
};

TEST_F(AdminAppStartup, ShowsTheFrameOfAMailboxAdministratorWithoutTheWizard)
{
    makeApp();
    expectLogin(QStringLiteral("dept"));
    ASSERT_TRUE(m_app->InitInstance());
    CMainFrame *frame = m_app->GetMainFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->MenuId(), CAdminApp::MainMenuMailboxAdministrator);
    EXPECT_EQ(frame->ServerText(), m_server->host());
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(frame->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(m_dialogs.pending(), 0);
    EXPECT_FALSE(
        m_server->commandTexts().join(u'\n').contains(QStringLiteral("configuration_wizard_accessed")));
}

TEST_F(AdminAppStartup, OffersTheWizardToAnAdministratorWhoMayConfigure)
{
    makeApp();
    expectLogin(QStringLiteral("admin"));
    m_dialogs.on<CRunConfigWizardDlg>([](CRunConfigWizardDlg *dialog) {
        // Enter and Escape do not answer the question.
        QTest::keyClick(dialog, Qt::Key_Return);
        QTest::keyClick(dialog, Qt::Key_Escape);
        dialog->close();
        EXPECT_TRUE(dialog->isVisible());
        dialog->GetDlgItem<QPushButton>(IDNO)->click();
    });
    ASSERT_TRUE(m_app->InitInstance());
    EXPECT_EQ(m_dialogs.pending(), 0);
    EXPECT_EQ(m_app->GetMainFrame()->MenuId(), CAdminApp::MainMenuAdministrator);
    // Not ticked: nothing recorded, the question comes again next time.
    EXPECT_FALSE(m_server->commandTexts().join(u'\n').contains(QStringLiteral("ConfigSetString")));
}

struct StartWindowCase {
    const char *user;
    const char *window; // the first window the frame opens
    bool wizard;        // offered the configuration wizard
};

class AdminAppStartWindow : public AdminAppStartup, public testing::WithParamInterface<StartWindowCase> {
protected:
    QStringList windowTitles() const
    {
        QStringList found;
        for (QMdiSubWindow *child : m_app->GetMainFrame()->MdiArea()->subWindowList())
            found.append(child->windowTitle());
        return found;
    }
};

TEST_P(AdminAppStartWindow, OpensAfterLoginAndAgainAfterConnectToServer)
{
    makeApp();
    expectLogin(QString::fromUtf8(GetParam().user));
    if (GetParam().wizard)
        m_dialogs.on<CRunConfigWizardDlg>(
            [](CRunConfigWizardDlg *dialog) { dialog->GetDlgItem<QPushButton>(IDNO)->click(); });
    ASSERT_TRUE(m_app->InitInstance());
    CMainFrame *frame = m_app->GetMainFrame();
    ASSERT_TRUE(WaitFor([&] { return !frame->MdiArea()->subWindowList().isEmpty(); }));
    QTest::qWait(200); // nothing else follows
    EXPECT_EQ(windowTitles(), QStringList{GetParam().window});

    expectLogin(QString::fromUtf8(GetParam().user));
    if (GetParam().wizard)
        m_dialogs.on<CRunConfigWizardDlg>(
            [](CRunConfigWizardDlg *dialog) { dialog->GetDlgItem<QPushButton>(IDNO)->click(); });
    ASSERT_TRUE(frame->OnCommand(ID_CONNECT_TO_SERVER));
    ASSERT_TRUE(WaitFor([&] { return !frame->MdiArea()->subWindowList().isEmpty(); }));
    QTest::qWait(200);
    EXPECT_EQ(m_dialogs.pending(), 0);
    EXPECT_EQ(windowTitles().size(), 1);
    EXPECT_TRUE(windowTitles().first().startsWith(QString::fromUtf8(GetParam().window)))
        << windowTitles().join('|').toStdString();
}

const StartWindowCase kStartWindows[] = {
    {"admin", "Voice Ports Status", true}, // may see every box
    {"dept", "Mailbox Editor", false},     // a department's boxes
};
INSTANTIATE_TEST_SUITE_P(Rights, AdminAppStartWindow, testing::ValuesIn(kStartWindows),
                         [](const auto &info) { return std::string(info.param.user); });

TEST_F(AdminAppStartup, SaysWhyTheReportEngineCannotOpenAndGreysTheReports)
{
    // A file where the report folder's parent should be.
    ASSERT_TRUE(QDir(m_folder.path()).mkpath(QStringLiteral("data")));
    setenv("XDG_DATA_HOME", m_folder.filePath(QStringLiteral("data")).toLocal8Bit().constData(), 1);
    QFile blocker(m_folder.filePath(QStringLiteral("data/verbanta")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    makeApp();
    m_boxes->answer(IDOK);
    // An administrator of mailboxes who may run reports.
    expectLogin(QStringLiteral("dept"));
    ASSERT_TRUE(m_app->InitInstance());
    ASSERT_EQ(m_boxes->texts().size(), 1);
    EXPECT_TRUE(m_boxes->texts().first().contains(QStringLiteral("/verbanta/reports")))
        << m_boxes->texts().first().toStdString();
    EXPECT_TRUE(m_boxes->texts().first().endsWith(QStringLiteral("The reports can not be run.")));
    CMainFrame *frame = m_app->GetMainFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_FALSE(frame->IsCommandEnabled(ID_REPORT_OPTION1));
    EXPECT_TRUE(frame->IsCommandEnabled(ID_EDIT_UA_MAILBOX));
}

TEST_F(AdminAppStartup, WithoutAPasswordStoreTheRememberBoxIsDisabled)
{
    // The user's store cannot be written: a folder where its file should be.
    ASSERT_TRUE(QDir(m_folder.path()).mkpath(QStringLiteral("verbanta/user.ini")));
    makeApp();
    m_dialogs.on<CLoginDlg>([](CLoginDlg *dialog) {
        EXPECT_FALSE(dialog->GetDlgItem<QCheckBox>(CLoginDlg::IDC_REMEMBER_PASSWORD)->isEnabled());
        dialog->GetDlgItem<QPushButton>(IDCANCEL)->click();
    });
    EXPECT_FALSE(m_app->InitInstance());
    EXPECT_TRUE(m_app->NoPasswordStore());
    EXPECT_EQ(m_dialogs.pending(), 0);
    EXPECT_TRUE(m_boxes->texts().isEmpty());
}

TEST_F(AdminAppStartup, RemembersA64CharacterPassword)
{
    makeApp();
    const QString password(64, u'p');
    ASSERT_TRUE(m_app->SavePassword(password));
    EXPECT_EQ(m_app->LoadSavedPassword(), password);
    ASSERT_TRUE(m_app->SavePassword(QStringLiteral("abcde")));
    EXPECT_EQ(m_app->LoadSavedPassword(), QStringLiteral("abcde"));
    // Exactly the password's bytes, enciphered, without a terminator.
    CRegKey key;
    ASSERT_EQ(key.Open(HKEY_CURRENT_USER, "SOFTWARE\\Keltra\\Verbanta ES Administration"), ERROR_SUCCESS);
    const std::optional<QByteArray> stored = key.QueryBinary("Password");
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->size(), 5);
    EXPECT_NE(*stored, QByteArray("abcde"));
}

} // namespace
