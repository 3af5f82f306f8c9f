// The Add List Element dialog; see addlistelementdlg.h.
#include "admin/config/dialogs/addlistelementdlg.h"

#include <QLineEdit>
#include <QVBoxLayout>

CAddListElementDlg::CAddListElementDlg(QWidget *parent)
    : CDialog(IDD, tr("Add List Element"), parent), m_edit(SetDlgCtrlID(new QLineEdit(this), IDC_ELEMENT))
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_edit);
    layout->addLayout(OkCancelRow());
    QWidget *ok = GetDlgItem(IDOK);
    ok->setEnabled(false);
    setMinimumWidth(300);
    connect(m_edit, &QLineEdit::textChanged, this, [this, ok](const QString &text) {
        m_strElement = text;
        ok->setEnabled(!text.isEmpty());
    });
}

void CAddListElementDlg::OnOK()
{
    m_strElement = m_edit->text();
    CDialog::OnOK();
}
