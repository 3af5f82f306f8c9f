// A long report shown and exported: the Mailbox Info and Status report of
// 10 000 and 100 000 mailboxes, and of 10 000 whose values are wider than
// their columns (each row wraps onto several lines), laid out into its
// preview window (ready when the window has painted its first page) and
// written to a PDF file, against a yardstick in the same run: a plain
// QPdfWriter loop that reads the same rows and draws each as one line of
// text on pages of the same size.
// It also prints the longest gap of the same timer on an idle interface
// thread, which is the machine's load alone.
// Bounds, each checked (the program ends with 1 on a miss):
//   - preview ready and PDF written within 3x the yardstick, at both sizes
//     of short values;
//   - wide values: a page within 1.5x a page of the 10 000 short values
//     (the yardstick draws a row as one line, the report as several);
//   - the time a row at 100 000 within 1.3x that at 10 000 (preview, PDF);
//   - the interface never more than 100 ms without its 5 ms timer while the
//     pages are laid out or written.
//   admin_reportpages_bench [rounds]   (default 3; the best round counts)
#include "admin/reports/db/mailboxinfotable.h"
#include "admin/reports/reportengine.h"
#include "admin/reports/reportjob.h"
#include "admin/reports/reportpages.h"
#include "admin/reports/reportpreviewwnd.h"
#include "scripts/bench/interfacegapmeter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <limits>

namespace {

constexpr qint64 kLongestGapMs = 100;
constexpr double kAgainstYardstick = 3.0;
constexpr double kPerRowGrowth = 1.3;
constexpr double kWidePerPage = 1.5;

struct Timing {
    qint64 ms = std::numeric_limits<qint64>::max();
    qint64 longestGapMs = 0;
};

// Runs `work` with a 5 ms timer ticking on the interface thread; the time it
// took, and the longest the timer went without a tick.
Timing Measure(const std::function<void()> &work)
{
    Timing timing;
    InterfaceGapMeter gaps;
    gaps.Start();
    QElapsedTimer wall;
    wall.start();
    work();
    timing.ms = wall.elapsed();
    timing.longestGapMs = gaps.Stop();
    return timing;
}

// The machine's own share: the longest the same timer waits while the
// interface thread does nothing for `ms`.
qint64 IdleGap(int ms)
{
    return Measure([ms] {
               QEventLoop idle;
               QTimer::singleShot(ms, &idle, &QEventLoop::quit);
               idle.exec();
           })
        .longestGapMs;
}

// `wide`: names, dates and comments wider than their columns on portrait
// paper, as a real server's often are.
void FillMailboxes(const QString &database, int count, bool wide)
{
    CMailboxInfoTable table(database, 1, 100);
    if (!table.EnsureTable() || !table.BeginRun() || !table.PurgeTable()) {
        std::fprintf(stderr, "cannot fill %s: %s\n", qPrintable(database), qPrintable(table.LastError()));
        std::exit(1);
    }
    for (int box = 1000; box < 1000 + count; ++box) {
        const QByteArray number = QByteArray::number(box);
        if (wide)
            table.AddRecord(number, "Alexandrina-Maximiliane " + number, "Featherstonehaugh-Worthington",
                            "Executives", "yes", "no", "12/6/2025 11:05pm", "03/17/2001 2:05pm",
                            "Front desk of the north building, second floor, beside the lifts, desk " +
                                number);
        else
            table.AddRecord(number, "Name" + number, "Family", "10", "yes", "no", "1/5/2026",
                            "3/7/2026 2:05pm", "Desk " + number);
    }
    table.EndRun(true);
}

// The yardstick: every row read and drawn as one text line, the pages of
// the same size, a new page when one is full.
void WritePlainPdf(const QString &database, const QString &path, const QPageLayout &layout)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    QPdfWriter writer(&file);
    writer.setPageLayout(layout);
    QPainter painter(&writer);
    painter.scale(writer.logicalDpiX() / 72.0, writer.logicalDpiY() / 72.0);
    QFont font = QGuiApplication::font();
    font.setPixelSize(9);
    painter.setFont(font);
    const qreal lineHeight = QFontMetricsF(font).height() * 1.35;
    const qreal pageHeight = layout.paintRect(QPageLayout::Point).height();
    sqlite3 *db = nullptr;
    sqlite3_open_v2(database.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt *rows = nullptr;
    sqlite3_prepare_v2(db, "SELECT * FROM MAILBOXINFO ORDER BY Mailbox", -1, &rows, nullptr);
    qreal y = lineHeight;
    while (sqlite3_step(rows) == SQLITE_ROW) {
        QString line;
        for (int i = 0; i < sqlite3_column_count(rows); ++i)
            line += QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(rows, i))) +
                    QLatin1String("  ");
        if (y + lineHeight > pageHeight) {
            writer.newPage();
            y = lineHeight;
        }
        painter.drawText(QPointF(0, y), line);
        y += lineHeight;
    }
    sqlite3_finalize(rows);
    sqlite3_close(db);
}

struct Size {
    int rows;
    bool wide;
    Timing yardstick;
    Timing preview;
    Timing pdf;
    int pages = 0;
};

