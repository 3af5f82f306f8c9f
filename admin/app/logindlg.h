// The login dialog: which server computer, which administrator, the
// password, whether to remember it and whether to change it right after
// logging in. It starts from what the application object holds (the
// remembered computers, user and password) and hands the choice back on OK;
// the application then connects and stores the settings.
#pragma once

#include "platform/mfc/dialog.h"

class CLoginSettingsHolder;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

class CLoginDlg : public CDialog {
    Q_OBJECT
public:
    enum {
        IDD = 123,
        IDC_COMPUTER = 1000,
        IDC_NAME = 1007,
        IDC_PASSWORD = 1017,
        IDC_CHANGE_PASSWORD = 1508,
        IDC_REMEMBER_PASSWORD = 1009,
    };
    static constexpr int PasswordLimit = 64;
    static constexpr char ComputerSeparator = ',';

    explicit CLoginDlg(CLoginSettingsHolder &app, QWidget *parent = nullptr);

    // Takes the starting values from the application, then runs the dialog.
    int DoModal() override;

    // Set when the dialog ended through Change Password.
    bool ChangePasswordRequested() const { return m_bChangePassword; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(int id) override;
    void DoDataExchange(CDataExchange *dx) override;

private:
    void OnChangePassword();
    void onPasswordEdited();
    void fillComputerList();
    static bool isComputerName(const QString &name);
    QString rebuiltComputerList() const;

    CLoginSettingsHolder &m_app;
    QComboBox *m_computer;
    QLineEdit *m_name;
    QLineEdit *m_password;
    QPushButton *m_changePassword;
    QCheckBox *m_remember;

    QString m_strHost;
    QString m_strUser;
    QString m_strPassword;
    int m_bSavePassword = 0;
    bool m_bChangePassword = false;
    bool m_bNoPasswordStore = false;
};
