// Print jobs as the report runs use them: every built-in layout opens, a
// layout names only report tables and columns, a job renders the rows of the
// database into a PDF that reads back with the figures, every value stands
// whole on the page whatever the paper, a file that cannot be written says
// why and is not left half written, and the preview window stays after its
// job is gone.
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
#include "platform/msgbox/messageboxscript.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
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
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ostream>

#include <sys/resource.h>

namespace {

// A check in a death test's own process: a failure says where and ends the
// process with a status the test does not expect.
#define REQUIRE_IN_CHILD(condition)                                                                          \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "failed at line %d: %s\n", __LINE__, #condition);                           \
            std::_Exit(2);                                                                                   \
        }                                                                                                    \
    } while (false)

QString PdfText(const QString &pdf, const QString &mode = QStringLiteral("-layout"))
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {mode, pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000))
        return QStringLiteral("<pdftotext did not finish>");
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString WithoutBlanks(QString text)
{
    return text.remove(QRegularExpression(QStringLiteral("\\s")));
}

// The words of a PDF that stand wholly or partly off their page, each with
// its box.
QStringList WordsOffThePage(const QString &pdf)
{
    const QString boxes = PdfText(pdf, QStringLiteral("-bbox"));
    static const QRegularExpression page(QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\">"));
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([-\\d.]+)\" yMin=\"([-\\d.]+)\" xMax=\"([-\\d.]+)\" "
                       "yMax=\"([-\\d.]+)\">([^<]*)</word>"));
    QStringList off;
    qsizetype at = 0;
    for (const QString &pageText : boxes.split(QStringLiteral("</page>"))) {
        const QRegularExpressionMatch size = page.match(pageText);
        if (!size.hasMatch())
            continue;
        const QRectF sheet(0, 0, size.captured(1).toDouble(), size.captured(2).toDouble());
        for (const QRegularExpressionMatch &found : word.globalMatch(pageText)) {
            const QRectF box(QPointF(found.captured(1).toDouble(), found.captured(2).toDouble()),
                             QPointF(found.captured(3).toDouble(), found.captured(4).toDouble()));
            if (!sheet.contains(box))
                off << found.captured(5);
        }
        ++at;
    }
    if (at == 0)
        off << QStringLiteral("<no pages>");
    return off;
}

// Each of `texts` stands whole on the page in `pdf` and in `preview`: no
// text is cut short, none stands off its sheet. A cell's lines are drawn
// one after the other, so its text reads whole once the line breaks are
// taken out.
void ExpectEveryTextWhole(const QString &pdf, QWidget &preview, const QStringList &texts)
{
    // A ligature the PDF holds reads as its letters.
    const QString printed =
        WithoutBlanks(PdfText(pdf, QStringLiteral("-raw")).normalized(QString::NormalizationForm_KC));
    const QString shown = WithoutBlanks(PaintedTexts(preview).join(QString()));
    for (const QString &text : texts) {
        EXPECT_TRUE(printed.contains(WithoutBlanks(text))) << "printed: " << text.toStdString();
        EXPECT_TRUE(shown.contains(WithoutBlanks(text))) << "shown: " << text.toStdString();
    }
    EXPECT_FALSE(printed.contains(QChar(0x2026))) << printed.toStdString();
    EXPECT_FALSE(shown.contains(QChar(0x2026))) << shown.toStdString();
    EXPECT_EQ(WordsOffThePage(pdf), QStringList());
}

// Zooms the preview out as its user does, until its first page is in sight
// whole.
void ShowWholeFirstPage(CReportPreviewWnd &preview)
{
    QToolButton *zoomOut = nullptr;
    for (QAction *action : preview.ToolBar()->actions())
        if (action->text() == "Zoom Out")
            zoomOut = qobject_cast<QToolButton *>(preview.ToolBar()->widgetForAction(action));
    ASSERT_NE(zoomOut, nullptr);
    QTest::mouseClick(zoomOut, Qt::LeftButton);
    QTest::mouseClick(zoomOut, Qt::LeftButton);
    QTest::qWait(50);
}

