// The Report Option dialog against the simulator, used as an administrator
// uses it: boxes ticked and dates typed, Run clicked, questions answered.
// The simulator's log shows the exact report commands; the report database
// and the PDFs of the preview windows show what was stored and printed.
#include "admin/reports/tests/reportsessiontestbase.h"
#include "admin/testsupport/waitnotice.h"

#include "admin/reports/db/mailboxinfotable.h"
#include "admin/reports/db/tests/lockingprogram.h"
#include "admin/reports/reportoptiondlg.h"
#include "admin/reports/reportpreviewwnd.h"
#include "admin/session/serverwait.h"
#include "admin/reports/tests/paintedtext.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

using D = CReportOptionDlg;

const QDateTime kMarch15(QDate(2001, 3, 15), QTime(10, 30));

class ReportOptionDlgTest : public ReportSessionTestBase {
protected:
    void TearDown() override
    {
        m_dialog.reset();
        ReportSessionTestBase::TearDown();
    }

    // Runs the dialog modally, as the main frame does, and acts on it once
    // it shows; a dialog the actions leave open is ended with -1.
    int runModal(const std::function<void()> &actions, const QString &allowed = QString())
    {
        m_dialog = std::make_unique<CReportOptionDlg>(*m_session, allowed, nullptr, [] { return kMarch15; });
        QTimer::singleShot(0, m_dialog.get(), [this, actions] {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(m_dialog.get()));
            m_dialog->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(m_dialog.get()));
            actions();
            if (m_dialog->isVisible())
                m_dialog->EndDialog(-1);
        });
        return m_dialog->DoModal();
    }
    QCheckBox *box(int id) { return m_dialog->GetDlgItem<QCheckBox>(id); }
    QLineEdit *edit(int id) { return m_dialog->GetDlgItem<QLineEdit>(id); }
    QPushButton *button(int id) { return m_dialog->GetDlgItem<QPushButton>(id); }
    void tick(int id) { QTest::mouseClick(box(id), Qt::LeftButton, {}, QPoint(8, box(id)->height() / 2)); }
    void type(int id, const QString &text)
    {
        edit(id)->setFocus();
        QTest::keyClicks(edit(id), text);
    }
    void run() { QTest::mouseClick(button(IDOK), Qt::LeftButton); }
    QStringList sent(const QString &word)
    {
        QStringList found;
        for (const QString &text : m_simulator->commandTexts())
            if (text.startsWith(word + ' ') || text == word)
                found << text.trimmed();
        return found;
    }
    std::unique_ptr<CReportOptionDlg> m_dialog;
};

TEST_F(ReportOptionDlgTest, RunIsEnabledOnlyWhileABoxIsTicked)
{
    runModal([this] {
        EXPECT_EQ(m_dialog->windowTitle(), "Report Option 1");
        EXPECT_FALSE(button(IDOK)->isEnabled());
        tick(D::IDC_MAILBOX_INFO);
        EXPECT_TRUE(box(D::IDC_MAILBOX_INFO)->isChecked());
        EXPECT_TRUE(button(IDOK)->isEnabled());
        tick(D::IDC_SYSTEM_INFO);
        tick(D::IDC_MAILBOX_INFO);
        EXPECT_TRUE(button(IDOK)->isEnabled());
        tick(D::IDC_SYSTEM_INFO);
        EXPECT_FALSE(button(IDOK)->isEnabled());

        tick(D::IDC_INDIVIDUAL_PORT);
        type(D::IDC_INDIVIDUAL_PORT_FROM, "3/1/2001");
        const QString folder = qEnvironmentVariable("VERBANTA_BINARY_DIR", ".") + "/screenshots";
        ASSERT_TRUE(QDir().mkpath(folder));
        QTest::qWait(50);
        EXPECT_TRUE(m_dialog->grab().save(folder + "/report-option-dialog.png"));
    });
    EXPECT_TRUE(m_simulator->commandTexts().isEmpty());
}

