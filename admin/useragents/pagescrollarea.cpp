// The editor's scrolling pages; see pagescrollarea.h.
#include "admin/useragents/pagescrollarea.h"

#include <QApplication>
#include <QScrollBar>
#include <QTabBar>

namespace {

// Lines of a page shown at least below the tabs, so that a scrolled page
// still reads as one.
constexpr int kLeastPageLines = 6;
// Room kept around a control brought into view, so that its label and its
// neighbours show with it.
constexpr int kFocusMargin = 50;

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

void CPageScrollArea::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    // The focus may have come while the window was still taking its size,
    // and scrolled for a room the pages no longer have.
    showFocused(QApplication::focusWidget());
}

void CPageScrollArea::showFocused(QWidget *focused)
{
    if (!focused || !widget() || !widget()->isAncestorOf(focused))
        return;
    // Of the tab row, only its current tab: the row is wider than a small
    // window, and Qt would centre the whole of it, sliding the first tabs
    // away.
    QRect shown(focused->mapTo(widget(), QPoint(0, 0)), focused->size());
    if (const auto *tabs = qobject_cast<QTabBar *>(focused)) {
        const QRect tab = tabs->tabRect(tabs->currentIndex());
        shown = QRect(focused->mapTo(widget(), tab.topLeft()), tab.size());
    }
    // A control the unscrolled pages show keeps them unscrolled, and with
    // them the tab row in sight.
    if (QRect(QPoint(0, 0), viewport()->size()).contains(shown)) {
        horizontalScrollBar()->setValue(0);
        verticalScrollBar()->setValue(0);
        return;
    }
    ensureVisible(shown.center().x(), shown.center().y(), shown.width() / 2 + kFocusMargin,
                  shown.height() / 2 + kFocusMargin);
}
