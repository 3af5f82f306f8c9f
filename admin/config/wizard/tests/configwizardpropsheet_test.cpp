// The configuration wizard run as its user runs it: Next, Back and Finish
// clicked on the real buttons, a voice port's extension typed on its step,
// and what reached the server counted in the simulator's log.
#include "admin/config/wizard/configwizardpropsheet.h"

#include "admin/config/tests/configtestbase.h"
#include "admin/config/voiceportsppg.h"
#include "admin/widgets/spreadsheetex.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

class ConfigWizardTest : public ConfigTestBase {
protected:
    void SetUp() override
    {
        ConfigTestBase::SetUp();
        m_server->loadConfiguration();
        connectSession();
    }
    // Runs the wizard; `steps` acts on it while it shows; returns its result.
    int run(const std::function<void(CConfigWizardPropSheet *)> &steps)
    {
        CConfigWizardPropSheet wizard;
        wizard.SetSession(m_session.get());
        m_dialogs.on<CConfigWizardPropSheet>(steps);
        const int result = wizard.DoModal();
        m_written = wizard.ConfigurationWritten();
        EXPECT_EQ(m_dialogs.pending(), 0);
        return result;
    }
    static void click(CConfigWizardPropSheet *wizard, int id)
    {
        auto *button = wizard->GetDlgItem<QPushButton>(id);
        ASSERT_NE(button, nullptr);
        ASSERT_TRUE(button->isVisible() && button->isEnabled()) << id;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    static void typeExtension(CConfigWizardPropSheet *wizard, int port, const QString &text)
    {
        CSpreadSheetEx *grid = wizard->VoicePorts()->Grid();
        grid->setCurrentCell(port - 1, CVoicePortsPpg::ColExtension - 1);
        grid->editItem(grid->item(port - 1, CVoicePortsPpg::ColExtension - 1));
        QLineEdit *editor = nullptr;
        for (QLineEdit *candidate : grid->viewport()->findChildren<QLineEdit *>())
            if (candidate->isVisible())
                editor = candidate;
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QTest::qWait(0);
    }
    static void screenshot(CConfigWizardPropSheet *wizard, const QString &name)
    {
        const QString folder = qEnvironmentVariable("VERBANTA_BINARY_DIR") + "/screenshots";
        QDir().mkpath(folder);
        QCoreApplication::processEvents();
        wizard->grab().save(folder + "/" + name);
    }
    int linesSetting(const QString &name) const
    {
        int count = 0;
        for (const QString &command : commands())
            count += command.contains("ConfigSetString " + name + " ");
        return count;
    }

    bool m_written = false;
};

TEST_F(ConfigWizardTest, StepsInOrderWithTheirCaptionsAndButtons)
{
    struct Step {
        QString caption;
        bool back;
        bool finish;
        QString screenshot;
    };
    const QList<Step> steps{
        {"Configuration Wizard", false, false, "wizard-1-welcome.png"},
        {"Configuration Wizard - Define Answer Methods", true, false, "wizard-2-answer-methods.png"},
        {"Configuration Wizard - Set Up Voice Ports", true, false, "wizard-3-voice-ports.png"},
        {"Configuration Wizard - Select Holidays", true, false, "wizard-4-holidays.png"},
        {"Configuration Wizard - Update VerbantaES System Configuration", true, false, "wizard-5-update.png"},
        {"Configuration Wizard - Create Classes Of Service", true, false, "wizard-6-cos.png"},
        {"Configuration Wizard - Create Mailboxes", true, false, "wizard-7-mailboxes.png"},
        {"Configuration Wizard", true, true, "wizard-8-finish.png"},
    };
    const int result = run([&](CConfigWizardPropSheet *wizard) {
        for (int i = 0; i < steps.size(); ++i) {
            const Step &step = steps[i];
            EXPECT_EQ(wizard->GetActiveIndex(), i);
            EXPECT_EQ(wizard->windowTitle(), step.caption);
            EXPECT_EQ(wizard->GetDlgItem<QPushButton>(ID_WIZBACK)->isEnabled(), step.back) << i;
            EXPECT_EQ(wizard->GetDlgItem<QPushButton>(ID_WIZFINISH)->isVisible(), step.finish) << i;
            screenshot(wizard, step.screenshot);
            click(wizard, step.finish ? ID_WIZFINISH : ID_WIZNEXT);
        }
    });
    EXPECT_EQ(result, ID_WIZFINISH);
    EXPECT_TRUE(m_written);
}

TEST_F(ConfigWizardTest, UpdateWritesWhatWasTypedAndBackThenNextWritesAgain)
{
    run([&](CConfigWizardPropSheet *wizard) {
        click(wizard, ID_WIZNEXT);
        click(wizard, ID_WIZNEXT);
        typeExtension(wizard, 7, "3007");
        click(wizard, ID_WIZNEXT);
        EXPECT_EQ(linesSetting("Line7"), 0); // nothing is sent before the update step
        click(wizard, ID_WIZNEXT);
        click(wizard, ID_WIZNEXT);
        EXPECT_EQ(linesSetting("Line7"), 1);
        EXPECT_EQ(wizard->GetActiveIndex(), int(CConfigWizardPropSheet::StepCos));
        // Back to the update step and Next again: the configuration goes once more.
        click(wizard, ID_WIZBACK);
        click(wizard, ID_WIZBACK);
        click(wizard, ID_WIZBACK);
        EXPECT_EQ(wizard->GetActiveIndex(), int(CConfigWizardPropSheet::StepVoicePorts));
        typeExtension(wizard, 7, "3017");
        click(wizard, ID_WIZNEXT);
        click(wizard, ID_WIZNEXT);
        click(wizard, ID_WIZNEXT);
        EXPECT_EQ(linesSetting("Line7"), 2);
        click(wizard, IDCANCEL);
    });
    EXPECT_TRUE(m_written);
    reconnect();
    QString line;
    CConfigDepot depot;
    depot.SetChannel(m_session.get());
    ASSERT_TRUE(depot.FetchVariable("Line7", line));
    EXPECT_TRUE(line.contains("3017")) << line.toStdString();
}

TEST_F(ConfigWizardTest, ARefusedUpdateStaysOnItsStep)
{
    m_server->refuseVariable("Line7");
    m_boxes->answer(IDOK);
    const int result = run([&](CConfigWizardPropSheet *wizard) {
        click(wizard, ID_WIZNEXT);
        click(wizard, ID_WIZNEXT);
        typeExtension(wizard, 7, "3007");
        click(wizard, ID_WIZNEXT);
        click(wizard, ID_WIZNEXT);
        click(wizard, ID_WIZNEXT);
        EXPECT_EQ(wizard->GetActiveIndex(), int(CConfigWizardPropSheet::StepUpdate));
        EXPECT_FALSE(wizard->ConfigurationWritten());
        screenshot(wizard, "wizard-5-update-refused.png");
        click(wizard, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_FALSE(m_written);
    ASSERT_EQ(m_boxes->texts().size(), 1);
    EXPECT_EQ(m_boxes->texts()[0], "Server reported error while updating configuration 'Line7'.");
}

} // namespace
