// "Create/Save/Delete Switch Type": asks the name under which the current
// group's settings are saved as a switch type, or which switch type to
// delete. It only collects the name and whether it was edited; the
// integration page checks it and writes or deletes the file.
#pragma once

#include "platform/mfc/dialog.h"

class CSwitchTypeDlg : public CDialog {
    Q_OBJECT
public:
    enum { IDD = 1733, IDC_SWITCHTYPE_NAME = 1734, IDC_SWITCHTYPE_DELETE = 1735 };

    explicit CSwitchTypeDlg(QWidget *parent = nullptr);

    QString m_strName;
    // Set by any change of the edit after the dialog opened.
    bool m_bNameEdited = false;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id) override;
    void DoDataExchange(CDataExchange *dx) override;
};
