// "Add List Element": asks for one new element of a list value; OK is
// enabled while the text is not empty.
#pragma once

#include "platform/mfc/dialog.h"

class CAddListElementDlg : public CDialog {
    Q_OBJECT
public:
    enum { IDD = 187, IDC_ELEMENT = 1390 };
    explicit CAddListElementDlg(QWidget *parent = nullptr);

    QString m_strElement;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange *dx) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
