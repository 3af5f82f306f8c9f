// See chanviewlogindlg.h.
#include "chanview/chanviewlogindlg.h"

#include "admin/session/loginsettingsholder.h"
#include "platform/registry/regkey.h"

#include <QLineEdit>

CChanviewLoginDlg::CChanviewLoginDlg(CLoginSettingsHolder &holder, QWidget *parent)
    : CLoginDlg(holder, parent), m_holder(holder)
{
    setWindowTitle(tr("Voice Ports Status Login"));
    // The monitor changes no password (Change Password only logs in), so
    // typing one does not enable a Change Password button disabled at start.
    disconnect(GetDlgItem<QLineEdit>(IDC_PASSWORD), &QLineEdit::textEdited, this, nullptr);
}

void CChanviewLoginDlg::OnOK()
{
    CLoginDlg::OnOK();
    if (result() != IDOK)
        return;
    CRegKey key;
    if (key.Create(HKEY_CURRENT_USER, LoginKey) == ERROR_SUCCESS)
        key.SetString("Host", m_holder.ComputerList());
}
