// The configuration wizard run as its user runs it: Next, Back and Finish
// clicked on the real buttons, a voice port's extension typed on its step,
// and what reached the server counted in the simulator's log.
#include "admin/config/wizard/configwizardpropsheet.h"

#include "admin/testsupport/configtestbase.h"
#include "admin/config/window/voiceportsppg.h"
#include "admin/config/wizard/wizvoiceportsppg.h"
#include "admin/config/wizard/wizanswermethodsppg.h"
#include "admin/config/wizard/wizcosppg.h"
#include "admin/config/wizard/wizholidaysppg.h"
#include "admin/config/wizard/wizmailboxesppg.h"
#include "admin/uatools/ranges/createprogressdlg.h"
#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "admin/widgets/spreadsheetex.h"

#include "admin/config/wizard/wiztextppg.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>
#include <QLabel>
#include <QDir>
#include <QTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

namespace {

// Opens the editor of a grid's cell as a double click would; its text field.
QLineEdit *openEditor(CSpreadSheet *grid, int row, int col)
{
    grid->setCurrentCell(row - 1, col - 1);
    grid->editItem(grid->item(row - 1, col - 1));
    QLineEdit *editor = nullptr;
    for (QLineEdit *candidate : grid->viewport()->findChildren<QLineEdit *>())
        if (candidate->isVisible())
            editor = candidate;
    return editor;
}

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
        // As the main frame gives it: the mailbox root as the type of the
        // class-of-service query.
        wizard.Depot().SetApplicationLists({}, "MB");
        // The steps run inside the wizard's loop, so that the dialogs they
        // open meet the script's later steps.
        m_dialogs.on<CConfigWizardPropSheet>(
            [steps](CConfigWizardPropSheet *shown) { QTimer::singleShot(0, shown, [steps, shown] { steps(shown); }); });
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
        QLineEdit *editor = openEditor(wizard->VoicePorts()->Grid(), port, CWizVoicePortsPpg::ColExtension);
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
    EXPECT_EQ(m_boxes->texts()[0], "Server reported error while updating configuration 'Line7'.\n\n"
                                   "Not stored: Line7.\nStored: none.\n\nWhat was not stored stays in the "
                                   "window: correct it or write it again.");
}

// Every variable the batches set, with the value as sent.
static QMap<QString, QString> variablesSet(const QStringList &commands)
{
    static const QRegularExpression batchLine(
        QStringLiteral("^if \\{\\[catch \\{ConfigSetString (\\S+) (.*) 1\\}\\]\\} \\{$"));
    QMap<QString, QString> sets;
    for (const QString &command : commands)
        for (const QString &line : command.split(QStringLiteral("\r\n"))) {
            const QRegularExpressionMatch match = batchLine.match(line);
            if (match.hasMatch())
                sets.insert(match.captured(1), match.captured(2));
        }
    return sets;
}

TEST_F(ConfigWizardTest, UpdateSendsOnlyWhatWasChangedWhereTheServerHoldsItsOwnSpellings)
{
    QStringList groups;
    for (int g = 2; g <= 20; ++g)
        groups << QStringLiteral("PBX%1").arg(g, 2, 10, QLatin1Char('0'));
    m_server->seed(QStringLiteral("var pbx_list {PBX01  %1}\n").arg(groups.join(u' ')) +
                   "var holidays {12/25 1/1 12/24/2026  12/31/2026 {}}\n"
                   "var serialports {{COM3 Printer 9600 8 NOPARITY ONESTOPBIT}  "
                   "{COM9 Ghost 9600 8 NOPARITY ONESTOPBIT}}\n"
                   "var answer_method_list {{Day {997 4 PBX01}} {Night {997 2 PBX01}} {Weekend {2000 2 PBX02}} "
                   "{Sales {2000 4 PBX03}} {Support {2100 3 PBX04}} {Fax {2100 1 PBX05 extra}}}");
    reconnect();
    run([&](CConfigWizardPropSheet *wizard) {
        click(wizard, ID_WIZNEXT);
        click(wizard, ID_WIZNEXT);
        typeExtension(wizard, 5, "3005");
        click(wizard, ID_WIZNEXT);
        click(wizard, ID_WIZNEXT);
        click(wizard, ID_WIZNEXT);
        EXPECT_EQ(wizard->GetActiveIndex(), int(CConfigWizardPropSheet::StepCos));
        click(wizard, IDCANCEL);
    });
    EXPECT_EQ(variablesSet(commands()), (QMap<QString, QString>{{"Line5", "{3005 Fax}"}}));
}

