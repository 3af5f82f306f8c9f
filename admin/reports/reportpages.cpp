// See reportpages.h. Fonts are sized in pixels of the painter's units, so
// that a text measures the same on the screen, a printer and a PDF file.
#include "admin/reports/reportpages.h"

#include "admin/reports/reportprogress.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>
#include <numeric>

namespace {

constexpr int kBodySize = 9;
constexpr int kTitleSize = 16;
constexpr qreal kLineSpacing = 1.35;
constexpr qreal kColumnGap = 8;
// The title takes two lines; the page number the last two of a page.
constexpr int kTitleLines = 2;
constexpr int kFooterLines = 2;
// A paper's edge the text keeps clear of, whatever the printer's margins.
constexpr qreal kLeastMargin = 36;

qreal Sum(const QList<qreal> &widths)
{
    return std::accumulate(widths.begin(), widths.end(), qreal(0));
}

// `widths` within `room` together: those that fit a fair share of it keep
// their width, the wider ones share what is left equally.
QList<qreal> FairShares(QList<qreal> widths, qreal room)
{
    if (Sum(widths) <= room)
        return widths;
    const qsizetype count = widths.size();
    QList<qsizetype> narrowestFirst(count);
    std::iota(narrowestFirst.begin(), narrowestFirst.end(), 0);
    std::sort(narrowestFirst.begin(), narrowestFirst.end(),
              [&](qsizetype a, qsizetype b) { return widths[a] < widths[b]; });
    for (qsizetype k = 0; k < count; ++k) {
        const qsizetype column = narrowestFirst[k];
        const qreal share = std::max<qreal>(room / qreal(count - k), 1);
        widths[column] = std::min(widths[column], share);
        room -= widths[column];
    }
    return widths;
}

// `widths` within `room` together, the widest giving way first: each is
// the lesser of its width and a cap common to all, and never less than its
// floor in `floors` (which fit in `room` together).
QList<qreal> GivingWay(const QList<qreal> &widths, const QList<qreal> &floors, qreal room)
{
    const auto capped = [&](qreal cap) {
        QList<qreal> result(widths.size());
        for (qsizetype i = 0; i < widths.size(); ++i)
            result[i] = std::clamp(cap, floors[i], widths[i]);
        return result;
    };
    qreal fits = 0;
    qreal tooWide = *std::max_element(widths.begin(), widths.end());
    // A tenth of a point is finer than any printer draws.
    while (tooWide - fits > 0.1) {
        const qreal cap = (fits + tooWide) / 2;
        (Sum(capped(cap)) <= room ? fits : tooWide) = cap;
    }
    return capped(fits);
}

// The widest word of `text`, which is `width` wide.
qreal WidestWord(const QString &text, qreal width, const QFontMetricsF &metrics)
{
    if (!text.contains(QLatin1Char(' ')) && !text.contains(QLatin1Char('\n')))
        return width;
    qreal widest = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != QLatin1Char(' ') && text[i] != QLatin1Char('\n'))
            continue;
        if (i > start)
            widest = std::max(
                widest, metrics.horizontalAdvance(QString::fromRawData(text.constData() + start, i - start)));
        start = i + 1;
    }
    return widest;
}

QFont ReportFont(int size, bool bold)
{
    QFont font = QGuiApplication::font();
    font.setPixelSize(size);
    font.setBold(bold);
    return font;
}

} // namespace

CReportPages::CReportPages(const QString &title, const QPageLayout &layout)
    : m_title(title), m_layout(layout), m_bodyFont(ReportFont(kBodySize, false)), m_boldFont(ReportFont(kBodySize, true)),
      m_titleFont(ReportFont(kTitleSize, true)), m_bodyMetrics(m_bodyFont), m_boldMetrics(m_boldFont),
      m_lineHeight(m_bodyMetrics.height() * kLineSpacing)
{
    addLine(LineKind::Title, 0);
}

void CReportPages::SetPeriod(const QString &text)
{
    m_period = text;
    addLine(LineKind::Period, 0);
}

