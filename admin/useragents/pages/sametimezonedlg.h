// "The same time zone": asks which of the zones that share the server's
// bias is the mailbox's. The page that asks reads the chosen row after OK.
#pragma once

#include "platform/mfc/dialog.h"

class CSameTimeZoneDlg : public CDialog {
    Q_OBJECT
public:
    enum : int { IDD = 276, IDC_ZONES = 1809 };

    // The rows `first` to `last` of the time-zone table are the candidates.
    CSameTimeZoneDlg(int first, int last, QWidget *parent);

    // The row chosen with OK: the first candidate plus the selected index.
    int ChosenRow() const { return m_chosen; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    int m_first;
    int m_last;
    int m_chosen;
};
