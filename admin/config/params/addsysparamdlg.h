// "Add a System Parameter": asks for a new parameter's name (after the fixed
// "sys_") and its value. The value field opens once a name is typed, OK once
// a value is; a name the window already has is refused with the dialog left
// open. After OK the name is the full name ("sys_" + what was typed), or
// empty when the name field was cleared (the caller reports that).
#pragma once

#include "platform/mfc/dialog.h"

#include <QHash>

class QLineEdit;
class QPushButton;

class CAddSysParamDlg : public CDialog {
    Q_OBJECT
public:
    enum { IDD = 181, IDC_NAME = 1002, IDC_VALUE = 1066 };

    // `values` is the window's working copy, read for the duplicate test.
    explicit CAddSysParamDlg(const QHash<QString, QString> &values, QWidget *parent = nullptr);

    QString m_strName;
    QString m_strValue;

protected:
    void OnOK() override;

private:
    void readFields();

    const QHash<QString, QString> &m_values;
    QLineEdit *m_name;
    QLineEdit *m_value;
    QPushButton *m_ok;
};
