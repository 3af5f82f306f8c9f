// Print jobs as the report runs use them: every built-in layout opens, a
// layout names only report tables and columns, a job renders the rows of the
// database into a PDF that reads back with the figures, and the preview
// window stays after its job is gone.
#include "admin/reports/db/grouplogtable.h"
#include "admin/reports/db/mailboxinfotable.h"
#include "admin/reports/db/option2logtable.h"
#include "admin/reports/db/portlogtable.h"
#include "admin/reports/reportengine.h"
#include "admin/reports/reportjob.h"
#include "admin/reports/reportlayout.h"
#include "admin/reports/reportpages.h"
#include "admin/reports/reportpreviewwnd.h"
#include "admin/reports/tests/paintedtext.h"
#include "platform/messages/messageobject.h"
#include "platform/messages/messages.h"

#include <QApplication>
#include <QDir>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <array>
#include <ostream>

namespace {

QString PdfText(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000))
        return QStringLiteral("<pdftotext did not finish>");
    return QString::fromUtf8(process.readAllStandardOutput());
}

class ReportJobTest : public testing::Test {
protected:
    // `count` mailboxes from 1000 on in the Mailbox Info table, stored at once.
    void fillMailboxes(int count)
    {
        {
            CMailboxInfoTable table(m_engine.DatabasePath(), 1, 100);
            ASSERT_TRUE(table.EnsureTable()) << table.LastError().toStdString();
        }
        sqlite3 *db = nullptr;
        ASSERT_EQ(sqlite3_open(m_engine.DatabasePath().toUtf8().constData(), &db), SQLITE_OK);
        const QByteArray sql = QStringLiteral(
                                   "WITH RECURSIVE n(x) AS (SELECT 1000 UNION ALL SELECT x + 1 FROM n LIMIT %1) "
                                   "INSERT INTO MAILBOXINFO SELECT x, 'Name' || x, 'Family', '10', 'yes', 'no', "
                                   "'1/5/2026', 'NEVER', 'Desk ' || x FROM n")
                                   .arg(count)
                                   .toUtf8();
        EXPECT_EQ(sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
        sqlite3_close(db);
    }

    void SetUp() override
    {
        ASSERT_TRUE(m_home.isValid());
        m_oldDataHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", m_home.path().toUtf8());
        ASSERT_TRUE(m_engine.Open());
    }
    void TearDown() override
    {
        m_engine.Close();
        qputenv("XDG_DATA_HOME", m_oldDataHome);
    }

    QTemporaryDir m_home;
    QByteArray m_oldDataHome;
    CReportEngine m_engine;
};

class BuiltInLayoutTest : public ReportJobTest, public testing::WithParamInterface<const char *> {};

TEST_P(BuiltInLayoutTest, Opens)
{
    CReportJob *job = m_engine.OpenJob(QString::fromUtf8(GetParam()));
    ASSERT_NE(job, nullptr) << m_engine.GetErrorText().toStdString();
    EXPECT_FALSE(job->Layout().title.isEmpty());
    delete job;
    EXPECT_EQ(m_engine.JobCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(Layouts, BuiltInLayoutTest,
                         testing::Values("portstat.rpt", "PortGroup.rpt", "AllPortStat.rpt", "MailboxInfo.rpt",
                                         "MailboxCall.rpt", "MessageInfo.rpt", "MailboxUsage.rpt", "SystemInfo.rpt",
                                         "VoiceMailbox.rpt", "AmisReport.rpt", "VpimReport.rpt"));

TEST_F(ReportJobTest, UnknownLayoutNamesAreRefusedWithAReason)
{
    for (const char *name : {"nosuch.rpt", "../reports/layouts/portstat.rpt", "/etc/passwd", ""}) {
        EXPECT_EQ(m_engine.OpenJob(QString::fromUtf8(name)), nullptr) << name;
        EXPECT_FALSE(m_engine.GetErrorText().isEmpty()) << name;
    }
}

TEST_F(ReportJobTest, AClosedEngineOpensNoJobAndClosingDeletesEveryJob)
{
    ASSERT_NE(m_engine.OpenJob("portstat.rpt"), nullptr);
    ASSERT_NE(m_engine.OpenJob("PortGroup.rpt"), nullptr);
    ASSERT_NE(m_engine.OpenJob("SystemInfo.rpt"), nullptr);
    EXPECT_EQ(m_engine.JobCount(), 3);
    m_engine.Close();
    EXPECT_EQ(m_engine.JobCount(), 0);
    EXPECT_EQ(m_engine.OpenJob("portstat.rpt"), nullptr);
    EXPECT_FALSE(m_engine.GetErrorText().isEmpty());
}

struct BadLayout {
    const char *name;
    const char *text;
};

const BadLayout kBadLayouts[] = {
    {"Empty", ""},
    {"NoMagic", "title\tX\n"},
    {"LaterVersion", "verbanta-report-layout\t2\ntitle\tX\nsection\tPORTLOG\t\ncolumn\tTo\tTo\n"},
    {"UnknownTable", "verbanta-report-layout\t1\ntitle\tX\nsection\tsqlite_schema\t\ncolumn\tsql\tsql\n"},
    {"UnknownColumn", "verbanta-report-layout\t1\ntitle\tX\nsection\tPORTLOG\t\ncolumn\tsql\tsql\n"},
    {"SqlAsColumn", "verbanta-report-layout\t1\ntitle\tX\nsection\tPORTLOG\t\ncolumn\t1; DROP TABLE PORTLOG\tx\n"},
    {"SortOnUnknownColumn", "verbanta-report-layout\t1\ntitle\tX\nsection\tPORTLOG\t\ncolumn\tTo\tTo\nsort\tx\n"},
    {"ColumnOutsideSection", "verbanta-report-layout\t1\ntitle\tX\ncolumn\tTo\tTo\n"},
    {"UnknownStatement", "verbanta-report-layout\t1\ntitle\tX\nsection\tPORTLOG\t\ncolumn\tTo\tTo\nwhere\t1=1\n"},
    {"NoSection", "verbanta-report-layout\t1\ntitle\tX\n"},
    {"SectionWithoutColumns", "verbanta-report-layout\t1\ntitle\tX\nsection\tPORTLOG\t\n"},
    {"HeadingsOfAnotherShape", "verbanta-report-layout\t1\ntitle\tX\nsection\tPORTLOG\t\ncolumn\tTo\tTo\nheadings\tBUSYLOG\n"},
};

class BadLayoutTest : public testing::TestWithParam<BadLayout> {};

TEST_P(BadLayoutTest, IsRefusedWithAReason)
{
    QString error;
    EXPECT_FALSE(CReportLayout::Parse(QString::fromUtf8(GetParam().text), error).has_value());
    EXPECT_FALSE(error.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Layouts, BadLayoutTest, testing::ValuesIn(kBadLayouts),
                         [](const testing::TestParamInfo<BadLayout> &info) { return info.param.name; });

TEST_F(ReportJobTest, AJobWithoutADatabaseSaysWhy)
{
    CReportJob *job = m_engine.OpenJob("portstat.rpt");
    ASSERT_NE(job, nullptr);
    EXPECT_FALSE(job->ExportPdf(m_home.filePath("out.pdf")));
    EXPECT_TRUE(job->GetErrorText().contains("Reports.MDB")) << job->GetErrorText().toStdString();
}

TEST_F(ReportJobTest, APortReportReadsBackWithItsFiguresDatesAndPageNumber)
{
    {
        CPortLogTable table(m_engine.DatabasePath(), 1, 100);
        ASSERT_TRUE(table.EnsureTable());
        ASSERT_TRUE(table.AddRecord("3/1/2001", "3/15/2001", 2, 17, 4, 3600, 1));
        ASSERT_TRUE(table.AddRecord("3/1/2001", "3/15/2001", 1, 5, 6, 120, 0));
    }
    CReportJob *job = m_engine.OpenJob("portstat.rpt");
    ASSERT_NE(job, nullptr);
    const QString pdf = m_home.filePath("portstat.pdf");
    ASSERT_TRUE(job->ExportPdf(pdf)) << job->GetErrorText().toStdString();
    const QString text = PdfText(pdf);
    EXPECT_TRUE(text.contains("Individual Port Statistics")) << text.toStdString();
    EXPECT_TRUE(text.contains("From 3/1/2001 To 3/15/2001")) << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression("\\b1\\s+5\\s+6\\s+120\\s+0\\b"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression("\\b2\\s+17\\s+4\\s+3600\\s+1\\b"))) << text.toStdString();
    // Sorted by port.
    EXPECT_LT(text.indexOf(QRegularExpression("\\b1\\s+5\\s+6")), text.indexOf(QRegularExpression("\\b2\\s+17\\s+4")));
    EXPECT_TRUE(text.contains(QRegularExpression("\\b1\\s*$", QRegularExpression::MultilineOption)))
        << "page number: " << text.toStdString();
    delete job;
}

TEST_F(ReportJobTest, TemplateReportsTakeTheirHeadingsFromTheCaptionRow)
{
    {
        COption2LogTable table(m_engine.DatabasePath(), 1, 100);
        ASSERT_TRUE(table.EnsureTable());
        std::array<ReportColumnValue, 10> records;
        records[0] = {"Mailbox Number", "100", "Mailbox"};
        records[1] = {"Comment", "<b>desk</b> & 50%", "&Comment"};
        ASSERT_TRUE(table.AddRecord(2, records));
        ASSERT_TRUE(table.AddFieldNameRecord(2, records));
    }
    CReportJob *job = m_engine.OpenJob("VoiceMailbox.rpt");
    ASSERT_NE(job, nullptr);
    const QString pdf = m_home.filePath("mailbox.pdf");
    ASSERT_TRUE(job->ExportPdf(pdf)) << job->GetErrorText().toStdString();
    const QString text = PdfText(pdf);
    EXPECT_TRUE(text.contains(QRegularExpression("Mailbox Number\\s+Comment"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression("100\\s+<b>desk</b> & 50%"))) << text.toStdString();
    EXPECT_FALSE(text.contains("Field3")) << text.toStdString();
    delete job;
}

TEST_F(ReportJobTest, ThePreviewOutlivesItsJob)
{
    {
        CGroupLogTable table(m_engine.DatabasePath(), 1, 100);
        ASSERT_TRUE(table.EnsureTable());
        ASSERT_TRUE(table.AddRecord("3/1/2001", "3/15/2001", "Sales", "1-4", 30, 12, "600 120 5"));
        ASSERT_TRUE(table.AddRecord("3/1/2001", "3/15/2001", "Support", "5-8", 7, 2, "60"));
    }
    CReportJob *job = m_engine.OpenJob("PortGroup.rpt");
    ASSERT_NE(job, nullptr);
    ASSERT_TRUE(job->OutputToWindow("Port Group Statistics", 80, 120, 600, 500));
    ASSERT_TRUE(job->Start()) << job->GetErrorText().toStdString();
    delete job;
    ASSERT_EQ(m_engine.Previews().size(), 1);
    CReportPreviewWnd *preview = m_engine.Previews().first();
    EXPECT_EQ(preview->windowTitle(), "Port Group Statistics");
    EXPECT_EQ(preview->geometry().size(), QSize(600, 500));
    EXPECT_TRUE(preview->isVisible());
    const QString pdf = m_home.filePath("group.pdf");
    ASSERT_TRUE(preview->ExportPdf(pdf));
    const QString text = PdfText(pdf);
    EXPECT_TRUE(text.contains(QRegularExpression("Sales\\s+1-4\\s+30\\s+12"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression("\\b2\\s+5\\b"))) << text.toStdString();

    preview->resize(900, 700);
    const QString folder = qEnvironmentVariable("VERBANTA_BINARY_DIR", ".") + "/screenshots";
    ASSERT_TRUE(QDir().mkpath(folder));
    QTest::qWait(200);
    EXPECT_TRUE(preview->grab().save(folder + "/report-preview-port-groups.png"));
    m_engine.Close();
    EXPECT_TRUE(m_engine.Previews().isEmpty());
}

// At the window's first size, 600 by 500, Print and Page Setup are in sight
// on the toolbar, not behind its overflow button; Page Setup lays the pages
// out again on the paper chosen.
TEST_F(ReportJobTest, PrintAndPageSetupAreInSightAtTheFirstSize)
{
    {
        CGroupLogTable table(m_engine.DatabasePath(), 1, 100);
        ASSERT_TRUE(table.EnsureTable());
        ASSERT_TRUE(table.AddRecord("3/1/2001", "3/15/2001", "Sales", "1-4", 30, 12, "600 120 5"));
    }
    m_engine.Printer().setPageOrientation(QPageLayout::Portrait);
    CReportJob *job = m_engine.OpenJob("PortGroup.rpt");
    ASSERT_NE(job, nullptr);
    ASSERT_TRUE(job->OutputToWindow("Port Group Statistics", 70, 100, 600, 500));
    ASSERT_TRUE(job->Start()) << job->GetErrorText().toStdString();
    delete job;
    ASSERT_EQ(m_engine.Previews().size(), 1);
    CReportPreviewWnd *preview = m_engine.Previews().first();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(preview));
    EXPECT_EQ(preview->size(), QSize(600, 500));
    QToolBar *tools = preview->findChild<QToolBar *>();
    ASSERT_NE(tools, nullptr);
    QMap<QString, QToolButton *> buttons;
    for (QAction *action : tools->actions())
        if (auto *button = qobject_cast<QToolButton *>(tools->widgetForAction(action)))
            buttons[action->text()] = button;
    for (const char *text : {"Print", "Page Setup"}) {
        SCOPED_TRACE(text);
        ASSERT_TRUE(buttons.contains(text));
        EXPECT_TRUE(buttons[text]->isVisible());
        EXPECT_TRUE(tools->rect().contains(buttons[text]->geometry()));
    }
    const QString folder = qEnvironmentVariable("VERBANTA_BINARY_DIR", ".") + "/screenshots";
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_TRUE(preview->grab().save(folder + "/report-preview.png"));

    bool chosen = false;
    QTimer::singleShot(0, preview, [&] {
        auto *setup = qobject_cast<QPageSetupDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(setup, nullptr);
        QRadioButton *landscape = nullptr;
        for (QRadioButton *radio : setup->findChildren<QRadioButton *>())
            if (radio->text().remove('&') == "Landscape")
                landscape = radio;
        ASSERT_NE(landscape, nullptr);
        QTest::mouseClick(landscape, Qt::LeftButton, {}, QPoint(8, landscape->height() / 2));
        chosen = landscape->isChecked();
        setup->accept();
    });
    QTest::mouseClick(buttons["Page Setup"], Qt::LeftButton);
    EXPECT_TRUE(chosen);
    EXPECT_EQ(preview->Pages().PageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_GT(preview->Pages().PageSize().width(), preview->Pages().PageSize().height());
    EXPECT_TRUE(PaintedTexts(*preview).contains("Sales"));
    EXPECT_EQ(m_engine.Printer().pageLayout().orientation(), QPageLayout::Portrait) << "the setting is the program's";
}

// A report of many pages: every page after the first starts with the
// headings again and ends with its number; Next shows the second page.
TEST_F(ReportJobTest, ALongReportRepeatsItsHeadingsOnEveryPage)
{
    fillMailboxes(3000);
    CReportJob *job = m_engine.OpenJob("MailboxInfo.rpt");
    ASSERT_NE(job, nullptr);
    const QString pdf = m_home.filePath("mailboxes.pdf");
    ASSERT_TRUE(job->ExportPdf(pdf)) << job->GetErrorText().toStdString();
    ASSERT_TRUE(job->Start()) << job->GetErrorText().toStdString();
    delete job;
    ASSERT_EQ(m_engine.Previews().size(), 1);
    CReportPreviewWnd *preview = m_engine.Previews().first();
    const int pages = preview->Pages().PageCount();
    EXPECT_GT(pages, 30);
    const QStringList printed = PdfText(pdf).split('\f', Qt::SkipEmptyParts);
    ASSERT_EQ(printed.size(), pages);
    int rows = 0;
    for (int page = 0; page < pages; ++page) {
        SCOPED_TRACE(page + 1);
        EXPECT_TRUE(printed[page].contains(QRegularExpression("Mailbox\\s+Name 1\\s+Name 2\\s+COS")));
        EXPECT_TRUE(printed[page].contains(QRegularExpression(QStringLiteral("\\b%1\\s*$").arg(page + 1))));
        rows += int(printed[page].count(QRegularExpression("\\bDesk \\d+")));
    }
    EXPECT_EQ(rows, 3000) << "every row once";
    EXPECT_TRUE(printed.last().contains(QRegularExpression("\\b3999\\s+Name3999")));

    ASSERT_TRUE(QTest::qWaitForWindowExposed(preview));
    QToolBar *tools = preview->findChild<QToolBar *>();
    QToolButton *next = nullptr;
    for (QAction *action : tools->actions())
        if (action->text() == "Next")
            next = qobject_cast<QToolButton *>(tools->widgetForAction(action));
    ASSERT_NE(next, nullptr);
    QTest::mouseClick(next, Qt::LeftButton);
    QStringList shown;
    QTRY_VERIFY_WITH_TIMEOUT((shown = PaintedTexts(*preview)).contains(QStringLiteral(" Page 2 of %1 ").arg(pages)),
                             10000);
    // The second page as printed: its headings, its first row, its number.
    const QString firstRow = printed[1].section('\n', 1, 1).section(' ', 0, 0);
    EXPECT_TRUE(shown.contains("Mailbox")) << shown.join('|').toStdString();
    EXPECT_TRUE(shown.contains(firstRow)) << firstRow.toStdString();
    EXPECT_TRUE(shown.contains("2")) << "the page number";
}

// Cancel in the progress of a long report stops it: no window, no message.
TEST_F(ReportJobTest, CancelInTheProgressOfALongReportShowsNothing)
{
    fillMailboxes(300000);
    CReportJob *job = m_engine.OpenJob("MailboxInfo.rpt");
    ASSERT_NE(job, nullptr);
    QString label;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            auto *progress = qobject_cast<QProgressDialog *>(window);
            if (!progress || !progress->isVisible())
                continue;
            label = progress->labelText();
            if (auto *cancel = progress->findChild<QPushButton *>())
                QTest::mouseClick(cancel, Qt::LeftButton);
        }
    });
    poll.start();
    EXPECT_TRUE(job->Start()) << job->GetErrorText().toStdString();
    poll.stop();
    EXPECT_EQ(label, "Laying out Mailbox Info and Status...");
    EXPECT_TRUE(m_engine.Previews().isEmpty());
    EXPECT_TRUE(job->GetErrorText().isEmpty());
    delete job;
}

// A click on the progress's Cancel as the window system delivers it: to the
// dialog's native window first, where the input blocker sees it before the
// button does.
void ClickCancelAsTheWindowSystemDoes(QProgressDialog *progress)
{
    auto *cancel = progress->findChild<QPushButton *>();
    if (!cancel || !QTest::qWaitForWindowExposed(progress))
        return;
    QTest::mouseClick(progress->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      cancel->mapTo(progress, cancel->rect().center()));
}

struct CancelledStep {
    const char *name;
    const char *label;
    // The step; true when it went through as if not cancelled.
    bool (*run)(CReportJob &job, const QString &pdf);
};

void PrintTo(const CancelledStep &step, std::ostream *out)
{
    *out << step.name;
}

bool LayOut(CReportJob &job, const QString &)
{
    // Cancelled, the layout ends without a word; the preview tells.
    EXPECT_TRUE(job.Start());
    return false;
}

bool Export(CReportJob &job, const QString &pdf)
{
    const bool written = job.ExportPdf(pdf);
    EXPECT_EQ(job.GetErrorText(), "The report was cancelled.");
    return written;
}

class CancelClicked : public ReportJobTest, public testing::WithParamInterface<CancelledStep> {};

// Cancel clicked in the progress of a long step stops it: no preview, no
// file said to be written.
TEST_P(CancelClicked, StopsTheLongStepOfAReport)
{
    fillMailboxes(300000);
    CReportJob *job = m_engine.OpenJob("MailboxInfo.rpt");
    ASSERT_NE(job, nullptr);
    int clicks = 0;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            auto *progress = qobject_cast<QProgressDialog *>(window);
            if (progress && progress->isVisible() && !progress->wasCanceled() &&
                progress->labelText() == GetParam().label) {
                ClickCancelAsTheWindowSystemDoes(progress);
                ++clicks;
            }
        }
    });
    poll.start();
    EXPECT_FALSE(GetParam().run(*job, m_home.filePath("cancelled.pdf")));
    poll.stop();
    EXPECT_GE(clicks, 1);
    EXPECT_TRUE(m_engine.Previews().isEmpty());
    delete job;
}

