// Where the focus went when a control lost it; see focusmove.h.
#include "platform/mfc/focusmove.h"

#include "platform/mfc/propertypage.h"
#include "platform/mfc/propertysheet.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>

bool FocusMovedWithin(const QWidget *window, std::initializer_list<const QWidget *> except)
{
    const QWidget *now = QApplication::focusWidget();
    return window && now && window->isAncestorOf(now) && std::find(except.begin(), except.end(), now) == except.end();
}

bool FocusMovedWithinSheet(const CPropertyPage *page)
{
    const CPropertySheet *sheet = page ? page->GetParentSheet() : nullptr;
    return sheet && FocusMovedWithin(sheet, {sheet->GetDlgItem(IDCANCEL)});
}