// Saves a picture of `window` into the build's screenshots folder.
void SaveScreenshot(QWidget &window, const QString &name)
{
    const QString folder = qEnvironmentVariable("VERBANTA_BINARY_DIR", ".") + "/screenshots";
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_TRUE(window.grab().save(folder + "/" + name + ".png"));
}

class ReportJobTest : public testing::Test {
protected:
    // The report of `layout` on this paper, exported to `pdf`.
    void exportOnPaper(const QString &layout, QPageSize::PageSizeId paper,
                       QPageLayout::Orientation orientation, const QString &pdf)
    {
        ASSERT_NO_FATAL_FAILURE(runOnPaper(layout, paper, orientation, pdf, false));
    }
    // As exportOnPaper, then shown in its preview as its user reads it: the
    // whole first page in sight.
    void previewOnPaper(const QString &layout, QPageSize::PageSizeId paper,
                        QPageLayout::Orientation orientation, const QString &pdf, CReportPreviewWnd *&preview)
    {
        ASSERT_NO_FATAL_FAILURE(runOnPaper(layout, paper, orientation, pdf, true));
        ASSERT_EQ(m_engine.Previews().size(), 1);
        preview = m_engine.Previews().first();
        preview->resize(900, 1200);
        ShowWholeFirstPage(*preview);
    }
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

private:
    void runOnPaper(const QString &layout, QPageSize::PageSizeId paper, QPageLayout::Orientation orientation,
                    const QString &pdf, bool preview)
    {
        m_engine.Printer().setPageSize(QPageSize(paper));
        m_engine.Printer().setPageOrientation(orientation);
        CReportJob *job = m_engine.OpenJob(layout);
        ASSERT_NE(job, nullptr);
        ASSERT_TRUE(job->ExportPdf(pdf)) << job->GetErrorText().toStdString();
        if (preview)
            ASSERT_TRUE(job->Start()) << job->GetErrorText().toStdString();
        delete job;
    }
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
    SaveScreenshot(*preview, QStringLiteral("report-preview"));

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
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return (shown = PaintedTexts(*preview)).contains(QStringLiteral(" Page 2 of %1 ").arg(pages)); },
        10000))
        << shown.join('|').toStdString();
    // The second page as printed: its headings (on one line or more), its
    // first row, its number.
    static const QRegularExpression rowStart(QStringLiteral("^(\\d+)\\s"), QRegularExpression::MultilineOption);
    const QString firstRow = rowStart.match(printed[1]).captured(1);
    ASSERT_FALSE(firstRow.isEmpty()) << printed[1].toStdString();
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

// Values wider than their columns, as the Mailbox Info and Status report
// gets them: long names, dates with their times, a comment of many words
// and one word wider than any column.
const std::array<std::array<const char *, 9>, 3> kWideMailboxes = {{
    {"1000", "Alexandrina-Maximiliane", "Featherstonehaugh-Worthington", "Executives", "yes", "no",
     "12/6/2025 11:05pm", "03/17/2001 2:05pm",
     "Front desk of the north building, second floor, beside the lifts"},
    {"1001", "Bartholomew", "Vandenberghe", "10", "no", "yes", "1/5/2026 9:41am", "NEVER",
     "https://intranet.example.invalid/directory/people/bartholomew.vandenberghe/voicemail"},
    {"1002000", "Chiara", "O'Donnell-Papadopoulou", "Night shift", "yes", "yes", "11/30/2025 12:00pm",
     "12/31/2025 11:59pm", "Desk 1002"},
}};

struct Paper {
    const char *name;
    QPageSize::PageSizeId size;
    QPageLayout::Orientation orientation;
};

