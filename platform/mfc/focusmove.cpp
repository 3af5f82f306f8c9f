// Where the focus went when a control lost it; see focusmove.h.
#include "platform/mfc/focusmove.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>

bool FocusMovedWithin(const QWidget *window, std::initializer_list<const QWidget *> except)
{
    const QWidget *now = QApplication::focusWidget();
    return window && now && window->isAncestorOf(now) && std::find(except.begin(), except.end(), now) == except.end();
}