struct PeriodCase {
    const char *from;
    const char *to;
    const char *command;
    const char *texts;
};

TEST_F(ReportOptionDlgTest, EachPeriodSendsItsExactCommandAndStoresItsDateTexts)
{
    const PeriodCase periods[] = {
        {"", "", "Tcl_PortStatistics {-1} {-1} {00 1 2 2001} {-1}", "3/1/2001|3/15/2001"},
        {"2/10/2001", "2/20/2001", "Tcl_PortStatistics {-1} {-1} {00 10 1 2001} {23 20 1 2001}", "2/10/2001|2/20/2001"},
        {"", "soon", "Tcl_PortStatistics {-1} {-1} {00 1 2 2001} {23 15 2 2001}", "3/1/2001|3/15/2001"},
        {"12/31/2000", "", "Tcl_PortStatistics {-1} {-1} {00 31 11 2000} {-1}", "12/31/2000|3/15/2001"},
    };
    for (const PeriodCase &period : periods) {
        SCOPED_TRACE(period.command);
        m_simulator->clearLog();
        const int result = runModal([this, &period] {
            tick(D::IDC_INDIVIDUAL_PORT);
            type(D::IDC_INDIVIDUAL_PORT_FROM, period.from);
            type(D::IDC_INDIVIDUAL_PORT_TO, period.to);
            // Enter in the edit: the date never loses the focus, so it is
            // not checked before the run reads it.
            QTest::keyClick(edit(D::IDC_INDIVIDUAL_PORT_TO), Qt::Key_Return);
        });
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(sent("Tcl_PortStatistics"), QStringList{period.command});
        EXPECT_EQ(ReportRows(database(), "SELECT DISTINCT \"From\", \"To\" FROM PORTLOG"), QStringList{period.texts});
        EXPECT_EQ(ReportRows(database(), "SELECT count(*) FROM PORTLOG"), QStringList{"8"});
    }
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
}

TEST_F(ReportOptionDlgTest, AQuestionAnsweredOkSendsTheCommandAgainFromTheProposedDay)
{
    m_simulator->seed("statsfrom 3/5/2001");
    m_boxes->answer(IDOK);
    runModal([this] {
        tick(D::IDC_INDIVIDUAL_PORT);
        run();
    });
    EXPECT_EQ(sent("Tcl_PortStatistics"), (QStringList{"Tcl_PortStatistics {-1} {-1} {00 1 2 2001} {-1}",
                                                       "Tcl_PortStatistics {-1} {-1} {00 5 2 2001} {-1}"}));
    ASSERT_EQ(m_boxes->transcript().size(), 1u);
    EXPECT_EQ(m_boxes->transcript()[0].text, " Statistics are kept from 3/5/2001 on. Start the report on that day?");
    EXPECT_EQ(m_boxes->transcript()[0].type, UINT(MB_OKCANCEL | MB_ICONINFORMATION));
    EXPECT_EQ(ReportRows(database(), "SELECT DISTINCT \"From\", \"To\" FROM PORTLOG"), QStringList{"3/5/2001|3/15/2001"});
    EXPECT_EQ(m_engine->Previews().size(), 1);
}

TEST_F(ReportOptionDlgTest, AQuestionAnsweredCancelSendsNothingMoreAndKeepsTheTable)
{
    m_simulator->seed("statsfrom 3/5/2001");
    m_boxes->answer(IDCANCEL);
    runModal([this] {
        tick(D::IDC_PORT_GROUP);
        run();
    });
    EXPECT_EQ(sent("Tcl_GroupStatistics"), QStringList{"Tcl_GroupStatistics {-1} {00 1 2 2001} {-1}"});
    EXPECT_TRUE(ReportRows(database(), "SELECT * FROM GROUPLOG").isEmpty());
    EXPECT_TRUE(m_engine->Previews().isEmpty());
}

