// The pages of a report as a preview shows them: one under the other on a
// grey ground, scrolled, at a zoom that starts as the window's width. Only
// the pages in sight are drawn, so a report of thousands of pages scrolls as
// lightly as one of a page.
#pragma once

#include <QAbstractScrollArea>

class CReportPages;

class CReportPageView : public QAbstractScrollArea {
    Q_OBJECT
public:
    // `pages` outlives the view.
    explicit CReportPageView(const CReportPages &pages, QWidget *parent = nullptr);

    // After the pages were laid out again.
    void PagesChanged();
    void ZoomIn();
    void ZoomOut();
    // The zoom that fits a page's width into the window, kept as the window
    // is resized.
    void FitWidth();
    // The page at the top of the view, 0 the first.
    int CurrentPage() const;
    void GoToPage(int page);

signals:
    void CurrentPageChanged(int page);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // The size of a whole sheet on the screen, in pixels.
    QSizeF sheetSize() const;
    qreal pixelsPerPoint() const;
    qreal pageStride() const;
    void setZoom(qreal zoom, bool fitting);
    void updateScrollBars();

    const CReportPages &m_pages;
    qreal m_zoom = 1.0;
    bool m_fitting = true;
};