// Two numbers with no user agent between them and existing ones around:
// the first run's end and the next run's start, at least three apart.
static bool findGap(const CConfigDepot &depot, qint64 &last, qint64 &next)
{
    for (int i = 0; i + 1 < depot.m_uaRanges.size(); ++i)
        if (depot.m_uaRanges[i + 1].first - depot.m_uaRanges[i].second >= 4) {
            last = depot.m_uaRanges[i].second;
            next = depot.m_uaRanges[i + 1].first;
            return true;
        }
    return false;
}

static void toStep(CConfigWizardPropSheet *wizard, int step)
{
    while (wizard->GetActiveIndex() < step)
        QTest::mouseClick(wizard->GetDlgItem<QPushButton>(ID_WIZNEXT), Qt::LeftButton);
}

static void typeCell(CSpreadSheet *grid, int row, int col, const QString &text)
{
    QLineEdit *editor = openEditor(grid, row, col);
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    // Nothing to type: the user deletes what the cell held.
    if (text.isEmpty())
        QTest::keyClick(editor, Qt::Key_Delete);
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QTest::qWait(0);
}

// The choices a choice cell of the grid offers.
static QStringList cellChoices(CSpreadSheet *grid, int row, int col)
{
    grid->SetCol(col);
    grid->SetRow(row);
    return grid->GetTypeComboBoxList().split(u'\t');
}

TEST_F(ConfigWizardTest, CreateIsEnabledOnlyForNewNumbers)
{
    run([&](CConfigWizardPropSheet *wizard) {
        toStep(wizard, CConfigWizardPropSheet::StepCos);
        CWizCOSPpg *page = wizard->CosPage();
        qint64 last = 0;
        qint64 next = 0;
        ASSERT_TRUE(findGap(wizard->Depot(), last, next));
        struct Case {
            qint64 from;
            QString to;
            bool enabled;
        };
        const QList<Case> cases{
            {last, "", false},                                   // an existing one alone
            {last + 1, QString::number(next - 1), true},         // wholly between two
            {last, QString::number(next - 1), false},            // touching below
            {last + 1, QString::number(next), false},            // touching above
            {next - 1, QString::number(last + 1), true},         // reversed, still between
        };
        for (const Case &c : cases) {
            typeCell(page->Grid(), CWizCreatePpg::RowRangeFrom, CWizCreatePpg::ValueColumn, QString::number(c.from));
            typeCell(page->Grid(), CWizCreatePpg::RowRangeTo, CWizCreatePpg::ValueColumn, c.to);
            EXPECT_EQ(page->IsCreateEnabled(), c.enabled) << c.from << " " << c.to.toStdString();
            EXPECT_EQ(page->IsNoticeShown(), !c.enabled) << c.from;
            if (&c == &cases.first())
                screenshot(wizard, "wizard-6-cos-notice.png");
        }
        screenshot(wizard, "wizard-6-cos-overlap.png");
        typeCell(page->Grid(), CWizCreatePpg::RowRangeFrom, CWizCreatePpg::ValueColumn, "");
        EXPECT_FALSE(page->IsCreateEnabled());
        EXPECT_FALSE(page->IsNoticeShown());
        // Digits only: the other characters never reach the field.
        typeCell(page->Grid(), CWizCreatePpg::RowRangeFrom, CWizCreatePpg::ValueColumn, "3a0-0 ");
        EXPECT_EQ(page->Value(CWizCreatePpg::RowRangeFrom), "300");
        // The parent list never offers the marker, and starts with None.
        const QStringList parent = cellChoices(page->Grid(), CWizCreatePpg::RowParent, CWizCreatePpg::ValueColumn);
        EXPECT_EQ(parent.value(0), "None");
        for (const QString &choice : parent)
            EXPECT_NE(choice, "2147483647");
        click(wizard, IDCANCEL);
    });
}

