// "Add New Notification Port Group": asks the ID of a new notification port
// group. It only collects the ID and whether it was edited; the page checks
// and uses it.
#pragma once

#include "platform/mfc/dialog.h"

class CAddNotifyGroupDlg : public CDialog {
    Q_OBJECT
public:
    enum { IDD = 1667, IDC_NOTIFY_GROUP_ID = 1719 };
    static constexpr int MaxIdLength = 60;

    explicit CAddNotifyGroupDlg(QWidget *parent = nullptr);

    QString m_strId;
    // Set by any change of the edit after the dialog opened.
    bool m_bIdEdited = false;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange *dx) override;
};
