// See userinputblocker.h.
#include "admin/session/userinputblocker.h"

#include <QApplication>
#include <QEvent>
#include <QWindow>

#include <algorithm>
#include <vector>

namespace {

// The blockers of this thread, each filtering the application's events.
thread_local std::vector<const CUserInputBlocker *> t_blockers;

// The widget a native window belongs to, or none.
QWidget *widgetOfWindow(const QWindow *window)
{
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (widget->windowHandle() == window)
            return widget;
    return nullptr;
}

} // namespace

CUserInputBlocker::CUserInputBlocker(QWidget *ownWindow) : m_ownWindow(ownWindow)
{
    if (QCoreApplication *app = QCoreApplication::instance()) {
        m_modalAtStart = QApplication::activeModalWidget();
        app->installEventFilter(this);
        t_blockers.push_back(this);
    }
}

CUserInputBlocker::~CUserInputBlocker()
{
    if (QCoreApplication *app = QCoreApplication::instance()) {
        app->removeEventFilter(this);
        t_blockers.erase(std::find(t_blockers.begin(), t_blockers.end(), this));
    }
}

bool CUserInputBlocker::KeepsInputFrom(const QWidget *widget)
{
    return std::any_of(t_blockers.begin(), t_blockers.end(),
                       [widget](const CUserInputBlocker *blocker) { return !blocker->takesInput(widget); });
}

bool CUserInputBlocker::IsUserInput(const QEvent &event)
{
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
        return true;
    case QEvent::Close:
        // Only the window system's close (the user's click on the close
        // box), as the widget receives it; the program's own closing goes on.
        return event.spontaneous();
    default:
        return false;
    }
}

bool CUserInputBlocker::eventFilter(QObject *watched, QEvent *event)
{
    if (!IsUserInput(*event))
        return false;
    const bool fromWindowSystem = watched->isWindowType();
    // The window system's copy of a close reaches the widget as the close
    // it stands for, which is judged there: a close the program asks for
    // passes the window as a spontaneous one too.
    if (event->type() == QEvent::Close && !watched->isWidgetType())
        return false;
    const QWidget *widget =
        fromWindowSystem ? widgetOfWindow(static_cast<QWindow *>(watched)) : qobject_cast<QWidget *>(watched);
    if (widget && takesInput(widget))
        return false;
    if (event->type() == QEvent::Close)
        event->ignore();
    return true;
}

bool CUserInputBlocker::takesInput(const QWidget *widget) const
{
    if (m_ownWindow && (widget == m_ownWindow || m_ownWindow->isAncestorOf(widget)))
        return true;
    // A window opened modally during the wait is answered as usual.
    const QWidget *modal = QApplication::activeModalWidget();
    return modal && modal != m_modalAtStart && (widget == modal || modal->isAncestorOf(widget));
}
