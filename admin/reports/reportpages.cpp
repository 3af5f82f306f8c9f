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
    measure(section, headings, m_boldMetrics);
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
    measure(section, values, m_bodyMetrics);
    for (qsizetype i = 0; i < section.headings.size(); ++i) {
        if (i < values.size())
            section.cells += values[i];
        section.cellEnds.push_back(section.cells.size());
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

void CReportPages::measure(Section &section, const QStringList &values, const QFontMetricsF &metrics)
{
    const qsizetype columns = std::min(values.size(), section.naturalWidths.size());
    for (qsizetype i = 0; i < columns; ++i)
        section.naturalWidths[i] = std::max(section.naturalWidths[i], metrics.horizontalAdvance(values[i]));
}

void CReportPages::placeColumns(Section &section) const
{
    // Columns that fit a fair share of the page keep their width; the wider
    // ones share what is left equally, and their texts are cut.
    const qsizetype count = section.naturalWidths.size();
    QList<qreal> widths = section.naturalWidths;
    qreal room = PageSize().width() - kColumnGap * qreal(std::max<qsizetype>(0, count - 1));
    qreal natural = 0;
    for (qreal width : std::as_const(widths))
        natural += width;
    if (natural > room) {
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
    }
    section.lefts.clear();
    qreal left = 0;
    for (qreal width : std::as_const(widths)) {
        section.lefts.append(left);
        left += width + kColumnGap;
    }
    section.widths = widths;
}

int CReportPages::linesPerPage() const
{
    return std::max(4, int(PageSize().height() / m_lineHeight) - kFooterLines);
}

void CReportPages::paginate()
{
    m_pageStarts.clear();
    const int room = linesPerPage();
    int used = room; // a page is started by the first line
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const Line &line = m_lines[i];
        const int height = line.kind == LineKind::Title ? kTitleLines : 1;
        if (used + height > room) {
            m_pageStarts.push_back(int(i));
            used = 0;
            // Rows going on from the page before have their headings again.
            const bool continued = line.kind == LineKind::Row || line.kind == LineKind::Group ||
                                   line.kind == LineKind::NoRows;
            if (continued)
                used = 1;
        }
        used += height;
    }
    if (m_pageStarts.empty())
        m_pageStarts.push_back(0);
}

void CReportPages::DrawPage(QPainter &painter, int page) const
{
    if (page < 0 || page >= PageCount())
        return;
    const size_t first = size_t(m_pageStarts[size_t(page)]);
    const size_t end = page + 1 < PageCount() ? size_t(m_pageStarts[size_t(page) + 1]) : m_lines.size();
    painter.save();
    painter.translate(extraMargins().left(), extraMargins().top());
    qreal top = 0;
    if (first < end) {
        const Line &line = m_lines[first];
        if (line.kind == LineKind::Row || line.kind == LineKind::Group || line.kind == LineKind::NoRows) {
            drawLine(painter, Line{LineKind::Headings, line.section, 0}, top);
            top += m_lineHeight;
        }
    }
    for (size_t i = first; i < end; ++i) {
        drawLine(painter, m_lines[i], top);
        top += m_lineHeight * (m_lines[i].kind == LineKind::Title ? kTitleLines : 1);
    }
    drawFooter(painter, page);
    painter.restore();
}

template <typename Text>
void CReportPages::drawCells(QPainter &painter, const Section &section, qsizetype columns, Text text,
                             const QFontMetricsF &metrics, qreal baseline) const
{
    columns = std::min(columns, section.lefts.size());
    for (qsizetype i = 0; i < columns; ++i) {
        const QString value = text(i);
        if (value.isEmpty())
            continue;
        const bool cut = section.widths[i] < section.naturalWidths[i] &&
                         metrics.horizontalAdvance(value) > section.widths[i];
        painter.drawText(QPointF(section.lefts[i], baseline),
                         cut ? metrics.elidedText(value, Qt::ElideRight, section.widths[i]) : value);
    }
}

void CReportPages::drawLine(QPainter &painter, const Line &line, qreal top) const
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
        drawCells(painter, section, section.headings.size(), [&](qsizetype i) { return section.headings[i]; },
                  m_boldMetrics, baseline);
        const qreal rule = top + m_lineHeight - 1;
        painter.drawLine(QPointF(0, rule), QPointF(width, rule));
        break;
    }
    case LineKind::Group:
        painter.setFont(m_boldFont);
        painter.drawText(QPointF(0, baseline), m_sections[size_t(line.section)].groups[line.index]);
        break;
    case LineKind::Row: {
        const Section &section = m_sections[size_t(line.section)];
        painter.setFont(m_bodyFont);
        const qsizetype first = qsizetype(line.index) * section.headings.size();
        const auto cell = [&](qsizetype i) {
            const qsizetype start = first + i == 0 ? 0 : section.cellEnds[size_t(first + i - 1)];
            const qsizetype end = section.cellEnds[size_t(first + i)];
            // The buffer outlives the drawing of the text.
            return QString::fromRawData(section.cells.constData() + start, end - start);
        };
        drawCells(painter, section, section.headings.size(), cell, m_bodyMetrics, baseline);
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
