// Changing the logged-in administrator's own password on the server. The
// dialog reads the account first (rights word, range of user agents and the
// fourth account field) on a session of its own, and sends the account back
// with only the password changed: an administrator never loses or gains
// rights by changing a password.
#pragma once

#include "admin/app/changepassworddlg.h"

#include <cstdint>
#include <memory>

class CAdminApp;
class CZELTSession;

class CAdminPasswordDlg : public CChangePasswordDlg {
    Q_OBJECT
public:
    enum { IDD = 234 };

    // Connecting the dialog's session may throw CZltException out of DoModal.
    explicit CAdminPasswordDlg(CAdminApp &app, QWidget *parent = nullptr);
    ~CAdminPasswordDlg() override;

protected:
    bool Prepare(bool &focusPlaced) override;
    bool Apply() override;
    bool Validate() override;
    void Finish() override;

private:
    bool readAccount();

    CAdminApp &m_app;
    QString m_strUser;
    std::unique_ptr<CZELTSession> m_pSession;
    uint32_t m_dwRights = 0;
    QString m_strRange;
    int m_nFourth = 0; // carried through as the server sent it
};
