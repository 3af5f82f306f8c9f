// Deleting user agents over a range list. OK checks the list and the
// administrator's rights, asks once how many user agents are to go
// (defaulting to No), and hands the list to the deletion progress dialog.
#pragma once

#include "admin/uatools/ranges/rangebox.h"
#include "platform/mfc/dialog.h"

class CServerCommandChannel;
class QLineEdit;

class CDeleteUserAgentsDlg : public CDialog {
    Q_OBJECT
public:
    enum { IDD = 253, IDC_RANGE = 1741 };

    // `channel` outlives the dialog; `allowed` (none: every number) tells
    // the numbers the administrator may manage.
    explicit CDeleteUserAgentsDlg(CServerCommandChannel &channel, CRangeBox::AllowedCheck allowed = {},
                                  QWidget *parent = nullptr);

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    CServerCommandChannel &m_channel;
    const CRangeBox::AllowedCheck m_allowed;
    QLineEdit *m_range;
};