INSTANTIATE_TEST_SUITE_P(Steps, CancelClicked,
                         testing::Values(CancelledStep{"LayingOut", "Laying out Mailbox Info and Status...", LayOut},
                                         CancelledStep{"Writing", "Writing Mailbox Info and Status...", Export}),
                         [](const testing::TestParamInfo<CancelledStep> &step) { return std::string(step.param.name); });

// A window that counts the messages it receives.
class CountingWindow : public CMessageObject {
public:
    LRESULT WindowProc(UINT, WPARAM, LPARAM) override
    {
        ++received;
        return 0;
    }
    int received = 0;
};

// While a long step of a report runs, a message posted to a window (a
// close, a timer's tick) waits for the step's end: no window's code runs
// halfway through it.
TEST_F(ReportJobTest, AMessagePostedDuringALongStepArrivesAfterIt)
{
    fillMailboxes(20000);
    CReportJob *job = m_engine.OpenJob("MailboxInfo.rpt");
    ASSERT_NE(job, nullptr);
    CountingWindow window;
    bool posted = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (!posted && qobject_cast<QProgressDialog *>(widget))
                posted = PostMessage(window.GetSafeHwnd(), WM_CLOSE, 0, 0);
    });
    poll.start();
    ASSERT_TRUE(job->ExportPdf(m_home.filePath("posted.pdf"))) << job->GetErrorText().toStdString();
    poll.stop();
    ASSERT_TRUE(posted);
    EXPECT_EQ(window.received, 0);
    for (int turn = 0; turn < 1000 && window.received == 0; ++turn)
        QTest::qWait(10);
    EXPECT_EQ(window.received, 1);
    delete job;
}

} // namespace