TEST_F(ConfigWizardTest, CreatingClassesOfServiceAsksOnceAndAssignsOnlyTheCreated)
{
    QString group;
    qint64 last = 0;
    qint64 next = 0;
    run([&](CConfigWizardPropSheet *wizard) {
        toStep(wizard, CConfigWizardPropSheet::StepCos);
        CWizCOSPpg *page = wizard->CosPage();
        ASSERT_TRUE(findGap(wizard->Depot(), last, next));
        const QStringList groups =
            cellChoices(page->Grid(), CWizCreatePpg::RowTelephoneSystem, CWizCreatePpg::ValueColumn);
        ASSERT_GT(groups.size(), 1) << "the demo data has telephone systems";
        group = groups[1];
        // A name not in the list is refused and the previous one comes back.
        m_boxes->answer({IDOK, IDYES, IDOK, IDOK});
        typeCell(page->Grid(), CWizCreatePpg::RowTelephoneSystem, CWizCreatePpg::ValueColumn, "No such");
        EXPECT_EQ(page->Value(CWizCreatePpg::RowTelephoneSystem), "");
        typeCell(page->Grid(), CWizCreatePpg::RowTelephoneSystem, CWizCreatePpg::ValueColumn, group);
        // Two new numbers: one question with the count, and the telephone
        // system goes to the two that were made.
        typeCell(page->Grid(), CWizCreatePpg::RowRangeFrom, CWizCreatePpg::ValueColumn, QString::number(last + 1));
        typeCell(page->Grid(), CWizCreatePpg::RowRangeTo, CWizCreatePpg::ValueColumn, QString::number(last + 2));
        m_server->clearLog();
        m_dialogs.on<CCreateProgressDlg>([](CCreateProgressDlg *progress) {
            EXPECT_TRUE(WaitFor([progress] { return !progress->IsRunning(); }, 120000));
            QTest::mouseClick(progress->GetDlgItem<QPushButton>(IDOK), Qt::LeftButton);
        });
        QTest::mouseClick(page->CreateButton(), Qt::LeftButton);
        EXPECT_EQ(page->Value(CWizCreatePpg::RowRangeFrom), "");
        EXPECT_EQ(page->Value(CWizCreatePpg::RowTelephoneSystem), "");
        // The new classes of service are parents on both pages now.
        const QString made = QString::number(last + 1);
        EXPECT_TRUE(cellChoices(page->Grid(), CWizCreatePpg::RowParent, CWizCreatePpg::ValueColumn).contains(made)) << page->CosChoices().join(" ").toStdString() << " / " << wizard->Depot().m_cosList.toStdString();
        EXPECT_EQ(wizard->MailboxesPage()->CosChoices(), page->CosChoices());
        EXPECT_TRUE(wizard->MailboxesPage()->CosChoices().contains(made));
        click(wizard, IDCANCEL);
    });
    ASSERT_GE(m_boxes->texts().size(), 2);
    EXPECT_EQ(m_boxes->texts()[0], "Invalid Telephone System Group ID 'No such'. Try to enter an existing Telephone "
                                   "System Group ID or select one from the list after closing this message box.");
    EXPECT_EQ(m_boxes->texts()[1], QString("Create 2 COS boxes, from %1 to %2?").arg(last + 1).arg(last + 2));
    QStringList updates;
    for (const QString &sent : commands())
        if (sent.startsWith("UpdateUA"))
            updates.append(sent.trimmed());
    EXPECT_EQ(updates, QStringList({QString("UpdateUA %1 WithForce PBX %2").arg(last + 1).arg(TclWord(group)),
                                    QString("UpdateUA %1 WithForce PBX %2").arg(last + 2).arg(TclWord(group))}));
}