const Paper kPapers[] = {
    {"A4Portrait", QPageSize::A4, QPageLayout::Portrait},
    {"A4Landscape", QPageSize::A4, QPageLayout::Landscape},
    {"LetterPortrait", QPageSize::Letter, QPageLayout::Portrait},
    {"LetterLandscape", QPageSize::Letter, QPageLayout::Landscape},
    {"A5Portrait", QPageSize::A5, QPageLayout::Portrait},
    {"LegalPortrait", QPageSize::Legal, QPageLayout::Portrait},
};

class ReportPaperTest : public ReportJobTest, public testing::WithParamInterface<Paper> {};

// On every paper every value and heading of the report stands whole on the
// page, in the PDF and in the preview: no text cut, none off the sheet.
TEST_P(ReportPaperTest, EveryValueStandsWholeOnThePage)
{
    {
        CMailboxInfoTable table(m_engine.DatabasePath(), 1, 100);
        ASSERT_TRUE(table.EnsureTable());
        for (const auto &row : kWideMailboxes)
            ASSERT_TRUE(
                table.AddRecord(row[0], row[1], row[2], row[3], row[4], row[5], row[6], row[7], row[8]))
                << table.LastError().toStdString();
    }
    const QString pdf = m_home.filePath("mailboxes.pdf");
    CReportPreviewWnd *preview = nullptr;
    ASSERT_NO_FATAL_FAILURE(
        previewOnPaper("MailboxInfo.rpt", GetParam().size, GetParam().orientation, pdf, preview));
    // The headings, then every value.
    QStringList expected = {"Mailbox", "Name 1", "Name 2", "COS", "Name Recorded"};
    expected << "Default Security Code"
             << "Created"
             << "Last Log On"
             << "Comment";
    for (const auto &row : kWideMailboxes)
        for (const char *value : row)
            expected << QString::fromUtf8(value);
    ExpectEveryTextWhole(pdf, *preview, expected);
    SaveScreenshot(*preview, QStringLiteral("report-preview-mailbox-info-") + GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(Papers, ReportPaperTest, testing::ValuesIn(kPapers),
                         [](const testing::TestParamInfo<Paper> &info) { return info.param.name; });

// A template report of ten columns of long values, on portrait A4: every
// caption and value stands whole too.
TEST_F(ReportJobTest, ATenColumnTemplateReportStandsWholeOnPortraitA4)
{
    QStringList expected;
    {
        COption2LogTable table(m_engine.DatabasePath(), 1, 100);
        ASSERT_TRUE(table.EnsureTable());
        std::array<ReportColumnValue, 10> records;
        for (int i = 0; i < 10; ++i) {
            records[size_t(i)] = {
                QStringLiteral("Caption of column %1").arg(i + 1),
                QStringLiteral("Value %1 of a mailbox, which the server gives at length: %2")
                    .arg(i + 1)
                    .arg(QString(40, QLatin1Char('a' + i))),
                QStringLiteral("Key%1").arg(i)};
            expected << records[size_t(i)].caption << records[size_t(i)].value;
        }
        ASSERT_TRUE(table.AddRecord(10, records));
        ASSERT_TRUE(table.AddFieldNameRecord(10, records));
    }
    const QString pdf = m_home.filePath("template.pdf");
    CReportPreviewWnd *preview = nullptr;
    ASSERT_NO_FATAL_FAILURE(
        previewOnPaper("VoiceMailbox.rpt", QPageSize::A4, QPageLayout::Portrait, pdf, preview));
    ExpectEveryTextWhole(pdf, *preview, expected);
    SaveScreenshot(*preview, QStringLiteral("report-preview-ten-columns"));
}

// Columns a little too wide together for portrait A4: the headings wrap,
// once a page, and every row keeps to one line.
TEST_F(ReportJobTest, WhereTheHeadingsCanGiveWayTheRowsKeepToOneLine)
{
    {
        CMailboxInfoTable table(m_engine.DatabasePath(), 1, 100);
        ASSERT_TRUE(table.EnsureTable());
        for (const char *box : {"1000", "1001", "1002"})
            ASSERT_TRUE(table.AddRecord(box, QByteArray("Name") + box, "Family", "10", "yes", "no", "1/5/2026",
                                        "3/7/2026 2:05pm", QByteArray("Desk ") + box));
    }
    const QString pdf = m_home.filePath("mailboxes.pdf");
    ASSERT_NO_FATAL_FAILURE(exportOnPaper("MailboxInfo.rpt", QPageSize::A4, QPageLayout::Portrait, pdf));
    const QString text = PdfText(pdf);
    for (const char *box : {"1000", "1001", "1002"})
        EXPECT_TRUE(text.contains(QRegularExpression(
            QStringLiteral("%1\\s+Name%1\\s+Family\\s+10\\s+yes\\s+no\\s+1/5/2026\\s+3/7/2026 2:05pm\\s+Desk %1")
                .arg(QLatin1String(box)))))
            << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression("Default\\s"))) << text.toStdString();
    EXPECT_FALSE(text.contains("Default Security Code")) << "the widest heading wraps: " << text.toStdString();
}

