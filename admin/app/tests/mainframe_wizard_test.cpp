// The main frame's Configuration Wizard command and the start-up offer that
// leads to it: the wizard runs on a session of its own, and the server is
// told that it was completed only when Finish ends a run that wrote the
// configuration; Cancel records nothing.
#include "admin/testsupport/appshelltestbase.h"

#include "admin/app/adminapp.h"
#include "admin/app/commandids.h"
#include "admin/app/logindlg.h"
#include "admin/app/mainframe.h"
#include "admin/app/runconfigwizarddlg.h"
#include "admin/app/tests/loginanswer.h"
#include "admin/config/wizard/configwizardpropsheet.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QString kRecorded = QStringLiteral("ConfigSetString configuration_wizard_accessed true 1");

class MainFrameWizard : public AppShellTestBase {
protected:
    void SetUp() override
    {
        AppShellTestBase::SetUp();
        startServer();
        m_server->seed(QStringLiteral("var configuration_wizard_accessed false"));
        m_app = std::make_unique<CAdminApp>(patientSettings());
        AnswerLogin(m_dialogs, m_server->host(), QStringLiteral("admin"), QStringLiteral("admin"));
    }
    void TearDown() override
    {
        if (m_app)
            m_app->ExitInstance();
        m_app.reset();
        AppShellTestBase::TearDown();
    }
    static void click(CConfigWizardPropSheet *wizard, int id)
    {
        QTest::mouseClick(wizard->GetDlgItem<QPushButton>(id), Qt::LeftButton);
    }
    static void nextToFinish(CConfigWizardPropSheet *wizard)
    {
        for (int step = CConfigWizardPropSheet::StepWelcome; step < CConfigWizardPropSheet::StepFinish; ++step)
            click(wizard, ID_WIZNEXT);
    }
    int recorded() const
    {
        int count = 0;
        for (const QString &text : m_server->commandTexts())
            count += text.trimmed() == kRecorded;
        return count;
    }

    std::unique_ptr<CAdminApp> m_app;
};

TEST_F(MainFrameWizard, FinishRecordsTheWizardOnItsOwnSessionCancelDoesNot)
{
    m_dialogs.on<CRunConfigWizardDlg>([](CRunConfigWizardDlg *d) { d->GetDlgItem<QPushButton>(IDNO)->click(); });
    ASSERT_TRUE(m_app->InitInstance());
    CMainFrame *frame = m_app->GetMainFrame();
    frame->UpdateCommandUI();
    ASSERT_TRUE(frame->CommandAction(ID_CONFIG_WIZARD)->isEnabled());

    m_dialogs.on<CConfigWizardPropSheet>([](CConfigWizardPropSheet *wizard) {
        nextToFinish(wizard);
        click(wizard, IDCANCEL);
    });
    const int links = m_server->connectionCount();
    frame->CommandAction(ID_CONFIG_WIZARD)->trigger();
    EXPECT_EQ(m_dialogs.pending(), 0);
    // The wizard's own link is closed when it ends.
    EXPECT_EQ(m_server->connectionCount(), links);
    EXPECT_EQ(recorded(), 0);

    m_dialogs.on<CConfigWizardPropSheet>([](CConfigWizardPropSheet *wizard) {
        nextToFinish(wizard);
        click(wizard, ID_WIZFINISH);
    });
    frame->CommandAction(ID_CONFIG_WIZARD)->trigger();
    EXPECT_EQ(m_dialogs.pending(), 0);
    EXPECT_EQ(recorded(), 1);
}

TEST_F(MainFrameWizard, YesToTheStartUpOfferOpensTheWizard)
{
    m_dialogs.on<CRunConfigWizardDlg>([](CRunConfigWizardDlg *d) { d->GetDlgItem<QPushButton>(IDYES)->click(); });
    bool shown = false;
    m_dialogs.on<CConfigWizardPropSheet>([&shown](CConfigWizardPropSheet *wizard) {
        shown = true;
        click(wizard, IDCANCEL);
    });
    ASSERT_TRUE(m_app->InitInstance());
    EXPECT_TRUE(WaitFor([&] { return shown; }));
    EXPECT_EQ(recorded(), 0);
}

} // namespace