void CReportPages::BeginSection(const QString &caption, const QStringList &headings)
{
    Section section;
    section.caption = caption;
    section.headings = headings;
    section.naturalWidths = QList<qreal>(headings.size(), 0);
    section.leastWidths = QList<qreal>(headings.size(), 0);
    section.rowWidths = QList<qreal>(headings.size(), 0);
    for (qsizetype i = 0; i < headings.size(); ++i)
        measure(section, i, headings[i], m_boldMetrics.horizontalAdvance(headings[i]), m_boldMetrics);
    m_sections.push_back(std::move(section));
    if (!caption.isEmpty())
        addLine(LineKind::Caption, 0);
    addLine(LineKind::Headings, 0);
}

void CReportPages::AddGroup(const QString &text)
{
    Section &section = m_sections.back();
    section.groups.append(text);
    addLine(LineKind::Group, int(section.groups.size()) - 1);
}

void CReportPages::AddRow(const QStringList &values)
{
    Section &section = m_sections.back();
    for (qsizetype i = 0; i < section.headings.size(); ++i) {
        const float width = i < values.size() ? float(m_bodyMetrics.horizontalAdvance(values[i])) : 0;
        if (i < values.size()) {
            section.cells += values[i];
            measure(section, i, values[i], width, m_bodyMetrics);
        }
        section.cellEnds.push_back(section.cells.size());
        section.cellWidths.push_back(width);
        section.rowWidths[i] = std::max(section.rowWidths[i], qreal(width));
    }
    addLine(LineKind::Row, section.rowCount++);
}

void CReportPages::Finish()
{
    // A section without rows says so under its headings.
    std::vector<Line> lines;
    lines.reserve(m_lines.size() + m_sections.size());
    for (size_t i = 0; i < m_lines.size(); ++i) {
        lines.push_back(m_lines[i]);
        const Line &line = m_lines[i];
        if (line.kind == LineKind::Headings && m_sections[size_t(line.section)].rowCount == 0)
            lines.push_back(Line{LineKind::NoRows, line.section, 0});
    }
    m_lines = std::move(lines);
    SetPageLayout(m_layout);
}

void CReportPages::SetPageLayout(const QPageLayout &layout)
{
    m_layout = layout;
    for (Section &section : m_sections)
        placeColumns(section);
    measureHeights();
    paginate();
}

QSizeF CReportPages::PageSize() const
{
    const QMarginsF extra = extraMargins();
    return m_layout.paintRect(QPageLayout::Point).size().shrunkBy(extra);
}

QMarginsF CReportPages::extraMargins() const
{
    const QMarginsF margins = m_layout.margins(QPageLayout::Point);
    return QMarginsF(std::max<qreal>(0, kLeastMargin - margins.left()), std::max<qreal>(0, kLeastMargin - margins.top()),
                     std::max<qreal>(0, kLeastMargin - margins.right()),
                     std::max<qreal>(0, kLeastMargin - margins.bottom()));
}

void CReportPages::addLine(LineKind kind, int index)
{
    m_lines.push_back(Line{kind, int(m_sections.size()) - 1, index});
}

void CReportPages::measure(Section &section, qsizetype column, const QString &text, qreal width,
                           const QFontMetricsF &metrics)
{
    section.naturalWidths[column] = std::max(section.naturalWidths[column], width);
    // Only a text wider than the column's widest word so far can hold a
    // wider word: most texts are not looked into.
    qreal &least = section.leastWidths[column];
    if (width > least)
        least = std::max(least, WidestWord(text, width, metrics));
}

