// See chanviewlogindlg.h.
#include "chanview/chanviewlogindlg.h"

#include "admin/app/loginsettingsholder.h"
#include "platform/registry/regkey.h"

CChanviewLoginDlg::CChanviewLoginDlg(CLoginSettingsHolder &holder, QWidget *parent)
    : CLoginDlg(holder, parent), m_holder(holder)
{
    setWindowTitle(tr("Voice Ports Status Login"));
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
