// The start-up dialogs against the simulator's demo data: Register IVR
// Alias lists the server's names and the applications run at start, adds and
// deletes entries as list elements, and keeps its window when the server
// refuses the save; the configuration wizard prompt is shown for its
// screenshot.
#include "admin/app/runconfigwizarddlg.h"
#include "admin/app/startupappsdlg.h"
#include "admin/testsupport/configtestbase.h"
#include "admin/session/tcllist.h"

#include <QDir>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace {

class StartupAppsDlgTest : public ConfigTestBase {
protected:
    void SetUp() override
    {
        ConfigTestBase::SetUp();
        connectSession();
    }
    void TearDown() override
    {
        delete m_dialog.data();
        ConfigTestBase::TearDown();
    }
    void open()
    {
        m_dialog = new CStartupAppsDlg(*m_session->CommandChannel());
        m_dialog->Create();
        m_dialog->show();
        m_server->clearLog();
    }
    QStringList items(int id) const
    {
        QStringList texts;
        auto *list = m_dialog->GetDlgItem<QListWidget>(id);
        for (int row = 0; row < list->count(); ++row)
            texts.append(list->item(row)->text());
        return texts;
    }
    void pick(int id, const QString &text)
    {
        auto *list = m_dialog->GetDlgItem<QListWidget>(id);
        const QList<QListWidgetItem *> found = list->findItems(text, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << text.toStdString();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(found.first()).center());
    }
    void click(int id) { QTest::mouseClick(m_dialog->GetDlgItem<QPushButton>(id), Qt::LeftButton); }
    QStringList serverList()
    {
        reconnect();
        QStringList names;
        CTclList().SplitList(m_session->Execute("set sys_startup_apps"), names);
        return names;
    }

    QPointer<CStartupAppsDlg> m_dialog;
};

TEST_F(StartupAppsDlgTest, ListsTheServersNamesAndTheApplicationsRunAtStart)
{
    open();
    const QStringList names = items(CStartupAppsDlg::IDC_APP_NAMES);
    EXPECT_TRUE(names.contains("Odd[name]"));
    EXPECT_TRUE(names.contains("Voicemail"));
    EXPECT_EQ(items(CStartupAppsDlg::IDC_STARTUP_LIST), (QStringList{"Voicemail", "Directory"}));
    EXPECT_FALSE(m_dialog->GetDlgItem<QPushButton>(CStartupAppsDlg::IDC_ADD)->isEnabled());
    EXPECT_FALSE(m_dialog->GetDlgItem<QPushButton>(CStartupAppsDlg::IDC_DELETE)->isEnabled());
    saveShot(m_dialog, "startup_apps.png");
}

TEST_F(StartupAppsDlgTest, ErrorRepliesAreNeverListedAsNames)
{
    m_server->answerCommand("GetAliasList", "!ERROR alias table locked");
    m_server->failCommand("set", "no such variable");
    m_boxes->answer(IDOK);
    open();
    m_server->clearAnswer("GetAliasList");
    m_server->clearFailure("set");
    for (const QString &name : items(CStartupAppsDlg::IDC_APP_NAMES))
        EXPECT_FALSE(name.contains("ERROR") || name == "locked" || name.startsWith('!'));
    EXPECT_FALSE(items(CStartupAppsDlg::IDC_APP_NAMES).isEmpty());
    EXPECT_TRUE(items(CStartupAppsDlg::IDC_STARTUP_LIST).isEmpty());
    EXPECT_TRUE(m_boxes->texts().value(0).contains("alias table locked"));
}

TEST_F(StartupAppsDlgTest, AddedNamesAreListElementsThatReadBackTheSame)
{
    open();
    pick(CStartupAppsDlg::IDC_APP_NAMES, "Voicemail");
    EXPECT_FALSE(m_dialog->GetDlgItem<QPushButton>(CStartupAppsDlg::IDC_ADD)->isEnabled());
    pick(CStartupAppsDlg::IDC_APP_NAMES, "Odd[name]");
    ASSERT_TRUE(m_dialog->GetDlgItem<QPushButton>(CStartupAppsDlg::IDC_ADD)->isEnabled());
    click(CStartupAppsDlg::IDC_ADD);
    EXPECT_FALSE(m_dialog->GetDlgItem<QPushButton>(CStartupAppsDlg::IDC_ADD)->isEnabled());
    EXPECT_EQ(items(CStartupAppsDlg::IDC_STARTUP_LIST), (QStringList{"Voicemail", "Directory", "Odd[name]"}));
    click(IDOK);
    EXPECT_TRUE(WaitFor([this] { return m_dialog.isNull(); }));
    const QStringList log = m_server->commandTexts();
    ASSERT_EQ(log.size(), 2);
    EXPECT_EQ(log[0],
              QStringLiteral("ConfigSetString sys_startup_apps {Voicemail Directory {Odd[name]}} 1\r\n"));
    EXPECT_EQ(log[1], QStringLiteral("set sys_startup_apps {Voicemail Directory {Odd[name]}}\r\n"));
    EXPECT_EQ(serverList(), (QStringList{"Voicemail", "Directory", "Odd[name]"}));
}

TEST_F(StartupAppsDlgTest, DeletingEveryEntrySavesAnEmptyList)
{
    open();
    for (const QString &entry : {QStringLiteral("Voicemail"), QStringLiteral("Directory")}) {
        pick(CStartupAppsDlg::IDC_STARTUP_LIST, entry);
        m_boxes->answer(IDYES);
        click(CStartupAppsDlg::IDC_DELETE);
    }
    EXPECT_EQ(m_boxes->texts(),
              (QStringList{"Do you want to delete Voicemail?", "Do you want to delete Directory?"}));
    EXPECT_TRUE(items(CStartupAppsDlg::IDC_STARTUP_LIST).isEmpty());
    click(IDOK);
    ASSERT_FALSE(m_server->commandTexts().isEmpty());
    EXPECT_EQ(m_server->commandTexts()[0], QStringLiteral("ConfigSetString sys_startup_apps {} 1\r\n"));
    EXPECT_TRUE(serverList().isEmpty());
}

TEST_F(StartupAppsDlgTest, ARefusedSaveIsShownAndTheWindowStays)
{
    open();
    m_server->refuseVariable("sys_startup_apps", "the start-up list is read-only");
    pick(CStartupAppsDlg::IDC_STARTUP_LIST, "Directory");
    m_boxes->answer({IDYES, IDOK});
    click(CStartupAppsDlg::IDC_DELETE);
    click(IDOK);
    ASSERT_TRUE(m_dialog);
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_TRUE(m_boxes->texts().value(1).contains("the start-up list is read-only"));
    EXPECT_EQ(m_server->commandTexts().size(), 1);
    m_server->acceptVariable("sys_startup_apps");
    click(IDOK);
    EXPECT_TRUE(WaitFor([this] { return m_dialog.isNull(); }));
    EXPECT_EQ(serverList(), QStringList{"Voicemail"});
}

TEST(RunConfigWizardPromptTest, ShowsItsQuestion)
{
    CRunConfigWizardDlg dialog;
    QTimer::singleShot(0, &dialog, [&dialog] {
        QCoreApplication::processEvents();
        EXPECT_TRUE(SaveScreenshot(&dialog, "run_config_wizard.png"));
        QTest::mouseClick(dialog.GetDlgItem<QPushButton>(IDNO), Qt::LeftButton);
    });
    EXPECT_EQ(dialog.DoModal(), IDNO);
}

} // namespace
