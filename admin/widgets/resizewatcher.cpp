// The resize call-back; see resizewatcher.h.
#include "admin/widgets/resizewatcher.h"

#include <QEvent>
#include <QWidget>

CResizeWatcher::CResizeWatcher(QObject *owner, std::function<void()> resized)
    : QObject(owner), m_resized(std::move(resized))
{
}

void CResizeWatcher::watch(QWidget *widget)
{
    widget->installEventFilter(this);
}

bool CResizeWatcher::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::Resize)
        m_resized();
    return false;
}