TEST_F(ConfigWizardTest, VoicePortStepShowsThreeColumnsAndRefusesABlankInAnExtension)
{
    m_boxes->answer(IDOK);
    run([&](CConfigWizardPropSheet *wizard) {
        toStep(wizard, CConfigWizardPropSheet::StepVoicePorts);
        CWizVoicePortsPpg *page = wizard->VoicePorts();
        CSpreadSheetEx *grid = page->Grid();
        EXPECT_EQ(grid->columnCount(), 3);
        QStringList headers;
        for (int col = 0; col < grid->columnCount(); ++col)
            headers.append(grid->horizontalHeaderItem(col)->text());
        EXPECT_EQ(headers, QStringList({"Port", "Extension", "Answer Method"}));
        QStringList texts;
        for (QLabel *label : page->findChildren<QLabel *>())
            texts.append(label->text());
        EXPECT_TRUE(texts.contains("Assign an Answer Method to each of the voice ports by selecting one from the "
                                   "list."));
        EXPECT_TRUE(texts.contains("When you are ready with the voice port setup, click on the Next button to "
                                   "select holidays."));
        const QString before = page->Port(7).extension;
        typeExtension(wizard, 7, "30 07");
        EXPECT_EQ(page->Port(7).extension, before);
        typeExtension(wizard, 8, "3008");
        screenshot(wizard, "wizard-3-voice-ports-twin.png");
        toStep(wizard, CConfigWizardPropSheet::StepCos);
        click(wizard, IDCANCEL);
    });
    ASSERT_EQ(m_boxes->texts().size(), 1);
    EXPECT_EQ(m_boxes->texts()[0],
              "Invalid Extension '30 07'. Try to reenter an Extension after closing this message box.");
    EXPECT_EQ(linesSetting("Line7"), 0);
    EXPECT_EQ(linesSetting("Line8"), 1);
    reconnect();
    QString line;
    CConfigDepot depot;
    depot.SetChannel(m_session.get());
    ASSERT_TRUE(depot.FetchVariable("Line8", line));
    EXPECT_EQ(CVoicePortsPpg::ParseLine(line).extension, "3008") << line.toStdString();
}