// A port group whose name is wider than the page: its group line wraps as
// its column does, and the name stands whole in both.
TEST_F(ReportJobTest, AGroupNameWiderThanThePageWrapsInItsGroupLine)
{
    QStringList words;
    for (int i = 0; i < 60; ++i)
        words << QStringLiteral("Sales%1").arg(i);
    const QString name = words.join(' ');
    {
        CGroupLogTable table(m_engine.DatabasePath(), 1, 100);
        ASSERT_TRUE(table.EnsureTable());
        ASSERT_TRUE(table.AddRecord("3/1/2001", "3/15/2001", name, "1-4", 30, 12, "600 120 5"));
    }
    const QString pdf = m_home.filePath("groups.pdf");
    CReportPreviewWnd *preview = nullptr;
    ASSERT_NO_FATAL_FAILURE(
        previewOnPaper("PortGroup.rpt", QPageSize::A5, QPageLayout::Portrait, pdf, preview));
    ExpectEveryTextWhole(pdf, *preview, {name, "Ports Busy", "Seconds"});
    EXPECT_EQ(WithoutBlanks(PdfText(pdf, QStringLiteral("-raw"))).count(WithoutBlanks(name)), 2)
        << "in its column and in its group line";
}

// A comment of more words than a page has room for: its row goes on over
// the next page, under the headings again, and every word is printed once,
// in order.
TEST_F(ReportJobTest, ARowTallerThanAPageGoesOnOverTheNext)
{
    QStringList words;
    for (int i = 0; i < 1500; ++i)
        words << QStringLiteral("w%1").arg(i, 4, 10, QLatin1Char('0'));
    {
        CMailboxInfoTable table(m_engine.DatabasePath(), 1, 100);
        ASSERT_TRUE(table.EnsureTable());
        ASSERT_TRUE(table.AddRecord("1000", "Alexandrina-Maximiliane", "Featherstonehaugh-Worthington", "10",
                                    "yes", "no", "12/6/2025 11:05pm", "NEVER", words.join(' ').toUtf8()));
        ASSERT_TRUE(
            table.AddRecord("1001", "Bruno", "Family", "10", "yes", "no", "1/5/2026", "NEVER", "Desk 1001"));
    }
    const QString pdf = m_home.filePath("tall.pdf");
    ASSERT_NO_FATAL_FAILURE(exportOnPaper("MailboxInfo.rpt", QPageSize::A4, QPageLayout::Portrait, pdf));
    const QStringList pages = PdfText(pdf).split('\f', Qt::SkipEmptyParts);
    ASSERT_GE(pages.size(), 2);
    for (qsizetype page = 0; page < pages.size(); ++page) {
        SCOPED_TRACE(page + 1);
        EXPECT_TRUE(pages[page].contains("Mailbox")) << "the headings";
        EXPECT_TRUE(pages[page].contains(QRegularExpression(QStringLiteral("\\b%1\\s*$").arg(page + 1))));
    }
    static const QRegularExpression word(QStringLiteral("\\bw\\d{4}\\b"));
    QStringList printed;
    for (const QRegularExpressionMatch &found : word.globalMatch(PdfText(pdf, QStringLiteral("-raw"))))
        printed << found.captured(0);
    EXPECT_EQ(printed, words);
    EXPECT_TRUE(PdfText(pdf).contains(QRegularExpression("1001\\s+Bruno")));
    EXPECT_EQ(WordsOffThePage(pdf), QStringList());
}