void CReportPages::placeColumns(Section &section) const
{
    const qreal room =
        PageSize().width() - kColumnGap * qreal(std::max<qsizetype>(0, section.naturalWidths.size() - 1));
    QList<qreal> widths = section.naturalWidths;
    if (Sum(widths) > room) {
        // Rows on one line each, where the page has room for that: only
        // headings wrap, once a page. Else no word broken, where the page
        // has room for every column's widest word.
        QList<qreal> floors = section.rowWidths;
        for (qsizetype i = 0; i < floors.size(); ++i)
            floors[i] = std::max(floors[i], WidestWord(section.headings[i],
                                                       m_boldMetrics.horizontalAdvance(section.headings[i]),
                                                       m_boldMetrics));
        if (Sum(floors) > room)
            floors = FairShares(section.leastWidths, room);
        widths = GivingWay(widths, floors, room);
    }
    section.lefts.clear();
    qreal left = 0;
    for (qreal width : std::as_const(widths)) {
        section.lefts.append(left);
        left += width + kColumnGap;
    }
    section.widths = widths;
}

QString CReportPages::cell(const Section &section, int row, qsizetype column)
{
    const size_t index = size_t(qsizetype(row) * section.headings.size() + column);
    const qsizetype start = index == 0 ? 0 : section.cellEnds[index - 1];
    // The buffer outlives the use of the text.
    return QString::fromRawData(section.cells.constData() + start, section.cellEnds[index] - start);
}

QStringList CReportPages::wrapped(const QString &text, qreal width, const QFontMetricsF &metrics)
{
    QStringList lines;
    const auto fits = [&](const QString &line) { return metrics.horizontalAdvance(line) <= width; };
    for (const QString &paragraph : text.split(QLatin1Char('\n'))) {
        QString line;
        for (const QString &word : paragraph.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString joined = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (fits(joined)) {
                line = joined;
                continue;
            }
            if (!line.isEmpty())
                lines << line;
            line = word;
            // A word wider than the column alone goes on on the next line,
            // with at least one character a line.
            while (!fits(line) && line.size() > 1) {
                qsizetype fitting = 1;
                while (fitting + 1 < line.size() && fits(line.left(fitting + 1)))
                    ++fitting;
                if (line[fitting - 1].isHighSurrogate() && fitting + 1 < line.size())
                    ++fitting;
                lines << line.left(fitting);
                line = line.mid(fitting);
            }
        }
        lines << line;
    }
    return lines;
}

template <typename Text, typename Width>
int CReportPages::cellsHeight(const Section &section, Text text, Width width,
                              const QFontMetricsF &metrics) const
{
    int height = 1;
    for (qsizetype i = 0; i < section.widths.size(); ++i)
        if (width(i) > section.widths[i])
            height = std::max(height, int(wrapped(text(i), section.widths[i], metrics).size()));
    return height;
}

void CReportPages::measureHeights()
{
    for (Section &section : m_sections) {
        const auto heading = [&](qsizetype i) { return section.headings[i]; };
        section.headingsHeight = cellsHeight(
            section, heading, [&](qsizetype i) { return m_boldMetrics.horizontalAdvance(heading(i)); },
            m_boldMetrics);
    }
    for (Line &line : m_lines)
        line.height = lineHeight(line);
}

int CReportPages::lineHeight(const Line &line) const
{
    switch (line.kind) {
    case LineKind::Title:
        return kTitleLines;
    case LineKind::Headings:
        return m_sections[size_t(line.section)].headingsHeight;
    case LineKind::Group: {
        const QString &text = m_sections[size_t(line.section)].groups[line.index];
        const qreal width = PageSize().width();
        return m_boldMetrics.horizontalAdvance(text) > width ? int(wrapped(text, width, m_boldMetrics).size())
                                                             : 1;
    }
    case LineKind::Row: {
        const Section &section = m_sections[size_t(line.section)];
        const qsizetype first = qsizetype(line.index) * section.headings.size();
        return cellsHeight(
            section, [&](qsizetype i) { return cell(section, line.index, i); },
            [&](qsizetype i) { return qreal(section.cellWidths[size_t(first + i)]); }, m_bodyMetrics);
    }
    default:
        return 1;
    }
}

int CReportPages::linesPerPage() const
{
    return std::max(4, int(PageSize().height() / m_lineHeight) - kFooterLines);
}

