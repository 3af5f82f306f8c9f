// The Run Configuration Wizard prompt; see runconfigwizarddlg.h.
#include "admin/app/runconfigwizarddlg.h"

#include "platform/mfc/dataexchange.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

CRunConfigWizardDlg::CRunConfigWizardDlg(QWidget *parent)
    : CDialog(IDD, tr("Run Configuration Wizard"), parent)
{
    auto *icon = new QLabel(this);
    const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion, nullptr, this).pixmap(size, size));
    icon->setAlignment(Qt::AlignTop);
    auto *text = new QLabel(
        tr("You connected to the server which has not been set up yet with Configuration "
           "Wizard since it was installed.\n\nWould you like to run the Configuration Wizard now?"),
        this);
    text->setWordWrap(true);
    text->setMinimumWidth(320);
    auto *message = new QHBoxLayout;
    message->addWidget(icon);
    message->addWidget(text, 1);

    auto *doNotDisplay =
        SetDlgCtrlID(new QCheckBox(tr("Do not display this dialog again."), this), IDC_DO_NOT_DISPLAY);
    auto *buttons = new QDialogButtonBox(this);
    auto *yes = SetDlgCtrlID(new QPushButton(tr("&Yes")), IDYES);
    buttons->addButton(yes, QDialogButtonBox::YesRole);
    buttons->addButton(SetDlgCtrlID(new QPushButton(tr("&No")), IDNO), QDialogButtonBox::NoRole);
    // Enter must not answer: no button is a default one.
    for (QPushButton *button : buttons->findChildren<QPushButton *>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(message);
    layout->addWidget(doNotDisplay);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

int CRunConfigWizardDlg::DoModal()
{
    m_bDoNotDisplay = 0;
    return CDialog::DoModal();
}

void CRunConfigWizardDlg::DoDataExchange(CDataExchange *dx)
{
    DDX_Check(dx, IDC_DO_NOT_DISPLAY, m_bDoNotDisplay);
}

bool CRunConfigWizardDlg::OnCommand(int id)
{
    if (id != IDYES && id != IDNO)
        return CDialog::OnCommand(id);
    UpdateData(true);
    EndDialog(id);
    return true;
}