void MeasureSize(CReportEngine &engine, const QString &folder, Size &size)
{
    FillMailboxes(engine.DatabasePath(), size.rows, size.wide);
    const QString pdf = folder + QStringLiteral("/report.pdf");
    const auto best = [](Timing &kept, const Timing &taken) {
        kept.ms = std::min(kept.ms, taken.ms);
        kept.longestGapMs = std::max(kept.longestGapMs, taken.longestGapMs);
    };
    best(size.yardstick,
         Measure([&] { WritePlainPdf(engine.DatabasePath(), folder + "/plain.pdf", engine.Printer().pageLayout()); }));
    best(size.preview, Measure([&] {
             CReportJob *job = engine.OpenJob(QStringLiteral("MailboxInfo.rpt"));
             job->OutputToWindow(QStringLiteral("Mailbox Info and Status"), 70, 100, 600, 500);
             if (!job->Start())
                 std::fprintf(stderr, "preview: %s\n", qPrintable(job->GetErrorText()));
             delete job;
             CReportPreviewWnd *preview = engine.Previews().last();
             preview->repaint();
             size.pages = preview->Pages().PageCount();
         }));
    for (CReportPreviewWnd *preview : engine.Previews())
        delete preview;
    best(size.pdf, Measure([&] {
             CReportJob *job = engine.OpenJob(QStringLiteral("MailboxInfo.rpt"));
             if (!job->ExportPdf(pdf))
                 std::fprintf(stderr, "PDF: %s\n", qPrintable(job->GetErrorText()));
             delete job;
         }));
}

bool Check(bool met, const char *what)
{
    if (!met)
        std::printf("  MISSED: %s\n", what);
    return met;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir folder;
    setenv("XDG_DATA_HOME", folder.path().toLocal8Bit().constData(), 1);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    QApplication application(argc, argv);
    CReportEngine engine;
    if (!engine.Open()) {
        std::fprintf(stderr, "%s\n", qPrintable(engine.LastError()));
        return 1;
    }
    Size sizes[] = {{10000, false, {}, {}, {}}, {100000, false, {}, {}, {}}, {10000, true, {}, {}, {}}};
    for (Size &size : sizes)
        for (int round = 0; round < rounds; ++round)
            MeasureSize(engine, folder.path(), size);
    std::printf("an idle interface thread on this machine now: longest gap %lld ms in 10 s\n",
                static_cast<long long>(IdleGap(10000)));

    bool met = true;
    for (const Size &size : sizes) {
        const double preview = double(size.preview.ms) / double(std::max<qint64>(1, size.yardstick.ms));
        const double pdf = double(size.pdf.ms) / double(std::max<qint64>(1, size.yardstick.ms));
        std::printf(
            "%6d rows%s, %4d pages: yardstick %6lld ms; preview ready %6lld ms (%.2fx), longest UI gap %3lld "
            "ms; PDF %6lld ms (%.2fx), longest UI gap %3lld ms\n",
            size.rows, size.wide ? " of wide values" : "", size.pages,
            static_cast<long long>(size.yardstick.ms), static_cast<long long>(size.preview.ms), preview,
            static_cast<long long>(size.preview.longestGapMs), static_cast<long long>(size.pdf.ms), pdf,
            static_cast<long long>(size.pdf.longestGapMs));
        if (size.wide) {
            const auto perPage = [](const Timing &timing, int pages) {
                return double(timing.ms) / std::max(1, pages);
            };
            const double previewPage =
                perPage(size.preview, size.pages) / perPage(sizes[0].preview, sizes[0].pages);
            const double pdfPage = perPage(size.pdf, size.pages) / perPage(sizes[0].pdf, sizes[0].pages);
            std::printf("  a page of wide values against one of short values: preview %.2fx, PDF %.2fx "
                        "(bound %.1fx)\n",
                        previewPage, pdfPage, kWidePerPage);
            met &= Check(previewPage <= kWidePerPage,
                         "preview of wide values: a page as quick as a short one's");
            met &= Check(pdfPage <= kWidePerPage, "PDF of wide values: a page as quick as a short one's");
        } else {
            met &= Check(preview <= kAgainstYardstick, "preview within 3x the yardstick");
            met &= Check(pdf <= kAgainstYardstick, "PDF within 3x the yardstick");
        }
        met &= Check(size.preview.longestGapMs <= kLongestGapMs, "interface answering while the preview is laid out");
        met &= Check(size.pdf.longestGapMs <= kLongestGapMs, "interface answering while the PDF is written");
    }
    const auto perRow = [](qint64 ms, int rows) { return double(ms) / rows; };
    const double previewGrowth = perRow(sizes[1].preview.ms, sizes[1].rows) / perRow(sizes[0].preview.ms, sizes[0].rows);
    const double pdfGrowth = perRow(sizes[1].pdf.ms, sizes[1].rows) / perRow(sizes[0].pdf.ms, sizes[0].rows);
    std::printf("time a row, 100 000 against 10 000: preview %.2fx, PDF %.2fx (bound %.1fx)\n", previewGrowth,
                pdfGrowth, kPerRowGrowth);
    met &= Check(previewGrowth <= kPerRowGrowth, "preview linear in the rows");
    met &= Check(pdfGrowth <= kPerRowGrowth, "PDF linear in the rows");
    std::printf("%s\n", met ? "all bounds met" : "a bound was missed");
    return met ? 0 : 1;
}