bool CReportPages::continuesSection(const Line &line)
{
    return line.kind == LineKind::Row || line.kind == LineKind::Group || line.kind == LineKind::NoRows;
}

void CReportPages::paginate()
{
    m_pageStarts.clear();
    const int room = linesPerPage();
    int used = room; // a page is started by the first line
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const Line &line = m_lines[i];
        // Rows going on from the page before have their headings again.
        const int repeated = continuesSection(line) ? m_sections[size_t(line.section)].headingsHeight : 0;
        if (used + line.height > room && repeated + line.height <= room) {
            m_pageStarts.push_back(PageStart{int(i), 0});
            used = repeated;
        }
        // A line taller than a page takes what is left of this one and
        // goes on over the next.
        for (int shown = 0; shown < line.height;) {
            if (used >= room) {
                m_pageStarts.push_back(PageStart{int(i), shown});
                used = std::min(repeated, room - 1);
            }
            const int taken = std::min(line.height - shown, room - used);
            shown += taken;
            used += taken;
        }
    }
    if (m_pageStarts.empty())
        m_pageStarts.push_back(PageStart{0, 0});
}

void CReportPages::DrawPage(QPainter &painter, int page) const
{
    if (page < 0 || page >= PageCount())
        return;
    const PageStart start = m_pageStarts[size_t(page)];
    const PageStart end =
        page + 1 < PageCount() ? m_pageStarts[size_t(page) + 1] : PageStart{int(m_lines.size()), 0};
    painter.save();
    painter.translate(extraMargins().left(), extraMargins().top());
    qreal top = 0;
    if (size_t(start.line) < m_lines.size() && continuesSection(m_lines[size_t(start.line)])) {
        const int section = m_lines[size_t(start.line)].section;
        const int height = m_sections[size_t(section)].headingsHeight;
        drawLine(painter, Line{LineKind::Headings, section, 0, height}, top, 0, height);
        top += m_lineHeight * height;
    }
    for (int i = start.line; i < int(m_lines.size()) && (i < end.line || (i == end.line && end.shown > 0));
         ++i) {
        const Line &line = m_lines[size_t(i)];
        const int from = i == start.line ? start.shown : 0;
        const int to = i == end.line ? end.shown : line.height;
        drawLine(painter, line, top, from, to);
        top += m_lineHeight * (to - from);
    }
    drawFooter(painter, page);
    painter.restore();
}

template <typename Text, typename Width>
void CReportPages::drawCells(QPainter &painter, const Section &section, Text text, Width width,
                             const QFontMetricsF &metrics, qreal top, int from, int to) const
{
    for (qsizetype i = 0; i < section.lefts.size(); ++i) {
        const QString value = text(i);
        if (value.isEmpty())
            continue;
        const auto draw = [&](int line, const QString &part) {
            painter.drawText(QPointF(section.lefts[i], top + m_lineHeight * (line - from + 0.75)), part);
        };
        if (width(i) <= section.widths[i]) {
            if (from == 0 && to > 0)
                draw(0, value);
            continue;
        }
        const QStringList lines = wrapped(value, section.widths[i], metrics);
        for (int k = from; k < std::min(to, int(lines.size())); ++k)
            draw(k, lines[k]);
    }
}