// Types `text` into a cell of `grid` as the user does: the cell's editor,
// the text, Return.
TEST_F(ConfigWizardTest, AnswerMethodStepAddsRenamesAndOnlyWarnsOfAMissingGreeting)
{
    qint64 last = 0;
    qint64 next = 0;
    QString renamed;
    m_boxes->answer({IDOK, IDOK});
    run([&](CConfigWizardPropSheet *wizard) {
        toStep(wizard, CConfigWizardPropSheet::StepAnswerMethods);
        CWizAnswerMethodsPpg *page = wizard->AnswerMethods();
        CSpreadSheetEx *grid = page->Grid();
        ASSERT_TRUE(findGap(wizard->Depot(), last, next));
        QStringList headers;
        for (int col = 0; col < grid->columnCount(); ++col)
            headers.append(grid->horizontalHeaderItem(col)->text());
        EXPECT_EQ(headers, QStringList({"Answer Method", "Greeting User Agent", "Number of Rings", "Telephone System"}));
        EXPECT_EQ(page->GetDlgItem<QPushButton>(CWizAnswerMethodsPpg::IDC_ADD)->text(), "Add");
        const int count = page->Methods().Count();
        ASSERT_GE(count, 1);
        renamed = page->Methods().Record(1).name;
        // Add: an empty method with one ring, its name cell active, no dialog.
        QTest::mouseClick(page->GetDlgItem<QPushButton>(CWizAnswerMethodsPpg::IDC_ADD), Qt::LeftButton);
        ASSERT_EQ(page->Methods().Count(), count + 1);
        EXPECT_EQ(page->Methods().Record(count + 1).name, "");
        EXPECT_EQ(page->Methods().Record(count + 1).rings, "1");
        EXPECT_EQ(grid->currentRow(), count);
        EXPECT_EQ(grid->currentColumn(), CWizAnswerMethodsPpg::NameColumn - 1);
        // A taken name is refused; blanks become "_"; the ports follow a rename.
        typeCell(grid, 1, CWizAnswerMethodsPpg::NameColumn, page->Methods().Record(2).name);
        EXPECT_EQ(page->Methods().Record(1).name, renamed);
        typeCell(grid, 1, CWizAnswerMethodsPpg::NameColumn, "Front desk");
        EXPECT_EQ(page->Methods().Record(1).name, "Front_desk");
        // A greeting user agent the server lacks is taken after the warning.
        m_server->clearLog();
        typeCell(grid, 1, CWizAnswerMethodsPpg::GreetingColumn, QString::number(last + 1));
        EXPECT_EQ(page->Methods().Record(1).greeting, QString::number(last + 1));
        screenshot(wizard, "wizard-2-answer-methods-twin.png");
        click(wizard, ID_WIZNEXT);
        CWizVoicePortsPpg *ports = wizard->VoicePorts();
        for (int n = 1; n <= ports->PortCount(); ++n)
            EXPECT_NE(ports->Port(n).answerMethod, renamed) << n;
        toStep(wizard, CConfigWizardPropSheet::StepCos);
        click(wizard, IDCANCEL);
    });
    ASSERT_EQ(m_boxes->texts().size(), 2);
    EXPECT_EQ(m_boxes->texts()[0], QString("There is already an Answer Method Name '%1'. Try to enter another name "
                                           "after closing this message box.")
                                       .arg("Night"));
    EXPECT_EQ(m_boxes->texts()[1], QString("The greeting user agent %1 does not exist.  Remember to create it after "
                                           "making your configuration changes.")
                                       .arg(last + 1));
    int asked = 0;
    for (const QString &sent : commands()) {
        asked += sent.trimmed() == QString("GetUA %1").arg(last + 1);
        EXPECT_FALSE(sent.startsWith("UpdateUA") || sent.startsWith("CreateUA")) << sent.toStdString();
    }
    EXPECT_EQ(asked, 1);
    reconnect();
    QString methods;
    CConfigDepot depot;
    depot.SetChannel(m_session.get());
    ASSERT_TRUE(depot.FetchVariable("answer_method_list", methods));
    CAnswerMethodList list;
    list.Parse(methods);
    QStringList names;
    for (int n = 1; n <= list.Count(); ++n)
        names.append(list.Record(n).name);
    EXPECT_TRUE(names.contains("Front_desk")) << methods.toStdString();
    EXPECT_FALSE(names.contains(renamed));
    EXPECT_FALSE(names.contains("")) << methods.toStdString();
    QString line;
    bool onPort = false;
    for (int n = 1; n <= 8 && depot.FetchVariable(QString("Line%1").arg(n), line); ++n)
        onPort |= CVoicePortsPpg::ParseLine(line).answerMethod == "Front_desk";
    EXPECT_TRUE(onPort);
}


TEST_F(ConfigWizardTest, OpeningTellsOfAResourceOnASerialPortThatIsAnSmdiLink)
{
    CConfigDepot server;
    server.SetChannel(m_session.get());
    QString link;
    ASSERT_TRUE(server.FetchVariable("PBX01_pbx_smdi_port", link));
    QStringList fields;
    CTclList().SplitList(link, fields);
    ASSERT_FALSE(fields.value(0).isEmpty()) << "the demo data's first group has an SMDI link";
    m_session->Execute("ConfigSetString serialports " + TclWord("{" + fields[0] + " Pager}"));
    reconnect();
    m_boxes->answer(IDOK);
    run([&](CConfigWizardPropSheet *wizard) { click(wizard, IDCANCEL); });
    // Several demo groups share the port; the message names the last.
    ASSERT_EQ(m_boxes->texts().size(), 1);
    EXPECT_TRUE(m_boxes->texts()[0].startsWith(
        QString("%1 can not be assigned as resource 'Pager' because it is configured as SMDI link of 'PBX").arg(fields[0])))
        << m_boxes->texts()[0].toStdString();
}