TEST_F(ReportOptionDlgTest, ARestrictedAdministratorSendsItsMailboxList)
{
    runModal(
        [this] {
            tick(D::IDC_MAILBOX_CALLING);
            tick(D::IDC_MAILBOX_INFO);
            tick(D::IDC_MESSAGE_STATS);
            run();
        },
        "101 102 ");
    EXPECT_EQ(sent("Tcl_MailboxStatistics"), QStringList{"Tcl_MailboxStatistics {101 102 } {-1} {00 1 2 2001} {-1}"});
    EXPECT_EQ(sent("Tcl_MailboxInfoReportNoASR"), QStringList{"Tcl_MailboxInfoReportNoASR {101 102 } {-1}"});
    EXPECT_EQ(sent("Tcl_MailboxMessageStatReportNoASR"),
              QStringList{"Tcl_MailboxMessageStatReportNoASR {101 102 } {-1}"});
    EXPECT_EQ(ReportRows(database(), "SELECT Mailbox FROM MAILBOXCALL"), (QStringList{"101", "102"}));
}

TEST_F(ReportOptionDlgTest, AnErrorReplyIsShownAndTheNextReportStillRuns)
{
    m_simulator->failCommand("Tcl_GroupStatistics", "no statistics today");
    m_boxes->answer(IDOK);
    runModal([this] {
        tick(D::IDC_PORT_GROUP);
        tick(D::IDC_MESSAGE_STATS);
        run();
    });
    ASSERT_EQ(m_boxes->texts().size(), 1);
    EXPECT_TRUE(m_boxes->texts()[0].startsWith("!")) << m_boxes->texts()[0].toStdString();
    EXPECT_EQ(sent("Tcl_MailboxMessageStatReportNoASR").size(), 1);
    ASSERT_EQ(m_engine->Previews().size(), 1);
    EXPECT_EQ(m_engine->Previews()[0]->windowTitle(), "Mailbox Message Statistics");
}

// A report whose figures the server holds back: Cancel in the wait's notice
// fails that report with its usual message, and the next one still runs.
TEST_F(ReportOptionDlgTest, CancelInTheNoticeOfAHeldReportFailsItAndTheNextReportStillRuns)
{
    CSessionSettings settings = quickSettings(m_simulator->port());
    settings.waitNoticeDelayMs = 200;
    m_session = std::make_unique<CZELTSession>(settings);
    m_session->Connect(CLoginCredentials{m_simulator->host(), "Cardomel", "Cardomel"});
    m_simulator->delayNextReply(30000, "Tcl_GroupStatistics");
    m_boxes->answer(IDOK);
    WaitNoticeCanceller administrator;
    administrator.OnlyTheFirstNoticeSaying(CServerWait::ReplyText("Tcl_GroupStatistics"));
    runModal([this] {
        tick(D::IDC_PORT_GROUP);
        tick(D::IDC_MESSAGE_STATS);
        run();
    });
    EXPECT_EQ(administrator.cancelled(), 1);
    EXPECT_EQ(m_boxes->texts(), QStringList{"!ERROR Waiting cancelled while the server was processing  "
                                            "\"Tcl_GroupStatistics\" command."});
    EXPECT_EQ(sent("Tcl_MailboxMessageStatReportNoASR").size(), 1);
    ASSERT_EQ(m_engine->Previews().size(), 1);
    EXPECT_EQ(m_engine->Previews()[0]->windowTitle(), "Mailbox Message Statistics");
}

