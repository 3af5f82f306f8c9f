// The editor's scrolling pages; see pagescrollarea.h.
#include "admin/useragents/pagescrollarea.h"

#include <QApplication>
#include <QScrollBar>

namespace {

// Lines of a page shown at least below the tabs, so that a scrolled page
// still reads as one.
constexpr int kLeastPageLines = 6;

} // namespace

CPageScrollArea::CPageScrollArea(QWidget *parent) : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    // Not a stop of its own on the way through the page's controls.
    setFocusPolicy(Qt::NoFocus);
    // Never taller than the pages: a taller window gives the room below them.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *, QWidget *now) { showFocused(now); });
}

QSize CPageScrollArea::sizeHint() const
{
    // QScrollArea's own hint stops at a few dozen lines; the pages need
    // their whole size.
    const int frame = 2 * frameWidth();
    return widget() ? widget()->sizeHint() + QSize(frame, frame) : QScrollArea::sizeHint();
}

QSize CPageScrollArea::minimumSizeHint() const
{
    // The tab row takes about two lines.
    const int lines = fontMetrics().height() * (kLeastPageLines + 2);
    return {verticalScrollBar()->sizeHint().width() * 4, lines + horizontalScrollBar()->sizeHint().height()};
}

void CPageScrollArea::KeepPagesWhole()
{
    if (widget())
        widget()->setMinimumSize(widget()->sizeHint());
}

void CPageScrollArea::showFocused(QWidget *focused)
{
    if (focused && widget() && widget()->isAncestorOf(focused))
        ensureWidgetVisible(focused);
}
