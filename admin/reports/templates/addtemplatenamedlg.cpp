// See addtemplatenamedlg.h.
#include "admin/reports/templates/addtemplatenamedlg.h"

#include "platform/mfc/dataexchange.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CAddTemplateNameDlg::CAddTemplateNameDlg(const QComboBox &names, QWidget *parent)
    : CDialog(IDD, QStringLiteral("Add new template name"), parent), m_names(names)
{
    auto *fields = new QFormLayout;
    auto *name = SetDlgCtrlID(new QLineEdit(this), IDC_NAME);
    name->setMinimumWidth(220);
    fields->addRow(QStringLiteral("Template Name"), name);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(SetDlgCtrlID(new QPushButton(QStringLiteral("OK")), IDOK), QDialogButtonBox::AcceptRole);
    buttons->addButton(SetDlgCtrlID(new QPushButton(QStringLiteral("Cancel")), IDCANCEL),
                       QDialogButtonBox::RejectRole);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CAddTemplateNameDlg::DoDataExchange(CDataExchange *dx)
{
    DDX_Text(dx, IDC_NAME, m_strName);
}

void CAddTemplateNameDlg::OnOK()
{
    if (!UpdateData(true))
        return;
    for (int i = 0; i < m_names.count(); ++i) {
        const QString listed = m_names.itemText(i);
        if (listed.compare(m_strName, Qt::CaseInsensitive) != 0)
            continue;
        if (listed != m_strName) {
            AfxMessageBox(QStringLiteral("Template %1 already exists as %2. Choose another name.").arg(m_strName, listed),
                          MB_OK);
            GotoDlgCtrl(GetDlgItem(IDC_NAME));
            return;
        }
        if (AfxMessageBox(QStringLiteral("Template %1 already exists, overwrite?").arg(m_strName),
                          MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
            return;
        break;
    }
    EndDialog(IDOK);
}
