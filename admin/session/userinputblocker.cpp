// See userinputblocker.h.
#include "admin/session/userinputblocker.h"

#include <QApplication>
#include <QEvent>

CUserInputBlocker::CUserInputBlocker()
{
    if (QCoreApplication *app = QCoreApplication::instance()) {
        m_modalAtStart = QApplication::activeModalWidget();
        app->installEventFilter(this);
    }
}

CUserInputBlocker::~CUserInputBlocker()
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeEventFilter(this);
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
    auto *widget = qobject_cast<QWidget *>(watched);
    // The window system's copy of a close reaches the widget as the close
    // it stands for, which is judged there: a close the program asks for
    // passes the window as a spontaneous one too.
    if (event->type() == QEvent::Close && !widget)
        return false;
    // A window opened modally during the wait is answered as usual.
    QWidget *modal = QApplication::activeModalWidget();
    if (modal && modal != m_modalAtStart && widget && (widget == modal || modal->isAncestorOf(widget)))
        return false;
    if (event->type() == QEvent::Close)
        event->ignore();
    return true;
}
