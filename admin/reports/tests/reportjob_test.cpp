// Print jobs as the report runs use them: every built-in layout opens, a
// layout names only report tables and columns, a job renders the rows of the
// database into a PDF that reads back with the figures, and the preview
// window stays after its job is gone.
#include "admin/reports/db/grouplogtable.h"
#include "admin/reports/db/option2logtable.h"
#include "admin/reports/db/portlogtable.h"
#include "admin/reports/reportengine.h"
#include "admin/reports/reportjob.h"
#include "admin/reports/reportlayout.h"
#include "admin/reports/reportpages.h"
#include "admin/reports/reportpreviewwnd.h"
#include "admin/reports/tests/paintedtext.h"

#include <QApplication>
#include <QDir>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <array>

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

} // namespace
