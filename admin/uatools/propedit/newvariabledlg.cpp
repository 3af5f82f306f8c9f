// The New Variable dialog; see newvariabledlg.h.
#include "admin/uatools/propedit/newvariabledlg.h"

#include "platform/msgbox/msgbox.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const char *const kBadName = "A variable name needs at least one character and may not hold blanks, "
                             "the characters $ [ ] { } \\ \" ; or begin with ~.";
}

CNewVariableDlg::CNewVariableDlg(const QString &name, const QString &value, QWidget *parent)
    : CDialog(IDD, QStringLiteral("New Variable"), parent), m_name(name), m_value(value),
      m_nameEdit(SetDlgCtrlID(new QLineEdit(this), IDC_NAME)),
      m_valueEdit(SetDlgCtrlID(new QLineEdit(this), IDC_VALUE))
{
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Name:"), m_nameEdit);
    form->addRow(QStringLiteral("Value:"), m_valueEdit);
    auto *buttons = new QDialogButtonBox(this);
    SetDlgCtrlID(buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole), IDOK)
        ->setDefault(true);
    SetDlgCtrlID(buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole), IDCANCEL);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    m_nameEdit->setMinimumWidth(240);
}

bool CNewVariableDlg::IsValidPropertyName(const QString &name)
{
    if (name.isEmpty() || name.startsWith(QLatin1Char('~')))
        return false;
    for (QChar c : name)
        if (c.isSpace() || !c.isPrint() || QStringLiteral("$[]{}\\\";").contains(c))
            return false;
    return true;
}

bool CNewVariableDlg::OnInitDialog()
{
    m_nameEdit->setText(m_name);
    m_valueEdit->setText(m_value);
    return true;
}

void CNewVariableDlg::OnOK()
{
    const QString name = m_nameEdit->text();
    if (!IsValidPropertyName(name)) {
        AfxMessageBox(QString::fromUtf8(kBadName), MB_OK | MB_ICONEXCLAMATION);
        GotoDlgCtrl(m_nameEdit);
        return;
    }
    m_name = name;
    m_value = m_valueEdit->text();
    CDialog::OnOK();
}