TEST_F(ReportOptionDlgTest, AllEightReportsAreRunInTheirOrderAndPrintTheServersFigures)
{
    const int result = runModal([this] {
        for (int id : {D::IDC_INDIVIDUAL_PORT, D::IDC_PORT_GROUP, D::IDC_ALL_PORT, D::IDC_MAILBOX_CALLING,
                       D::IDC_MAILBOX_USAGE, D::IDC_MAILBOX_INFO, D::IDC_MESSAGE_STATS, D::IDC_SYSTEM_INFO})
            tick(id);
        run();
    });
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
    EXPECT_EQ(result, IDOK);
    QStringList words;
    for (const QString &command : m_simulator->commandTexts())
        words << command.section(' ', 0, 1);
    EXPECT_EQ(words, (QStringList{"Tcl_PortStatistics {-1}", "Tcl_GroupStatistics {-1}", "Tcl_GroupStatistics {0}",
                                  "Tcl_MailboxInfoReportNoASR {-1}", "Tcl_MailboxStatisticsNoASR {-1}",
                                  "Tcl_MailboxStatistics {-1}", "Tcl_MailboxStatistics {-1}",
                                  "Tcl_MailboxMessageStatReportNoASR {-1}", "Tcl_SystemInfoReport",
                                  "Tcl_UAPropertiesReport {2147483646}", "Tcl_UAPropertiesReport {2147483644}",
                                  "Tcl_MailboxInfoReportNoASR {-1}"}));

    struct Shown {
        const char *title;
        QPoint at;
        const char *figures; // a pattern the PDF's text must hold
    };
    const Shown shown[] = {
        {"Individual Port Statistics", {70, 100}, "From 3/1/2001 To 3/15/2001[\\s\\S]*\\b1\\s+120\\s+14\\s+4440\\s+0\\b"},
        {"Port Group Statistics", {80, 120}, "Incoming\\s+1\\s*2\\s*3\\s*4\\s+350\\s+48"},
        {"All Port Statistics", {90, 140}, "Group 1\\s+42\\s+5\\s+0"},
        {"Mailbox Info and Status", {100, 160}, "101\\s+Bruno"},
        {"Mailbox Calling Statistics", {110, 180}, "\\b100\\s+3\\s+1\\s+0\\s+2\\s+1\\b"},
        {"Mailbox Usage Summary", {130, 220}, "\\b100\\s+100\\s+9\\s+7\\b"},
        {"Mailbox Message Statistics", {120, 200}, "\\b101\\s+0\\s+0\\s+12\\s+42\\s+504\\s+11/2/2026"},
        {"System Information", {140, 240},
         "Verbanta ES 5.2 \\(simulated\\)\\s+Generic DTMF\\s+11.2 GB free\\s+8[\\s\\S]*\\b330\\s+1\\s+3\\b"},
    };
    const QList<CReportPreviewWnd *> previews = m_engine->Previews();
    ASSERT_EQ(previews.size(), 8);
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(shown[i].title);
        EXPECT_EQ(previews[i]->windowTitle(), shown[i].title);
        EXPECT_EQ(previews[i]->geometry().topLeft(), shown[i].at);
        const QString pdf = m_folder.filePath(QStringLiteral("report%1.pdf").arg(i));
        ASSERT_TRUE(previews[i]->ExportPdf(pdf));
        const QString text = PdfText(pdf);
        EXPECT_TRUE(text.contains(QRegularExpression(QString::fromUtf8(shown[i].figures)))) << text.toStdString();
    }
}

