// "Add List Element": one text for a new element of a list value; OK opens
// once something is typed.
#pragma once

#include "platform/mfc/dialog.h"

class QLineEdit;

class CAddListElementDlg : public CDialog {
    Q_OBJECT
public:
    enum { IDD = 187, IDC_ELEMENT = 1390 };

    explicit CAddListElementDlg(QWidget *parent = nullptr);

    QString m_strElement;

protected:
    void OnOK() override;

private:
    QLineEdit *m_edit;
};