void CReportPages::drawLine(QPainter &painter, const Line &line, qreal top, int from, int to) const
{
    const qreal width = PageSize().width();
    const qreal baseline = top + m_lineHeight * 0.75;
    switch (line.kind) {
    case LineKind::Title:
        painter.setFont(m_titleFont);
        painter.drawText(QRectF(0, top, width, m_lineHeight * kTitleLines), Qt::AlignCenter, m_title);
        break;
    case LineKind::Period:
        painter.setFont(m_bodyFont);
        painter.drawText(QRectF(0, top, width, m_lineHeight), Qt::AlignCenter, m_period);
        break;
    case LineKind::Caption:
        painter.setFont(m_boldFont);
        painter.drawText(QPointF(0, baseline), m_sections[size_t(line.section)].caption);
        break;
    case LineKind::Headings: {
        const Section &section = m_sections[size_t(line.section)];
        painter.setFont(m_boldFont);
        const auto heading = [&](qsizetype i) { return section.headings[i]; };
        drawCells(
            painter, section, heading,
            [&](qsizetype i) { return m_boldMetrics.horizontalAdvance(heading(i)); }, m_boldMetrics, top,
            from, to);
        if (to == line.height) {
            const qreal rule = top + m_lineHeight * (to - from) - 1;
            painter.drawLine(QPointF(0, rule), QPointF(width, rule));
        }
        break;
    }
    case LineKind::Group: {
        painter.setFont(m_boldFont);
        const QString &text = m_sections[size_t(line.section)].groups[line.index];
        const QStringList lines = m_boldMetrics.horizontalAdvance(text) > width
                                      ? wrapped(text, width, m_boldMetrics)
                                      : QStringList{text};
        for (int k = from; k < std::min(to, int(lines.size())); ++k)
            painter.drawText(QPointF(0, top + m_lineHeight * (k - from + 0.75)), lines[k]);
        break;
    }
    case LineKind::Row: {
        const Section &section = m_sections[size_t(line.section)];
        painter.setFont(m_bodyFont);
        const qsizetype first = qsizetype(line.index) * section.headings.size();
        drawCells(
            painter, section, [&](qsizetype i) { return cell(section, line.index, i); },
            [&](qsizetype i) { return qreal(section.cellWidths[size_t(first + i)]); }, m_bodyMetrics, top,
            from, to);
        break;
    }
    case LineKind::NoRows:
        painter.setFont(m_bodyFont);
        painter.drawText(QPointF(0, baseline), QStringLiteral("No rows."));
        break;
    }
}

void CReportPages::drawFooter(QPainter &painter, int page) const
{
    const QSizeF size = PageSize();
    painter.setFont(m_bodyFont);
    painter.drawText(QRectF(0, size.height() - m_lineHeight, size.width(), m_lineHeight), Qt::AlignCenter,
                     QString::number(page + 1));
}

bool CReportPages::PrintAll(QPagedPaintDevice &device, CReportProgress *progress,
                            const QFileDevice *output) const
{
    device.setPageLayout(m_layout);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // Points from here on, the origin at the paint area.
    const qreal scale = device.logicalDpiX() / 72.0;
    for (int page = 0; page < PageCount(); ++page) {
        if (page > 0 && !device.newPage())
            return false;
        painter.resetTransform();
        painter.scale(scale, device.logicalDpiY() / 72.0);
        DrawPage(painter, page);
        const bool stopped =
            (progress && !progress->Advance(page + 1)) || (output && output->error() != QFileDevice::NoError);
        if (stopped) {
            painter.end();
            return false;
        }
    }
    return painter.end();
}

bool CReportPages::WritePdf(const QString &path, CReportProgress *progress, QString &error) const
{
    // The pages go to a file beside the named one, which takes its name only
    // once every byte is written: a full disk leaves no half a PDF behind,
    // and the file that was there before stays as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = QStringLiteral("The report could not be written to %1: %2").arg(path, file.errorString());
        return false;
    }
    bool drawn = false;
    {
        QPdfWriter writer(&file);
        writer.setTitle(m_title);
        writer.setCreator(QStringLiteral("Verbanta admin"));
        drawn = PrintAll(writer, progress, &file);
    }
    if (!drawn && progress && progress->WasCancelled()) {
        file.cancelWriting();
        error.clear();
        return false;
    }
    if (!drawn && file.error() == QFileDevice::NoError) {
        file.cancelWriting();
        error =
            QStringLiteral("The report could not be written to %1: its pages could not be drawn.").arg(path);
        return false;
    }
    // A write that failed makes the commit fail, with its reason, and the
    // file go.
    if (file.commit())
        return true;
    error = QStringLiteral("The report could not be written to %1: %2").arg(path, file.errorString());
    return false;
}
