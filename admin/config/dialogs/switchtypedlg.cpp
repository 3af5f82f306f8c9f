// See switchtypedlg.h.
#include "admin/config/dialogs/switchtypedlg.h"

#include "admin/config/records/switchtypefile.h"
#include "platform/mfc/dataexchange.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CSwitchTypeDlg::CSwitchTypeDlg(QWidget *parent)
    : CDialog(IDD, QStringLiteral("Create/Save/Delete Switch Type"), parent)
{
    auto *fields = new QFormLayout;
    auto *name = SetDlgCtrlID(new QLineEdit(this), IDC_SWITCHTYPE_NAME);
    name->setMinimumWidth(260);
    fields->addRow(QStringLiteral("Switch Type:"), name);
    auto *saveText = new QLabel(
        QStringLiteral("To save the current switch type settings to your local hard drive press OK."), this);
    auto *createText =
        new QLabel(QStringLiteral("To create and save a new switch type with the current settings "
                                  "enter a new name then press OK."),
                   this);
    saveText->setWordWrap(true);
    createText->setWordWrap(true);
    auto *buttons = new QDialogButtonBox(Qt::Horizontal, this);
    buttons->addButton(SetDlgCtrlID(new QPushButton(QStringLiteral("OK")), IDOK),
                       QDialogButtonBox::AcceptRole);
    buttons->addButton(SetDlgCtrlID(new QPushButton(QStringLiteral("Cancel")), IDCANCEL),
                       QDialogButtonBox::RejectRole);
    buttons->addButton(SetDlgCtrlID(new QPushButton(QStringLiteral("Delete")), IDC_SWITCHTYPE_DELETE),
                       QDialogButtonBox::DestructiveRole);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(saveText);
    layout->addWidget(createText);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}

bool CSwitchTypeDlg::OnInitDialog()
{
    const bool result = CDialog::OnInitDialog();
    m_bNameEdited = false;
    return result;
}

void CSwitchTypeDlg::DoDataExchange(CDataExchange *dx)
{
    DDX_Text(dx, IDC_SWITCHTYPE_NAME, m_strName);
    DDV_MaxChars(dx, m_strName, CSwitchTypeFile::MaxNameLength);
}

bool CSwitchTypeDlg::OnCommand(int id)
{
    if (id == IDC_SWITCHTYPE_DELETE) {
        // The name shown is the one to delete, typed or not.
        if (UpdateData(true))
            EndDialog(IDC_SWITCHTYPE_DELETE);
        return true;
    }
    return CDialog::OnCommand(id);
}

LRESULT CSwitchTypeDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE && LOWORD(wParam) == IDC_SWITCHTYPE_NAME)
        m_bNameEdited = true;
    return CDialog::WindowProc(message, wParam, lParam);
}