// Eight previews open at once: each shows its own report on its first page,
// tiled as the Window menu tiles them, and closing one leaves the others
// painting their own pages.
TEST_F(ReportOptionDlgTest, SeveralPreviewsEachShowTheirOwnPagesUntilTheyAreClosed)
{
    runModal([this] {
        for (int id : {D::IDC_INDIVIDUAL_PORT, D::IDC_PORT_GROUP, D::IDC_ALL_PORT, D::IDC_MAILBOX_CALLING,
                       D::IDC_MAILBOX_USAGE, D::IDC_MAILBOX_INFO, D::IDC_MESSAGE_STATS, D::IDC_SYSTEM_INFO})
            tick(id);
        run();
    });
    struct Shown {
        const char *title;
        const char *figure; // a text of the first page's rows
    };
    const Shown shown[] = {
        {"Individual Port Statistics", "4440"}, {"Port Group Statistics", "Incoming"},
        {"All Port Statistics", "Group 1"},     {"Mailbox Info and Status", "Bruno"},
        {"Mailbox Calling Statistics", "100"},  {"Mailbox Usage Summary", "100"},
        {"Mailbox Message Statistics", "504"},  {"System Information", "Generic DTMF"},
    };
    QList<CReportPreviewWnd *> previews = m_engine->Previews();
    ASSERT_EQ(previews.size(), 8);
    const auto expectShowing = [&](int i) {
        SCOPED_TRACE(shown[i].title);
        EXPECT_EQ(previews[i]->windowTitle(), shown[i].title);
        const QStringList texts = PaintedTexts(*previews[i]);
        EXPECT_TRUE(texts.contains(shown[i].title)) << texts.join('|').toStdString();
        EXPECT_TRUE(texts.contains(shown[i].figure)) << texts.join('|').toStdString();
    };
    // Tiled: every window painted at a new size, the later ones last.
    for (int i = 0; i < 8; ++i)
        previews[i]->setGeometry(40 + (i % 4) * 300, 40 + (i / 4) * 360, 300, 360);
    for (int i = 0; i < 8; ++i)
        expectShowing(i);

    previews[3]->close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_engine->Previews().size() == 7; }));
    previews.removeAt(3);
    for (int i = 0; i < 7; ++i) {
        previews[i]->resize(600, 500);
        SCOPED_TRACE(i);
        const int report = i < 3 ? i : i + 1;
        const QStringList texts = PaintedTexts(*previews[i]);
        EXPECT_TRUE(texts.contains(shown[report].title)) << texts.join('|').toStdString();
        EXPECT_TRUE(texts.contains(shown[report].figure)) << texts.join('|').toStdString();
    }
}

// Another program holds the report database locked: the dialog opens after
// one short wait, not one per table; Run says that the file is locked and
// what to do, asks the server nothing and keeps the dialog; once the file is
// free, Run runs the report.
TEST_F(ReportOptionDlgTest, ALockedDatabaseIsToldOfAtRunAndTheReportRunsOnceItIsFree)
{
    {
        CMailboxInfoTable table(database(), 1, 100);
        ASSERT_TRUE(table.EnsureTable());
    }
    LockingProgram other(database(), "EXCLUSIVE");
    ASSERT_TRUE(other.Holds());
    m_boxes->answer(IDOK);
    QElapsedTimer opening;
    opening.start();
    qint64 openedAfter = -1;
    const int result = runModal([&] {
        openedAfter = opening.elapsed();
        tick(D::IDC_MAILBOX_INFO);
        run();
        ASSERT_EQ(m_boxes->texts().size(), 1);
        EXPECT_EQ(m_boxes->texts()[0], QStringLiteral("Couldn't open database--Exception: The report database %1 "
                                                      "is locked by another program. Close "
                                                      "that program, or wait until it has finished with the file, "
                                                      "and try again.")
                                           .arg(database()));
        EXPECT_TRUE(m_dialog->isVisible());
        EXPECT_TRUE(box(D::IDC_MAILBOX_INFO)->isChecked());
        EXPECT_TRUE(m_simulator->commandTexts().isEmpty());
        other.Release();
        run();
    });
    // Eight waits of the old kind took 40 s.
    EXPECT_LT(openedAfter, 4 * CReportsDatabase::BusyWaitMs);
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(m_boxes->texts().size(), 1) << m_boxes->texts().join('|').toStdString();
    EXPECT_EQ(sent("Tcl_MailboxInfoReportNoASR").size(), 1);
    ASSERT_EQ(m_engine->Previews().size(), 1);
    EXPECT_TRUE(PaintedTexts(*m_engine->Previews()[0]).contains("Bruno"));
}

