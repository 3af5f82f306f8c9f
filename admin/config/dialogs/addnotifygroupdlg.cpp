// See addnotifygroupdlg.h.
#include "admin/config/dialogs/addnotifygroupdlg.h"

#include "platform/mfc/dataexchange.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CAddNotifyGroupDlg::CAddNotifyGroupDlg(QWidget *parent)
    : CDialog(IDD, QStringLiteral("Add New Notification Port Group"), parent)
{
    auto *fields = new QFormLayout;
    auto *id = SetDlgCtrlID(new QLineEdit(this), IDC_NOTIFY_GROUP_ID);
    id->setMinimumWidth(240);
    fields->addRow(QStringLiteral("Group ID:"), id);
    auto *explain =
        new QLabel(QStringLiteral("Specify  the Group ID for the new Notification Port Group, then press OK "
                                  "to create the group. The Group ID should be different from existing "
                                  "Group IDs."),
                   this);
    auto *cancelText = new QLabel(
        QStringLiteral("Press Cancel if you don't want to create a new Notification Group."), this);
    explain->setWordWrap(true);
    cancelText->setWordWrap(true);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(SetDlgCtrlID(new QPushButton(QStringLiteral("OK")), IDOK),
                       QDialogButtonBox::AcceptRole);
    buttons->addButton(SetDlgCtrlID(new QPushButton(QStringLiteral("Cancel")), IDCANCEL),
                       QDialogButtonBox::RejectRole);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(explain);
    layout->addLayout(fields);
    layout->addWidget(cancelText);
    layout->addWidget(buttons);
    setMinimumWidth(400);
}

bool CAddNotifyGroupDlg::OnInitDialog()
{
    const bool result = CDialog::OnInitDialog();
    m_bIdEdited = false;
    return result;
}

void CAddNotifyGroupDlg::DoDataExchange(CDataExchange *dx)
{
    DDX_Text(dx, IDC_NOTIFY_GROUP_ID, m_strId);
    DDV_MaxChars(dx, m_strId, MaxIdLength);
}

LRESULT CAddNotifyGroupDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE && LOWORD(wParam) == IDC_NOTIFY_GROUP_ID)
        m_bIdEdited = true;
    return CDialog::WindowProc(message, wParam, lParam);
}