// The report printed to a file on a disk that takes no more than 16 KiB a
// file (a file size limit, as a full disk refuses): Print says that the
// file could not be written and why, and leaves no file behind; a file of
// that name from before stays as it was. Run in a process of its own, which
// the limit is set for.
class ReportJobDeathTest : public ReportJobTest {
protected:
    // In the test's own process: the file size limit, then Print to File
    // as the administrator does it, then the export over an earlier file.
    void printOntoAFullDisk()
    {
        fillMailboxes(600);
        m_engine.Printer().setOutputFormat(QPrinter::PdfFormat);
        CReportJob *job = m_engine.OpenJob("MailboxInfo.rpt");
        REQUIRE_IN_CHILD(job && job->Start());
        CReportPreviewWnd *preview = m_engine.Previews().value(0);
        REQUIRE_IN_CHILD(preview && QTest::qWaitForWindowExposed(preview));
        const QString earlier = m_home.filePath("earlier.pdf");
        {
            QFile file(earlier);
            REQUIRE_IN_CHILD(file.open(QIODevice::WriteOnly) && file.write("the earlier report") == 18);
        }
        const rlimit limit{16384, RLIM_INFINITY};
        REQUIRE_IN_CHILD(std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR && setrlimit(RLIMIT_FSIZE, &limit) == 0);

        MessageBoxScript boxes;
        boxes.answer(IDOK);
        const QString path = m_home.filePath("mailboxes.pdf");
        QTimer::singleShot(0, preview, [&] {
            auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
            REQUIRE_IN_CHILD(dialog);
            auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("filename"));
            REQUIRE_IN_CHILD(name && name->isEnabled());
            name->selectAll();
            QTest::keyClicks(name, path);
            auto *buttons = dialog->findChild<QDialogButtonBox *>();
            REQUIRE_IN_CHILD(buttons && buttons->button(QDialogButtonBox::Ok));
            QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
        });
        QToolButton *print = nullptr;
        for (QAction *action : preview->ToolBar()->actions())
            if (action->text() == "Print")
                print = qobject_cast<QToolButton *>(preview->ToolBar()->widgetForAction(action));
        REQUIRE_IN_CHILD(print);
        QTest::mouseClick(print, Qt::LeftButton);
        std::fprintf(stderr, "shown: %s\n", qPrintable(boxes.texts().join('|')));
        REQUIRE_IN_CHILD(boxes.texts().size() == 1);
        const QStringList left =
            QDir(m_home.path()).entryList({"*.pdf*", ".*.pdf*"}, QDir::Files | QDir::Hidden);
        REQUIRE_IN_CHILD(left == QStringList{"earlier.pdf"});

        job = m_engine.OpenJob("MailboxInfo.rpt");
        REQUIRE_IN_CHILD(job && !job->ExportPdf(earlier));
        std::fprintf(stderr, "exported: %s\n", qPrintable(job->GetErrorText()));
        QFile file(earlier);
        REQUIRE_IN_CHILD(file.open(QIODevice::ReadOnly) && file.readAll() == "the earlier report");
        // Out at once: the application is not taken down here, and the
        // font caches it would free would count as leaks.
        std::_Exit(0);
    }
};

TEST_F(ReportJobDeathTest, PrintToAFileThatCannotBeWrittenSaysWhyAndLeavesNoFile)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(printOntoAFullDisk(), testing::ExitedWithCode(0),
                "shown: The report could not be written to .*mailboxes.pdf: File too large\n"
                "exported: The report could not be written to .*earlier.pdf: File too large");
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