TEST_F(ReportOptionDlgTest, ADateThatDoesNotParseIsRefusedWhenItsEditLosesTheFocus)
{
    m_boxes->answer(IDOK);
    runModal([this] {
        type(D::IDC_PORT_GROUP_FROM, "letters");
        type(D::IDC_PORT_GROUP_TO, "");
        ASSERT_EQ(m_boxes->texts(), QStringList{"Invalid Date!!! Please try again!!"});
        EXPECT_TRUE(edit(D::IDC_PORT_GROUP_FROM)->text().isEmpty());
        EXPECT_TRUE(edit(D::IDC_PORT_GROUP_FROM)->hasFocus());
        // An empty edit is never refused, nor a date.
        type(D::IDC_PORT_GROUP_FROM, "3/1/2001");
        type(D::IDC_PORT_GROUP_TO, "");
        type(D::IDC_PORT_GROUP_FROM, "");
        EXPECT_EQ(m_boxes->texts().size(), 1);
    });
}

// A date that does not parse, left for each place the focus can go while the
// dialog is active: another field refuses it there; Run does not check it on
// the way but reads it as the current date, as after Enter in the edit, so
// one click never says "try again" and runs all the same; Cancel and another
// window do not check it.
TEST_F(ReportOptionDlgTest, ABadDateIsRefusedOnlyWhenLeftForAnotherField)
{
    const QString refusal = "Invalid Date!!! Please try again!!";
    struct Leave {
        const char *where;
        std::function<void()> leave;
        QStringList shown;
        int result;
        QStringList ran;
    };
    QWidget elsewhere;
    const Leave leaves[] = {
        {"another field", [this] { edit(D::IDC_PORT_GROUP_TO)->setFocus(); }, {refusal}, -1, {}},
        {"Run", [this] { run(); }, {}, IDOK, {"Tcl_GroupStatistics {-1} {00 15 2 2001} {-1}"}},
        {"Cancel", [this] { QTest::mouseClick(button(IDCANCEL), Qt::LeftButton); }, {}, IDCANCEL, {}},
        {"another window",
         [&] { activateElsewhere(elsewhere); },
         {},
         -1,
         {}},
    };
    for (const Leave &leave : leaves) {
        m_simulator->clearLog();
        // One answer more than expected: a second box would show in the transcript.
        m_boxes->answer({IDOK, IDOK});
        const int result = runModal([&] {
            tick(D::IDC_PORT_GROUP);
            type(D::IDC_PORT_GROUP_FROM, "letters");
            leave.leave();
            if (!m_dialog->isVisible())
                return;
            EXPECT_EQ(m_boxes->texts(), leave.shown) << leave.where;
            EXPECT_EQ(edit(D::IDC_PORT_GROUP_FROM)->text(), leave.shown.isEmpty() ? "letters" : "") << leave.where;
            if (!leave.shown.isEmpty()) {
                EXPECT_EQ(QApplication::focusWidget(), edit(D::IDC_PORT_GROUP_FROM)) << leave.where;
            }
        });
        elsewhere.hide();
        EXPECT_EQ(result, leave.result) << leave.where;
        EXPECT_EQ(m_boxes->texts(), leave.shown) << leave.where;
        EXPECT_EQ(sent("Tcl_GroupStatistics"), leave.ran) << leave.where;
        m_boxes.reset();
        m_boxes = std::make_unique<MessageBoxScript>();
    }
}

TEST_F(ReportOptionDlgTest, TheCloseBoxEndsLikeOkWithoutRunningAndCancelCancels)
{
    EXPECT_EQ(runModal([this] {
                  tick(D::IDC_SYSTEM_INFO);
                  m_dialog->close();
              }),
              IDOK);
    EXPECT_EQ(runModal([this] {
                  tick(D::IDC_SYSTEM_INFO);
                  QTest::mouseClick(button(IDCANCEL), Qt::LeftButton);
              }),
              IDCANCEL);
    EXPECT_TRUE(m_simulator->commandTexts().isEmpty());
}

} // namespace
