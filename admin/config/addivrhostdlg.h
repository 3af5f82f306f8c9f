// "Add New IVR Host": asks for the name of a new IVR host. It only collects
// the text; the IVR Hosts page checks and uses the name.
#pragma once

#include "platform/mfc/dialog.h"

class CAddIvrHostDlg : public CDialog {
    Q_OBJECT
public:
    enum { IDD = 1664, IDC_NAME = 1701 };
    static constexpr int kMaxName = 60;

    explicit CAddIvrHostDlg(QWidget *parent = nullptr);

    QString m_name;

protected:
    void DoDataExchange(CDataExchange *dx) override;
};