TEST_F(ConfigWizardTest, HolidayStepAddsWithoutMarkingTheStepOrMovingTheFocus)
{
    m_boxes->answer(IDNO);
    run([&](CConfigWizardPropSheet *wizard) {
        toStep(wizard, CConfigWizardPropSheet::StepHolidays);
        CWizHolidaysPpg *page = wizard->HolidaysPage();
        page->Picker()->setDate(QDate(2030, 2, 14));
        auto *add = page->GetDlgItem<QPushButton>(CWizHolidaysPpg::IDC_HOLIDAY_ADD);
        ASSERT_NE(add, nullptr);
        add->setFocus();
        const int before = page->FixedDates().Count();
        QTest::mouseClick(add, Qt::LeftButton);
        EXPECT_EQ(page->FixedDates().Count(), before + 1);
        EXPECT_FALSE(page->IsModified());
        EXPECT_FALSE(page->Picker()->hasFocus());
        screenshot(wizard, "wizard-4-holidays-twin.png");
        m_server->clearLog();
        toStep(wizard, CConfigWizardPropSheet::StepCos);
        click(wizard, IDCANCEL);
    });
    ASSERT_EQ(m_boxes->texts().size(), 1);
    EXPECT_TRUE(m_boxes->texts()[0].startsWith("Do you want to set this date automatically for every year?"));
    EXPECT_EQ(linesSetting("holidays"), 1);
    reconnect();
    QString holidays;
    CConfigDepot depot;
    depot.SetChannel(m_session.get());
    ASSERT_TRUE(depot.FetchVariable("holidays", holidays));
    EXPECT_TRUE(holidays.contains("2030")) << holidays.toStdString();
}

TEST_F(ConfigWizardTest, AnswerMethodStepChecksTheTelephoneSystemAndKeepsTheRingsAsTyped)
{
    QString group;
    m_boxes->answer({IDOK, IDOK});
    run([&](CConfigWizardPropSheet *wizard) {
        toStep(wizard, CConfigWizardPropSheet::StepAnswerMethods);
        CWizAnswerMethodsPpg *page = wizard->AnswerMethods();
        CSpreadSheetEx *grid = page->Grid();
        group = page->Methods().Record(1).group;
        struct Case {
            QString typed;
            QString kept;
        };
        const QList<Case> cases{{"No such", group}, {"PBX99", group}, {"PBX02", "PBX02"}};
        for (const Case &c : cases) {
            grid->setCurrentCell(0, CWizAnswerMethodsPpg::GroupColumn - 1);
            grid->SetCol(CWizAnswerMethodsPpg::GroupColumn);
            grid->SetRow(1);
            grid->SetText(c.typed);
            emit grid->Change(CWizAnswerMethodsPpg::GroupColumn, 1);
            EXPECT_EQ(page->Methods().Record(1).group, c.kept) << c.typed.toStdString();
        }
        typeCell(grid, 1, CWizAnswerMethodsPpg::RingsColumn, "20");
        EXPECT_EQ(page->Methods().Record(1).rings, "20");
        click(wizard, IDCANCEL);
    });
    EXPECT_EQ(m_boxes->texts(),
              QStringList({"Invalid Telephone System Group ID 'No such'. Try to enter or select a Telephone System "
                           "Group ID from the list after closing this message box.",
                           "Invalid Telephone System Group ID 'PBX99'. Try to enter or select a Telephone System "
                           "Group ID from the list after closing this message box."}));
}

} // namespace

