// The Delete the System Parameter dialog; see deletesysparamdlg.h.
#include "admin/config/params/deletesysparamdlg.h"

#include "platform/msgbox/msgbox.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

CDeleteSysParamDlg::CDeleteSysParamDlg(const QString &name, const QString &value, QWidget *parent)
    : CDialog(IDD, tr("Delete the System Parameter"), parent), m_strName(name), m_strValue(value)
{
    auto *grid = new QGridLayout(this);
    auto *nameEdit = SetDlgCtrlID(new QLineEdit(name, this), IDC_NAME);
    auto *valueEdit = SetDlgCtrlID(new QLineEdit(value, this), IDC_VALUE);
    nameEdit->setReadOnly(true);
    valueEdit->setReadOnly(true);
    grid->addWidget(new QLabel(tr("Parameter Name"), this), 0, 0);
    grid->addWidget(nameEdit, 0, 1);
    grid->addWidget(new QLabel(tr("Parameter Value"), this), 1, 0);
    grid->addWidget(valueEdit, 1, 1);
    grid->addLayout(OkCancelRow(), 2, 0, 1, 2);
    setMinimumWidth(360);
}

void CDeleteSysParamDlg::OnOK()
{
    const int answer = AfxMessageBox(tr("Do you really want to delete this system parameter?"), MB_YESNO);
    EndDialog(answer == IDYES ? IDOK : IDCANCEL);
}
