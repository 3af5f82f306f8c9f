// Chanview's login: admin's login dialog under the monitor's caption. On OK
// it keeps the computer list where admin keeps it, so both programs offer
// the same computers; the user name and the remember flag are left to admin.
// Change Password passes the same checks and then logs in like OK.
#pragma once

#include "admin/app/logindlg.h"

class CChanviewLoginDlg : public CLoginDlg {
    Q_OBJECT
public:
    explicit CChanviewLoginDlg(CLoginSettingsHolder &holder, QWidget *parent = nullptr);

    // The key the dialog writes "Host" to, and the application reads from.
    static constexpr const char *LoginKey = "SOFTWARE\\Verbanta\\Admin\\Login";

protected:
    void OnOK() override;

private:
    CLoginSettingsHolder &m_holder;
};
