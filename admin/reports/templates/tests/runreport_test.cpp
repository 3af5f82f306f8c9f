// The Generate Reports dialog against the simulator: the templates it finds,
// the exact report commands of a mailbox and an AMIS template, a question
// reply answered OK and Cancel, the rows and captions it stores, a template
// whose keys are not its kind's, and a report database that another program
// holds or that is no report database.
#include "admin/reports/tests/reportsessiontestbase.h"

#include "admin/reports/db/option2logtable.h"
#include "admin/reports/db/tests/lockingprogram.h"

#include "admin/reports/reportpreviewwnd.h"
#include "admin/reports/templates/reporttemplatefile.h"
#include "admin/reports/templates/runreport.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QWindow>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QtEndian>

#include <sqlite3.h>

#include <memory>

namespace {

using R = CRunReport;

class RunReportTest : public ReportSessionTestBase {
protected:
    void SetUp() override
    {
        ReportSessionTestBase::SetUp();
        if (HasFatalFailure())
            return;
        ASSERT_TRUE(QDir().mkpath(m_engine->TemplateFolder()));
    }

    // A template of `extension` with the given column number for rows 0, 1, ...
    void writeTemplate(const QString &name, const QString &extension, std::vector<int> columns)
    {
        const auto rows = CReportTemplateKinds::ColumnsOf(extension);
        columns.resize(rows.size(), 0);
        QString error;
        ASSERT_TRUE(CReportTemplateFile::Write(QDir(m_engine->TemplateFolder()).filePath(name + "." + extension),
                                               rows, columns, error));
    }
    int runModal(const std::function<void(CRunReport &)> &actions, std::function<bool(qint64)> allowed = {})
    {
        CRunReport dialog(*m_session, std::move(allowed), nullptr,
                          [] { return QDateTime(QDate(2001, 3, 15), QTime(10, 0)); });
        m_dialog = &dialog;
        QTimer::singleShot(0, &dialog, [&] {
            // A dialog that ends as it opens (no templates) is gone before
            // it shows.
            const auto shownOrGone = [&] {
                return !dialog.isVisible() || (dialog.windowHandle() && dialog.windowHandle()->isExposed());
            };
            if (!QTest::qWaitFor(shownOrGone) || !dialog.isVisible())
                return;
            dialog.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
            actions(dialog);
            if (dialog.isVisible())
                dialog.EndDialog(-1);
        });
        const int result = dialog.DoModal();
        m_dialog = nullptr;
        return result;
    }
    void type(int id, const QString &text)
    {
        auto *edit = m_dialog->GetDlgItem<QLineEdit>(id);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    void ok() { QTest::mouseClick(m_dialog->GetDlgItem<QPushButton>(IDOK), Qt::LeftButton); }
    QStringList sent(const QString &word)
    {
        QStringList found;
        for (const QString &text : m_simulator->commandTexts())
            if (text.startsWith(word + ' ') || text.trimmed() == word)
                found << text;
        return found;
    }
    CRunReport *m_dialog = nullptr;
};

TEST_F(RunReportTest, WithoutTemplatesItSaysSoAndEnds)
{
    m_boxes->answer(IDOK);
    EXPECT_EQ(runModal([](CRunReport &) {}), IDCANCEL);
    EXPECT_EQ(m_boxes->texts(), QStringList{"You must create a template file before running report"});
}

TEST_F(RunReportTest, WithOnlyVpimTemplatesItOpensOnVpimGateway)
{
    writeTemplate("Partners", "vpm", {1});
    runModal([](CRunReport &dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Generate Reports");
        EXPECT_EQ(dialog.GetDlgItem<QComboBox>(R::IDC_KIND)->currentText(), "Vpim Gateway");
        EXPECT_EQ(dialog.GetDlgItem<QComboBox>(R::IDC_TEMPLATE)->currentText(), "Partners");
    });
}

TEST_F(RunReportTest, AMailboxTemplateSendsItsExactCommandAndStoresRowsAndCaptions)
{
    writeTemplate("Desk", "vmb", {1, 0, 0, 2});
    const int result = runModal([this](CRunReport &dialog) {
        type(R::IDC_FIRST_ID, "100");
        type(R::IDC_LAST_ID, "102");
        type(R::IDC_START_DATE, "2/3/2001");
        const QString shots = qEnvironmentVariable("VERBANTA_BINARY_DIR", ".") + "/screenshots";
        QDir().mkpath(shots);
        QTest::qWait(50);
        EXPECT_TRUE(dialog.grab().save(shots + "/generate-reports-dialog.png"));
        ok();
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(m_boxes->texts().isEmpty()) << m_boxes->texts().join('|').toStdString();
    EXPECT_EQ(sent("Tcl_MailboxReport"),
              QStringList{"Tcl_MailboxReport {100 102} {  Mailbox  &Name1 } {00 3 1 2001} {-1}"});
    EXPECT_EQ(sent("AllUA").size(), 1);
    EXPECT_EQ(ReportRows(database(), "SELECT Field1, Field2, Field3 FROM OPTION2LOG"),
              (QStringList{"100|Alice|", "101|Bruno|", "102|Carla|"}));
    EXPECT_EQ(ReportRows(database(), "SELECT Name1, Name2 FROM FIELDNAMELOG"), QStringList{"Mailbox Number|Name1"});
    ASSERT_EQ(m_engine->Previews().size(), 1);
    EXPECT_EQ(m_engine->Previews()[0]->windowTitle(), "Mailbox Report Option2");
    const QString pdf = m_folder.filePath("mailbox.pdf");
    ASSERT_TRUE(m_engine->Previews()[0]->ExportPdf(pdf));
    EXPECT_TRUE(PdfText(pdf).contains(QRegularExpression("101\\s+Bruno")));
}

TEST_F(RunReportTest, AQuestionAnsweredOkSendsTheWholeNewDatePart)
{
    writeTemplate("Desk", "vmb", {1});
    m_simulator->seed("statsfrom 3/5/2001");
    m_boxes->answer(IDOK);
    runModal([this](CRunReport &) {
        type(R::IDC_LAST_ID, "101");
        type(R::IDC_START_DATE, "2/3/2001");
        ok();
    });
    EXPECT_EQ(sent("Tcl_MailboxReport"),
              (QStringList{"Tcl_MailboxReport {0 101} {  Mailbox } {00 3 1 2001} {-1}",
                           "Tcl_MailboxReport {0 101} {  Mailbox } {00 5 2 2001} {-1}"}));
    EXPECT_EQ(ReportRows(database(), "SELECT Field1 FROM OPTION2LOG"), (QStringList{"100", "101"}));
}

TEST_F(RunReportTest, AQuestionAnsweredCancelSendsNothingMore)
{
    writeTemplate("Desk", "vmb", {1});
    m_simulator->seed("statsfrom 3/5/2001");
    m_boxes->answer(IDCANCEL);
    runModal([this](CRunReport &) {
        type(R::IDC_START_DATE, "2/3/2001");
        ok();
    });
    EXPECT_EQ(sent("Tcl_MailboxReport").size(), 1);
    EXPECT_TRUE(sent("AllUA").isEmpty());
    EXPECT_TRUE(m_engine->Previews().isEmpty());
}

// A start date that does not parse, left for each place the focus can go
// while the dialog is active: another field refuses it there; OK does not
// check it on the way but reads it as the current date, as after Enter in
// the field, so one click never says "try again" and runs all the same;
// Cancel and another window do not check it.
TEST_F(RunReportTest, ABadStartDateIsRefusedOnlyWhenLeftForAnotherField)
{
    writeTemplate("Desk", "vmb", {1});
    const QString refusal = "Invalid Date!!! Please try gain!!";
    struct Leave {
        const char *where;
        std::function<void(CRunReport &)> leave;
        QStringList shown;
        int result;
        QStringList ran;
    };
    QWidget elsewhere;
    const Leave leaves[] = {
        {"another field", [](CRunReport &d) { d.GetDlgItem(R::IDC_LAST_ID)->setFocus(); }, {refusal}, -1, {}},
        {"OK",
         [this](CRunReport &) { ok(); },
         {},
         IDOK,
         {"Tcl_MailboxReport {0 101} {  Mailbox } {00 15 2 2001} {-1}"}},
        {"Cancel",
         [](CRunReport &d) { QTest::mouseClick(d.GetDlgItem<QPushButton>(IDCANCEL), Qt::LeftButton); },
         {},
         IDCANCEL,
         {}},
        {"another window",
         [&](CRunReport &) { activateElsewhere(elsewhere); },
         {},
         -1,
         {}},
    };
    for (const Leave &leave : leaves) {
        m_simulator->clearLog();
        // One answer more than expected: a second box would show in the transcript.
        m_boxes->answer({IDOK, IDOK});
        const int result = runModal([&](CRunReport &dialog) {
            type(R::IDC_LAST_ID, "101");
            type(R::IDC_START_DATE, "31/31/2001");
            leave.leave(dialog);
            if (!dialog.isVisible())
                return;
            EXPECT_EQ(m_boxes->texts(), leave.shown) << leave.where;
            auto *date = dialog.GetDlgItem<QLineEdit>(R::IDC_START_DATE);
            EXPECT_EQ(date->text(), leave.shown.isEmpty() ? "31/31/2001" : "") << leave.where;
            if (!leave.shown.isEmpty()) {
                EXPECT_EQ(QApplication::focusWidget(), date) << leave.where;
            }
        });
        elsewhere.hide();
        EXPECT_EQ(result, leave.result) << leave.where;
        EXPECT_EQ(m_boxes->texts(), leave.shown) << leave.where;
        EXPECT_EQ(sent("Tcl_MailboxReport"), leave.ran) << leave.where;
        m_boxes.reset();
        m_boxes = std::make_unique<MessageBoxScript>();
    }
}

TEST_F(RunReportTest, AnAmisTemplateSendsItsPopulationAndRange)
{
    writeTemplate("Gateways", "ams", {1, 2});
    runModal([this](CRunReport &dialog) {
        EXPECT_EQ(dialog.GetDlgItem<QComboBox>(R::IDC_KIND)->currentText(), "Amis Gateway");
        ok();
    });
    EXPECT_EQ(sent("Tcl_UAPropertiesReport"), QStringList{"Tcl_UAPropertiesReport 2147483644 {0 99999999} {  Mailbox  COS } "});
    EXPECT_EQ(ReportRows(database(), "SELECT Field1 FROM OPTION2LOG"), QStringList{"500"});
    ASSERT_EQ(m_engine->Previews().size(), 1);
    EXPECT_EQ(m_engine->Previews()[0]->windowTitle(), "Report AMIS User Agent");
}

TEST_F(RunReportTest, ATemplateWhoseKeyIsNotItsKindsSendsNothing)
{
    writeTemplate("Evil", "ams", {1});
    // Row 0's key becomes a script.
    QFile file(QDir(m_engine->TemplateFolder()).filePath("Evil.ams"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.seek(8 + 32);
    file.write(QByteArray("[OSShutdown]").append('\0'));
    file.close();
    m_boxes->answer(IDOK);
    runModal([this](CRunReport &) { ok(); });
    ASSERT_EQ(m_boxes->texts().size(), 1);
    EXPECT_TRUE(m_boxes->texts()[0].contains("[OSShutdown]")) << m_boxes->texts()[0].toStdString();
    EXPECT_TRUE(m_simulator->commandTexts().isEmpty());
}

// A template whose column numbers leave a gap, or give one twice, would
// lose a column of the report, and one that places nothing has no report:
// it is refused with a message naming what is wrong, and nothing is asked of
// the server.
struct NumberingCase {
    const char *name;
    const char *extension;
    std::vector<int> columns;
    const char *message;
};

const NumberingCase kNumberings[] = {
    {"OneAndThree", "vmb", {1, 0, 3},
     "The template T skips column 2; it is not run. Number its columns from 1 on without a gap in its template "
     "editor."},
    {"TwoAndThree", "ams", {0, 2, 3},
     "The template T skips column 1; it is not run. Number its columns from 1 on without a gap in its template "
     "editor."},
    {"OneToFourAndTen", "vmb", {1, 2, 3, 4, 0, 10},
     "The template T skips column 5; it is not run. Number its columns from 1 on without a gap in its template "
     "editor."},
    {"TwoTwice", "vpm", {1, 2, 2},
     "The template T gives column 2 twice; it is not run. Number its columns again in its template editor."},
    {"AllZero", "vmb", {0, 0, 0},
     "The template T places no property in a column from 1 to 10; it is not run. Number its columns from 1 on in "
     "its template editor."},
    {"AllAboveTen", "ams", {11, 0, 12, -1},
     "The template T places no property in a column from 1 to 10; it is not run. Number its columns from 1 on in "
     "its template editor."},
};

class TemplateNumberingTest : public RunReportTest, public testing::WithParamInterface<NumberingCase> {};

TEST_P(TemplateNumberingTest, IsRefusedNamingTheColumn)
{
    writeTemplate("T", GetParam().extension, GetParam().columns);
    m_boxes->answer(IDOK);
    runModal([this](CRunReport &) { ok(); });
    EXPECT_EQ(m_boxes->texts(), QStringList{GetParam().message});
    EXPECT_TRUE(m_simulator->commandTexts().isEmpty()) << m_simulator->commandTexts().join('|').toStdString();
    EXPECT_TRUE(m_engine->Previews().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Templates, TemplateNumberingTest, testing::ValuesIn(kNumberings),
                         [](const testing::TestParamInfo<NumberingCase> &info) { return info.param.name; });

TEST_F(RunReportTest, MailboxesOutsideTheAdministratorsRangeAreLeftOutWithOneMessage)
{
    writeTemplate("Desk", "vmb", {1});
    m_boxes->answer(IDOK);
    runModal(
        [this](CRunReport &) {
            type(R::IDC_FIRST_ID, "100");
            type(R::IDC_LAST_ID, "105");
            ok();
        },
        [](qint64 number) { return number == 101; });
    EXPECT_EQ(m_boxes->texts(), QStringList{"Mailboxes outside of this administrator level will not appear in report."});
    EXPECT_EQ(ReportRows(database(), "SELECT Field1 FROM OPTION2LOG"), QStringList{"101"});
}

// Another program holds the report database when the dialog opens: OK says
// that the file is locked and what to do, asks the server nothing and keeps
// the dialog; once the file is free, OK runs the report.
TEST_F(RunReportTest, ALockedDatabaseIsToldOfAtOkAndTheReportRunsOnceItIsFree)
{
    writeTemplate("Desk", "vmb", {1});
    {
        COption2LogTable table(database(), 1, 100);
        ASSERT_TRUE(table.EnsureTable());
    }
    LockingProgram other(database(), "EXCLUSIVE");
    ASSERT_TRUE(other.Holds());
    m_boxes->answer(IDOK);
    const int result = runModal([&](CRunReport &dialog) {
        type(R::IDC_LAST_ID, "101");
        ok();
        EXPECT_EQ(m_boxes->texts(),
                  QStringList{QStringLiteral("Couldn't open database--Exception: The report "
                                             "database %1 is locked by another program. Close "
                                             "that program, or wait until it has finished with "
                                             "the file, and try again.")
                                  .arg(database())});
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_TRUE(m_simulator->commandTexts().isEmpty())
            << m_simulator->commandTexts().join('|').toStdString();
        other.Release();
        ok();
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(m_boxes->texts().size(), 1) << m_boxes->texts().join('|').toStdString();
    EXPECT_EQ(sent("Tcl_MailboxReport").size(), 1);
    EXPECT_EQ(ReportRows(database(), "SELECT Field1 FROM OPTION2LOG"), (QStringList{"100", "101"}));
    EXPECT_EQ(m_engine->Previews().size(), 1);
}

// A file in the report database's place that is none: OK gives the reason
// SQLite gave, asks the server nothing and leaves the file as it was.
struct ForeignFile {
    const char *name;
    std::function<QByteArray(const QString &scratch)> bytes;
    const char *reason;
};

QByteArray FileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray SqliteFile(const QString &path, const char *sql)
{
    sqlite3 *db = nullptr;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return FileBytes(path);
}

const ForeignFile kForeignFiles[] = {
    {"RandomBytes",
     [](const QString &) {
         QByteArray bytes;
         for (int i = 0; i < 8192; ++i)
             bytes.append(char((i * 7919 + 13) % 251));
         return bytes;
     },
     "file is not a database"},
    {"CutInsideItsHeader",
     [](const QString &scratch) {
         return SqliteFile(scratch, "CREATE TABLE t (x); INSERT INTO t VALUES (1);").left(60);
     },
     "database disk image is malformed"},
    {"AnotherProgramsDatabase",
     [](const QString &scratch) {
         return SqliteFile(scratch, "CREATE TABLE accounts (name TEXT, balance INTEGER);");
     },
     "is not a report database"},
};

class ForeignDatabaseTest : public RunReportTest, public testing::WithParamInterface<ForeignFile> {};

TEST_P(ForeignDatabaseTest, OkGivesTheReasonAndLeavesTheFile)
{
    writeTemplate("Desk", "vmb", {1});
    const QByteArray bytes = GetParam().bytes(m_folder.filePath("scratch.db"));
    ASSERT_FALSE(bytes.isEmpty());
    {
        QFile file(database());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    m_boxes->answer(IDOK);
    runModal([this](CRunReport &dialog) {
        ok();
        ASSERT_EQ(m_boxes->texts().size(), 1);
        EXPECT_TRUE(m_boxes->texts()[0].contains(GetParam().reason)) << m_boxes->texts()[0].toStdString();
        EXPECT_FALSE(m_boxes->texts()[0].contains("not open")) << m_boxes->texts()[0].toStdString();
        EXPECT_TRUE(dialog.isVisible());
    });
    EXPECT_TRUE(m_simulator->commandTexts().isEmpty()) << m_simulator->commandTexts().join('|').toStdString();
    EXPECT_EQ(FileBytes(database()), bytes);
}

INSTANTIATE_TEST_SUITE_P(Files, ForeignDatabaseTest, testing::ValuesIn(kForeignFiles),
                         [](const testing::TestParamInfo<ForeignFile> &info) { return info.param.name; });

} // namespace