TEST_F(ConfigWizardTest, ArrowKeysOnAStepsButtonsMoveTheGridsActiveCell)
{
    run([&](CConfigWizardPropSheet *wizard) {
        toStep(wizard, CConfigWizardPropSheet::StepAnswerMethods);
        CWizAnswerMethodsPpg *page = wizard->AnswerMethods();
        CSpreadSheetEx *grid = page->Grid();
        ASSERT_GE(grid->rowCount(), 2);
        grid->setCurrentCell(0, CWizAnswerMethodsPpg::NameColumn - 1);
        auto *add = page->GetDlgItem<QPushButton>(CWizAnswerMethodsPpg::IDC_ADD);
        QTest::keyClick(add, Qt::Key_Down);
        QTest::keyClick(add, Qt::Key_Right);
        EXPECT_EQ(grid->currentRow(), 1);
        EXPECT_EQ(grid->currentColumn(), CWizAnswerMethodsPpg::GreetingColumn - 1);
        QTest::keyClick(add, Qt::Key_Up);
        EXPECT_EQ(grid->currentRow(), 0);
        // The key moved the cell and nothing else: no method was added.
        EXPECT_EQ(grid->rowCount(), page->Methods().Count());

        // On a creation step, from its Create button; the label column is
        // never the active one.
        toStep(wizard, CConfigWizardPropSheet::StepCos);
        CWizCOSPpg *cos = wizard->CosPage();
        qint64 last = 0;
        qint64 next = 0;
        ASSERT_TRUE(findGap(wizard->Depot(), last, next));
        typeCell(cos->Grid(), CWizCreatePpg::RowRangeFrom, CWizCreatePpg::ValueColumn, QString::number(last + 1));
        ASSERT_TRUE(cos->IsCreateEnabled());
        QTest::keyClick(cos->CreateButton(), Qt::Key_Down);
        EXPECT_EQ(cos->Grid()->currentRow(), CWizCreatePpg::RowRangeTo - 1);
        QTest::keyClick(cos->CreateButton(), Qt::Key_Left);
        EXPECT_EQ(cos->Grid()->currentRow(), CWizCreatePpg::RowRangeTo - 1);
        EXPECT_EQ(cos->Grid()->currentColumn(), CWizCreatePpg::ValueColumn - 1);
        click(wizard, IDCANCEL);
    });
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

TEST_F(ConfigWizardTest, ACreationStepsLabelMeansItsValue)
{
    run([&](CConfigWizardPropSheet *wizard) {
        toStep(wizard, CConfigWizardPropSheet::StepMailboxes);
        CSpreadSheet *grid = wizard->MailboxesPage()->Grid();
        for (int row : {CWizCreatePpg::RowParent, CWizCreatePpg::RowRangeTo}) {
            const QRect label = grid->visualRect(grid->model()->index(row - 1, CWizCreatePpg::LabelColumn - 1));
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, label.center());
            EXPECT_EQ(grid->currentRow(), row - 1);
            EXPECT_EQ(grid->currentColumn(), CWizCreatePpg::ValueColumn - 1) << row;
        }
        click(wizard, IDCANCEL);
    });
}

TEST_F(ConfigWizardTest, ARefusedParentHoldsBackTheMoveThatLeftIt)
{
    m_boxes->answer(IDOK);
    run([&](CConfigWizardPropSheet *wizard) {
        toStep(wizard, CConfigWizardPropSheet::StepMailboxes);
        CSpreadSheet *grid = wizard->MailboxesPage()->Grid();
        // Typed, then left by a click on another field instead of Enter.
        QLineEdit *editor = openEditor(grid, CWizCreatePpg::RowParent, CWizCreatePpg::ValueColumn);
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, "bogus");
        const QRect from =
            grid->visualRect(grid->model()->index(CWizCreatePpg::RowRangeFrom - 1, CWizCreatePpg::ValueColumn - 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, from.center());
        QTest::qWait(0);
        EXPECT_EQ(grid->currentRow(), CWizCreatePpg::RowParent - 1);
        EXPECT_EQ(grid->currentColumn(), CWizCreatePpg::ValueColumn - 1);
        EXPECT_EQ(wizard->MailboxesPage()->Value(CWizCreatePpg::RowParent), "None");
        // Held back once: the next move goes where it is sent.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, from.center());
        EXPECT_EQ(grid->currentRow(), CWizCreatePpg::RowRangeFrom - 1);
        click(wizard, IDCANCEL);
    });
    EXPECT_EQ(m_boxes->texts(), QStringList{"Invalid parent COS 'bogus'. Try to enter a valid COS or select one from the "
                                            "list after closing this message box."});
}

