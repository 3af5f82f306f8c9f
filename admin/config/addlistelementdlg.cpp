// The Add List Element dialog; see addlistelementdlg.h.
#include "admin/config/addlistelementdlg.h"

#include "platform/mfc/dataexchange.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

CAddListElementDlg::CAddListElementDlg(QWidget *parent) : CDialog(IDD, tr("Add List Element"), parent)
{
    auto *edit = SetDlgCtrlID(new QLineEdit(this), IDC_ELEMENT);
    edit->setMinimumWidth(260);
    auto *ok = SetDlgCtrlID(new QPushButton(tr("OK"), this), IDOK);
    ok->setDefault(true);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(edit, 1);
    layout->addWidget(ok);
    layout->addWidget(SetDlgCtrlID(new QPushButton(tr("Cancel"), this), IDCANCEL));
}

bool CAddListElementDlg::OnInitDialog()
{
    const bool result = CDialog::OnInitDialog();
    GetDlgItem(IDOK)->setEnabled(!m_strElement.isEmpty());
    return result;
}

void CAddListElementDlg::DoDataExchange(CDataExchange *dx)
{
    DDX_Text(dx, IDC_ELEMENT, m_strElement);
}

LRESULT CAddListElementDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_ELEMENT && HIWORD(wParam) == EN_CHANGE)
        GetDlgItem(IDOK)->setEnabled(!GetDlgItemText(IDC_ELEMENT).isEmpty());
    return CDialog::WindowProc(message, wParam, lParam);
}
