// The arrow keys of a page passed on to its grid; see gridarrowkeys.h.
#include "admin/widgets/gridarrowkeys.h"

#include "admin/widgets/spreadsheet.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QScopedValueRollback>

namespace {

bool isArrowKey(const QKeyEvent *key)
{
    switch (key->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        return key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier;
    default:
        return false;
    }
}

} // namespace

CGridArrowKeys::CGridArrowKeys(QWidget *page, CSpreadSheet *grid) : QObject(page), m_grid(grid)
{
    page->installEventFilter(this);
    for (QAbstractButton *button : page->findChildren<QAbstractButton *>())
        if (!grid->isAncestorOf(button))
            button->installEventFilter(this);
}

bool CGridArrowKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || m_passing)
        return QObject::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    // A key that reaches the page unused by its control stays unused: only
    // a page that holds the focus itself hands it on.
    const bool fromPage = watched == parent();
    if (!isArrowKey(key) || (fromPage && QApplication::focusWidget() != watched) ||
        m_grid->IsEditing() || !m_grid->isEnabled())
        return QObject::eventFilter(watched, event);
    QKeyEvent passed(QEvent::KeyPress, key->key(), key->modifiers(), key->text(), key->isAutoRepeat(),
                     ushort(key->count()));
    // The grid may leave the key unused, and then it rises to the page.
    const QScopedValueRollback passing(m_passing, true);
    QCoreApplication::sendEvent(m_grid, &passed);
    return true;
}
