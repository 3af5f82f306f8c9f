// Property page: the base behaviours the sheet relies on; the order in which
// the sheet calls them is the sheet's (propertysheet.cpp).
#include "platform/mfc/propertypage.h"

#include "platform/mfc/propertysheet.h"
#include "platform/strings/stringtable.h"

#include <QKeyEvent>

CPropertyPage::CPropertyPage(int dialogId, const QString &caption) : CDialog(dialogId, caption) {}

CPropertyPage::CPropertyPage(int dialogId, UINT captionId) : CDialog(dialogId, LoadStringResource(captionId))
{
}

bool CPropertyPage::OnSetActive()
{
    if (m_firstSetActive)
        m_firstSetActive = false;
    else
        UpdateData(false);
    return true;
}

bool CPropertyPage::OnKillActive()
{
    return UpdateData(true);
}

bool CPropertyPage::OnApply()
{
    OnOK();
    return true;
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

void CPropertyPage::SetModified(bool changed)
{
    if (m_sheet)
        SendMessage(m_sheet->GetSafeHwnd(), changed ? PSM_CHANGED : PSM_UNCHANGED, WPARAM(GetSafeHwnd()), 0);
    else
        m_modified = changed;
}

void CPropertyPage::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1)
        CDialog::keyPressEvent(event);
    else
        event->ignore();
}

void CPropertyPage::makeWindow()
{
    Q_ASSERT(!m_hasWindow);
    m_hasWindow = true;
    initialise();
}
