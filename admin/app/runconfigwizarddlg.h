// The question put after login to administrators who may configure a
// server that was never set up with the configuration wizard: run it now?
// Only Yes or No end it (Enter, Escape and the close box do not), and the
// caller reads whether it should stop asking.
#pragma once

#include "platform/mfc/dialog.h"

class QCheckBox;

class CRunConfigWizardDlg : public CDialog {
    Q_OBJECT
public:
    enum { IDD = 245, IDC_DO_NOT_DISPLAY = 1012 };

    explicit CRunConfigWizardDlg(QWidget *parent = nullptr);

    // IDYES or IDNO.
    int DoModal() override;
    bool DoNotDisplayAgain() const { return m_bDoNotDisplay != 0; }

protected:
    void OnOK() override {}
    void OnCancel() override {}
    bool OnCommand(int id) override;
    void DoDataExchange(CDataExchange *dx) override;

private:
    int m_bDoNotDisplay = 0;
};
