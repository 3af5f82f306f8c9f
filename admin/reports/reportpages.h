// The pages of one report: its heading, its sections with their rows, laid
// out in lines of one height on pages of one size, and drawn page by page.
//
// A report of any length is laid out in time linear in its rows: each row
// is measured once as it is added (a column is as wide as its widest text
// and heading), and a page holds a fixed number of lines, so breaking the
// lines into pages is counting. A page is drawn only when it is asked for,
// so a window shows the first page of a long report at once and a printer
// gets the pages one after the other. A section that goes on over a page
// break has its headings again at the top of the next page. When the
// columns are wider together than the page, those that fit a fair share of
// it keep their width and the widest share the rest; a text too wide for
// its column ends in "...".
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
        int index; // the row, or the group text, of the section
    };
    struct Section {
        QString caption;
        QStringList headings;
        // The rows' texts one after the other, and where each cell ends:
        // one buffer frees at once, where a list of lists would free every
        // text on its own.
        QString cells;
        std::vector<qsizetype> cellEnds;
        int rowCount = 0;
        QStringList groups;
        QList<qreal> naturalWidths; // the widest text of each column
        QList<qreal> lefts;         // where each column begins
        QList<qreal> widths;        // each column's width on the page
    };

    QMarginsF extraMargins() const;
    void addLine(LineKind kind, int index);
    void measure(Section &section, const QStringList &values, const QFontMetricsF &metrics);
    void placeColumns(Section &section) const;
    void paginate();
    int linesPerPage() const;
    void drawLine(QPainter &painter, const Line &line, qreal top) const;
    // Draws the texts of a row, or of the headings, in their columns;
    // `text(i)` gives column i's.
    template <typename Text>
    void drawCells(QPainter &painter, const Section &section, qsizetype columns, Text text,
                   const QFontMetricsF &metrics, qreal baseline) const;
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
    std::vector<int> m_pageStarts; // the first line of each page
};
