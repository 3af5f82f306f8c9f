// See reportpageview.h.
#include "admin/reports/reportpageview.h"

#include "admin/reports/reportpages.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kGap = 12; // around and between the sheets, in pixels
constexpr qreal kZoomStep = 1.25;
constexpr qreal kSmallest = 0.1;
constexpr qreal kLargest = 8.0;

} // namespace

CReportPageView::CReportPageView(const CReportPages &pages, QWidget *parent)
    : QAbstractScrollArea(parent), m_pages(pages)
{
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    verticalScrollBar()->setSingleStep(20);
    horizontalScrollBar()->setSingleStep(20);
}

void CReportPageView::PagesChanged()
{
    setZoom(m_zoom, m_fitting);
}

void CReportPageView::ZoomIn()
{
    setZoom(m_zoom * kZoomStep, false);
}

void CReportPageView::ZoomOut()
{
    setZoom(m_zoom / kZoomStep, false);
}

void CReportPageView::FitWidth()
{
    setZoom(m_zoom, true);
}

int CReportPageView::CurrentPage() const
{
    const int page = int((verticalScrollBar()->value() + pageStride() / 2 - kGap) / pageStride());
    return std::clamp(page, 0, std::max(0, m_pages.PageCount() - 1));
}

void CReportPageView::GoToPage(int page)
{
    page = std::clamp(page, 0, std::max(0, m_pages.PageCount() - 1));
    verticalScrollBar()->setValue(int(std::lround(page * pageStride())));
}

QSizeF CReportPageView::sheetSize() const
{
    return m_pages.PageLayout().fullRectPoints().size() * pixelsPerPoint();
}

qreal CReportPageView::pixelsPerPoint() const
{
    return m_zoom * logicalDpiX() / 72.0;
}

qreal CReportPageView::pageStride() const
{
    return sheetSize().height() + kGap;
}

void CReportPageView::setZoom(qreal zoom, bool fitting)
{
    const int page = CurrentPage();
    m_fitting = fitting;
    if (fitting) {
        const qreal sheetPoints = m_pages.PageLayout().fullRectPoints().width();
        const qreal room = viewport()->width() - 2 * kGap;
        zoom = sheetPoints > 0 && room > 0 ? room / (sheetPoints * logicalDpiX() / 72.0) : 1.0;
    }
    m_zoom = std::clamp(zoom, kSmallest, kLargest);
    updateScrollBars();
    GoToPage(page);
    viewport()->update();
}

void CReportPageView::updateScrollBars()
{
    const QSizeF sheet = sheetSize();
    const qreal height = m_pages.PageCount() * pageStride() + kGap;
    const qreal width = sheet.width() + 2 * kGap;
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setRange(0, std::max(0, int(height) - viewport()->height()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setRange(0, std::max(0, int(width) - viewport()->width()));
}

void CReportPageView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    setZoom(m_zoom, m_fitting);
}

void CReportPageView::scrollContentsBy(int, int)
{
    viewport()->update();
    emit CurrentPageChanged(CurrentPage());
}

void CReportPageView::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    const QSizeF sheet = sheetSize();
    const qreal stride = pageStride();
    const qreal top = verticalScrollBar()->value();
    const qreal left = kGap - horizontalScrollBar()->value() +
                       std::max<qreal>(0, (viewport()->width() - sheet.width() - 2 * kGap) / 2);
    const QRect exposed = event->rect();
    const int first = std::max(0, int((top + exposed.top() - kGap) / stride));
    const int last = std::min(m_pages.PageCount() - 1, int((top + exposed.bottom()) / stride));
    const QMarginsF margins = m_pages.PageLayout().marginsPoints();
    const qreal scale = pixelsPerPoint();
    for (int page = first; page <= last; ++page) {
        const QRectF paper(left, kGap + page * stride - top, sheet.width(), sheet.height());
        painter.fillRect(paper.translated(2, 2), palette().shadow());
        painter.fillRect(paper, Qt::white);
        painter.save();
        painter.setClipRect(paper);
        painter.translate(paper.left() + margins.left() * scale, paper.top() + margins.top() * scale);
        painter.scale(scale, scale);
        painter.setPen(Qt::black);
        m_pages.DrawPage(painter, page);
        painter.restore();
    }
}
