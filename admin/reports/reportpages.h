// The pages of one report: its heading, its sections with their rows, laid
// out in lines of one height on pages of one size, and drawn page by page.
//
// A report of any length is laid out in time linear in its rows: each row
// is measured once as it is added (a column is as wide as its widest text
// and heading), and breaking the lines into pages is counting them. A page
// is drawn only when it is asked for, so a window shows the first page of a
// long report at once and a printer gets the pages one after the other. A
// section that goes on over a page break has its headings again at the top
// of the next page.
//
// A printout never drops what it exists to show: when the columns are wider
// together than the page, the widest give way first, and only so far as the
// page needs: first the headings wrap, then, where the rows still do not
// fit, their texts, but no word is broken where the page has room for every
// column's widest word. A text wider than its column wraps onto more lines
// of its row, and a row taller than a whole page goes on over the next.
//
// Sizes are in points (1/72 inch): a painter handed to DrawPage is scaled so
// that a unit is a point and the page's paint area (within the printer's
// margins) starts at the origin.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QList>
#include <QPageLayout>
#include <QString>
#include <QStringList>

#include <vector>

class QFileDevice;
class QPagedPaintDevice;
class QPainter;
class CReportProgress;

class CReportPages {
public:
    CReportPages(const QString &title, const QPageLayout &layout);

    // Building, in the order of the report: the period line, then each
    // section with its rows; a group line stands before the rows it heads.
    void SetPeriod(const QString &text);
    void BeginSection(const QString &caption, const QStringList &headings);
    void AddGroup(const QString &text);
    void AddRow(const QStringList &values);
    // Ends the report: sections without rows say so, the columns get their
    // places and the lines their pages.
    void Finish();

    // Lays the lines out again on pages of another size.
    void SetPageLayout(const QPageLayout &layout);
    QPageLayout PageLayout() const { return m_layout; }

    QString Title() const { return m_title; }
    int PageCount() const { return int(m_pageStarts.size()); }
    // The size of what a page shows, in points: its paint area less what
    // keeps the text at least half an inch from the paper's edge.
    QSizeF PageSize() const;
    // Draws page `page` (0 the first) with `painter` scaled to points, the
    // origin at the page's paint area.
    void DrawPage(QPainter &painter, int page) const;
    // Every page onto `device` (a printer or a PDF writer), one page after
    // the other; false when `progress` was cancelled, the device could not
    // be painted on, or `output` (the file the device writes to, if any) has
    // failed a write.
    bool PrintAll(QPagedPaintDevice &device, CReportProgress *progress,
                  const QFileDevice *output = nullptr) const;
    // Every page into a PDF file titled with the report's title; false when
    // the file cannot be written, with the reason in `error`, or when
    // `progress` was cancelled, with `error` empty. A failed write leaves no
    // file of its own and an earlier file of that name as it was.
    bool WritePdf(const QString &path, CReportProgress *progress, QString &error) const;

private:
    enum class LineKind { Title, Period, Caption, Headings, Group, Row, NoRows };
    struct Line {
        LineKind kind;
        int section;
        int index;      // the row, or the group text, of the section
        int height = 1; // in text lines, on the present page layout
    };
    // Where a page begins: a line, and how many of its text lines the
    // pages before have shown already.
    struct PageStart {
        int line;
        int shown;
    };
    struct Section {
        QString caption;
        QStringList headings;
        // The rows' texts one after the other, and where each cell ends:
        // one buffer frees at once, where a list of lists would free every
        // text on its own.
        QString cells;
        std::vector<qsizetype> cellEnds;
        std::vector<float> cellWidths; // as measured when the row was added
        int rowCount = 0;
        QStringList groups;
        QList<qreal> naturalWidths; // the widest text of each column
        QList<qreal> leastWidths;   // the widest word of each column
        QList<qreal> rowWidths;     // the widest text of each column's rows
        QList<qreal> lefts;         // where each column begins
        QList<qreal> widths;        // each column's width on the page
        int headingsHeight = 1;     // the text lines of the headings there
    };

    QMarginsF extraMargins() const;
    void addLine(LineKind kind, int index);
    // Widens column `column` of `section` for `text`, which is `width` wide.
    static void measure(Section &section, qsizetype column, const QString &text, qreal width,
                        const QFontMetricsF &metrics);
    void placeColumns(Section &section) const;
    // The text lines each line takes with the columns where they are now.
    void measureHeights();
    int lineHeight(const Line &line) const;
    // The text of cell `column` of row `row`, over the section's buffer.
    static QString cell(const Section &section, int row, qsizetype column);
    // `text` broken into lines no wider than `width`: at its line feeds,
    // between words, and within a word wider than `width` alone.
    static QStringList wrapped(const QString &text, qreal width, const QFontMetricsF &metrics);
    void paginate();
    int linesPerPage() const;
    // Whether a page that begins with `line` goes on with its section, and
    // so repeats the section's headings first.
    static bool continuesSection(const Line &line);
    // Draws text lines [from, to) of `line` with its first at `top`.
    void drawLine(QPainter &painter, const Line &line, qreal top, int from, int to) const;
    // Draws the texts of a row, or of the headings, in their columns, text
    // lines [from, to) of them; `text(i)` gives column i's and `width(i)`
    // how wide it was measured.
    template <typename Text, typename Width>
    void drawCells(QPainter &painter, const Section &section, Text text, Width width,
                   const QFontMetricsF &metrics, qreal top, int from, int to) const;
    // The text lines of a row or of headings: its tallest cell's.
    template <typename Text, typename Width>
    int cellsHeight(const Section &section, Text text, Width width, const QFontMetricsF &metrics) const;
    void drawFooter(QPainter &painter, int page) const;

    QString m_title;
    QString m_period;
    QPageLayout m_layout;
    QFont m_bodyFont;
    QFont m_boldFont;
    QFont m_titleFont;
    QFontMetricsF m_bodyMetrics;
    QFontMetricsF m_boldMetrics;
    qreal m_lineHeight;
    std::vector<Section> m_sections;
    std::vector<Line> m_lines;
    std::vector<PageStart> m_pageStarts;
};