namespace {

// Stands in for the desktop's browser: records the help pages it is asked
// to open.
class HelpBrowser : public QObject {
    Q_OBJECT
public:
    HelpBrowser() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~HelpBrowser() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    QStringList m_opened;
public slots:
    void open(const QUrl &url) { m_opened << QFileInfo(url.toLocalFile()).fileName(); }
};

// The labels of a step, top to bottom.
QStringList labelTexts(QWidget *page)
{
    QStringList texts;
    for (const QLabel *label : page->findChildren<QLabel *>())
        if (!label->text().isEmpty())
            texts << label->text();
    return texts;
}

TEST_F(ConfigWizardTest, F1AndHelpOpenTheHelpOfTheStepShown)
{
    QTemporaryDir help;
    QDir(help.path()).mkpath("admin");
    for (const char *page : {"index.html", "1600.html", "1601.html", "1597.html", "1598.html", "1599.html"}) {
        QFile file(help.filePath(QStringLiteral("admin/") + page));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<html></html>");
    }
    qputenv("VERBANTA_HELP_DIR", help.path().toLocal8Bit());
    HelpBrowser browser;
    const QStringList topics{"index.html", "1600.html", "1601.html", "1597.html",
                             "index.html", "1598.html", "1599.html", "index.html"};
    QStringList expected;
    run([&](CConfigWizardPropSheet *wizard) {
        for (int step = 0; step < topics.size(); ++step) {
            SCOPED_TRACE(step);
            // F1 where the keys go on the step: its grid when it has one.
            QWidget *page = wizard->GetActivePage();
            auto *grid = page->findChild<CSpreadSheet *>();
            QTest::keyClick(grid ? static_cast<QWidget *>(grid) : page, Qt::Key_F1);
            click(wizard, IDHELP);
            expected << topics[step] << topics[step];
            EXPECT_EQ(browser.m_opened, expected);
            click(wizard, step + 1 < topics.size() ? ID_WIZNEXT : ID_WIZFINISH);
        }
    });
    qunsetenv("VERBANTA_HELP_DIR");
}

TEST_F(ConfigWizardTest, TheInformingStepsShowTheWizardsPicture)
{
    const QImage drawn(QLatin1String(CWizTextPpg::kPicture));
    ASSERT_FALSE(drawn.isNull());
    run([&](CConfigWizardPropSheet *wizard) {
        for (int step = CConfigWizardPropSheet::StepWelcome; step <= CConfigWizardPropSheet::StepFinish; ++step) {
            SCOPED_TRACE(step);
            const bool informs = step == CConfigWizardPropSheet::StepWelcome ||
                                 step == CConfigWizardPropSheet::StepUpdate ||
                                 step == CConfigWizardPropSheet::StepFinish;
            auto *picture = wizard->GetActivePage()->findChild<QLabel *>(QString(), Qt::FindDirectChildrenOnly);
            const bool shown = picture && picture->isVisible() && !picture->pixmap().isNull();
            EXPECT_EQ(shown, informs);
            if (shown) {
                EXPECT_EQ(picture->pixmap().toImage().convertToFormat(drawn.format()), drawn);
                EXPECT_GE(picture->height(), drawn.height());
            }
            click(wizard, step < CConfigWizardPropSheet::StepFinish ? ID_WIZNEXT : ID_WIZFINISH);
        }
    });
}

TEST_F(ConfigWizardTest, TheCreationStepsNoticesReadAsWritten)
{
    const auto notices = [](const QString &boxes) {
        return QStringList{
            "You can create a range of new " + boxes +
                ", each having the same parent COS. Also you can create only one COS at a time if you leave the "
                "'Range To' field empty.",
            "When you are ready, click on the Create button and Configuration Wizard will create the " + boxes +
                " by sending your request to VerbantaES.",
            "Configuration Wizard enables the Create button only if the specified " + boxes +
                " are new in VerbantaES. You can change your specification as many times as you want."};
    };
    run([&](CConfigWizardPropSheet *wizard) {
        while (wizard->GetActiveIndex() < CConfigWizardPropSheet::StepCos)
            click(wizard, ID_WIZNEXT);
        EXPECT_EQ(labelTexts(wizard->GetActivePage()).mid(0, 3), notices("COS boxes"));
        click(wizard, ID_WIZNEXT);
        EXPECT_EQ(labelTexts(wizard->GetActivePage()).mid(0, 3), notices("mailboxes"));
        click(wizard, IDCANCEL);
    });
}

} // namespace

#include "configwizardpropsheet_test.moc"
