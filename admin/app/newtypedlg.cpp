// The New dialog; see newtypedlg.h.
#include "admin/app/newtypedlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CNewTypeDlg::CNewTypeDlg(const QStringList &names, QWidget *parent)
    : CDialog(IDD, tr("New"), parent), m_types(SetDlgCtrlID(new QListWidget(this), IDC_TYPES))
{
    m_types->addItems(names);
    m_types->setSelectionMode(QAbstractItemView::SingleSelection);
    m_types->setMinimumHeight(m_types->sizeHintForRow(0) * 5 + 2 * m_types->frameWidth());
    auto *label = new QLabel(tr("&New"), this);
    label->setBuddy(m_types);
    connect(m_types, &QListWidget::itemDoubleClicked, this, [this] { OnOK(); });

    auto *buttons = new QDialogButtonBox(this);
    auto *ok = SetDlgCtrlID(new QPushButton(tr("OK")), IDOK);
    ok->setDefault(true);
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(SetDlgCtrlID(new QPushButton(tr("Cancel")), IDCANCEL), QDialogButtonBox::RejectRole);
    buttons->setOrientation(Qt::Vertical);

    auto *list = new QVBoxLayout;
    list->addWidget(label);
    list->addWidget(m_types);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(list, 1);
    layout->addWidget(buttons, 0, Qt::AlignTop);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool CNewTypeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_selection = -1;
    if (m_types->count() > 0)
        m_types->setCurrentRow(0);
    m_types->setFocus();
    return false;
}

void CNewTypeDlg::OnOK()
{
    m_selection = m_types->currentRow();
    // An empty list offers nothing to open.
    if (m_selection < 0)
        return;
    CDialog::OnOK();
}
