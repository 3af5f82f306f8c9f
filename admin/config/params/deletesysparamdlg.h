// "Delete the System Parameter": shows the name and value of the parameter
// about to go and asks once more before OK ends it.
#pragma once

#include "platform/mfc/dialog.h"

class CDeleteSysParamDlg : public CDialog {
    Q_OBJECT
public:
    enum { IDD = 188, IDC_NAME = 1391, IDC_VALUE = 1392 };

    CDeleteSysParamDlg(const QString &name, const QString &value, QWidget *parent = nullptr);

    QString m_strName;
    QString m_strValue;

protected:
    void OnOK() override;
};
