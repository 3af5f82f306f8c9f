// The Add New IVR Host dialog; see addivrhostdlg.h.
#include "admin/config/addivrhostdlg.h"

#include "platform/mfc/dataexchange.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

CAddIvrHostDlg::CAddIvrHostDlg(QWidget *parent) : CDialog(IDD, tr("Add New IVR Host"), parent)
{
    auto *explanation = new QLabel(tr("Specify the Name for the new IVR Host, then press OK to create it. The "
                                      "Name should be different from existing IVR Host Names."),
                                   this);
    explanation->setWordWrap(true);
    auto *cancelText = new QLabel(tr("Press Cancel if you don't want to create a new IVR Host."), this);
    cancelText->setWordWrap(true);
    auto *name = SetDlgCtrlID(new QLineEdit(this), IDC_NAME);
    name->setMinimumWidth(260);

    auto *buttons = new QDialogButtonBox(Qt::Vertical, this);
    auto *ok = SetDlgCtrlID(new QPushButton(tr("OK")), IDOK);
    ok->setDefault(true);
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(SetDlgCtrlID(new QPushButton(tr("Cancel")), IDCANCEL), QDialogButtonBox::RejectRole);

    auto *layout = new QGridLayout(this);
    layout->addWidget(explanation, 0, 0, 1, 2);
    layout->addWidget(new QLabel(tr("Name:"), this), 1, 0);
    layout->addWidget(name, 1, 1);
    layout->addWidget(cancelText, 2, 0, 1, 2);
    layout->addWidget(buttons, 0, 2, 3, 1, Qt::AlignTop);
}

void CAddIvrHostDlg::DoDataExchange(CDataExchange *dx)
{
    DDX_Text(dx, IDC_NAME, m_name);
    DDV_MaxChars(dx, m_name, kMaxName);
}
