// The Add a System Parameter dialog; see addsysparamdlg.h.
#include "admin/config/params/addsysparamdlg.h"

#include "platform/msgbox/msgbox.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CAddSysParamDlg::CAddSysParamDlg(const QHash<QString, QString> &values, QWidget *parent)
    : CDialog(IDD, tr("Add a System Parameter"), parent), m_values(values),
      m_name(SetDlgCtrlID(new QLineEdit(this), IDC_NAME)),
      m_value(SetDlgCtrlID(new QLineEdit(this), IDC_VALUE)),
      m_ok(SetDlgCtrlID(new QPushButton(tr("OK"), this), IDOK))
{
    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(tr("Parameter Name"), this), 0, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("sys_"), this), 1, 0);
    grid->addWidget(m_name, 1, 1);
    grid->addWidget(new QLabel(tr("Parameter Value"), this), 2, 0, 1, 2);
    grid->addWidget(m_value, 3, 0, 1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    m_ok->setDefault(true);
    m_ok->setEnabled(false);
    buttons->addWidget(m_ok);
    buttons->addWidget(SetDlgCtrlID(new QPushButton(tr("Cancel"), this), IDCANCEL));
    grid->addLayout(buttons, 4, 0, 1, 2);
    m_value->setEnabled(false);
    setMinimumWidth(360);

    connect(m_name, &QLineEdit::textChanged, this, [this] {
        readFields();
        m_value->setEnabled(!m_strName.isEmpty());
    });
    connect(m_value, &QLineEdit::textChanged, this, [this] {
        readFields();
        m_ok->setEnabled(!m_strValue.isEmpty());
    });
}

void CAddSysParamDlg::readFields()
{
    m_strName = m_name->text();
    m_strValue = m_value->text();
}

void CAddSysParamDlg::OnOK()
{
    readFields();
    if (m_strName.isEmpty()) {
        EndDialog(IDOK);
        return;
    }
    const QString fullName = QStringLiteral("sys_") + m_strName;
    if (m_values.contains(fullName)) {
        AfxMessageBox(tr("Parameter '%1' already exists.").arg(fullName), MB_OK);
        return;
    }
    m_strName = fullName;
    EndDialog(IDOK);
}
