// The account dialog of the administrator accounts: adds an account (mode 1)
// or modifies one (mode 2) through the list window's session. The level
// radios and permission checks follow the logged-in administrator's rights
// and the account's; the mailbox range is checked as a range list and
// against the server's box lengths when it is left.
//
// What is sent: the name as the server stores it (for Modify, the name the
// list gave, not the control's filtered text), a password only when the
// administrator typed one (an "edited" flag, never a "****" text compared),
// the rights word as an unsigned number, every value through the session's
// quoting helper. A refused save keeps the dialog open with the server's
// reason.
#pragma once

#include "platform/mfc/dialog.h"

#include <cstdint>

class CServerCommandChannel;
class QAbstractButton;
class QCheckBox;
class QLineEdit;
class QRadioButton;

class CManageAdminsDlg : public CDialog {
    Q_OBJECT
public:
    enum {
        IDD = 201,
        IDC_NAME = 1510,
        IDC_PASSWORD = 1511,
        IDC_CONFIRM = 1512,
        IDC_RANGE = 1498,
        IDC_ADMINISTRATOR = 1513,
        IDC_DEPARTMENT = 1514,
        IDC_CONFIGURATION = 1016,
        IDC_TEMPLATES = 1499,
        IDC_REPORTS = 1021,
        IDC_SHUTDOWN = 1475,
        IDC_CLOCK = 1472,
        IDC_OK = 1517,
    };
    enum Mode { ModeAdd = 1, ModeModify = 2 };

    CManageAdminsDlg(CServerCommandChannel &channel, QWidget *parent, const QString &name, int mode);

    QString GetName() const { return m_name; }
    uint32_t AccountRights() const { return m_accountRights; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnCancel() override;

private:
    void buildControls();
    bool initAdd();
    bool initModify();
    void applyPermissionChecks();
    void levelClicked();
    void confirmationLeft();
    bool rangeLeft();
    void OnOk();
    bool sendAccount(const QString &verb);
    void resetPasswords(const QString &text);
    bool isDepartment() const;

    CServerCommandChannel &m_channel;
    QString m_name;
    int m_mode;
    uint32_t m_accountRights = 0;
    bool m_changed = false;
    bool m_passwordEdited = false;
    bool m_confirmEdited = false;
    QString m_checkedRange;
    QLineEdit *m_nameEdit;
    QLineEdit *m_password;
    QLineEdit *m_confirm;
    QLineEdit *m_range;
    QRadioButton *m_administrator;
    QRadioButton *m_department;
    QCheckBox *m_configuration;
    QCheckBox *m_templates;
    QCheckBox *m_reports;
    QCheckBox *m_shutdown;
    QCheckBox *m_clock;
};
