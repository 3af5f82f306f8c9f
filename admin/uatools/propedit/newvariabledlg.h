// "New Variable": the name and value of a variable the property editor adds
// to a user agent. A name reaches the server as a word of an UpdateUA line,
// so OK refuses a name that is empty, holds a blank or a character that Tcl
// reads specially, or begins with "~" (which would delete the property of
// that name instead); the dialog stays open on the name.
#pragma once

#include "platform/mfc/dialog.h"

class QLineEdit;

class CNewVariableDlg : public CDialog {
    Q_OBJECT
public:
    enum { IDD = 176, IDC_NAME = 1007, IDC_VALUE = 1063 };

    explicit CNewVariableDlg(const QString &name = QString(), const QString &value = QString(),
                             QWidget *parent = nullptr);

    QString GetName() const { return m_name; }
    QString GetValue() const { return m_value; }

    // Whether a text may be a property name (see above).
    static bool IsValidPropertyName(const QString &name);

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    QString m_name;
    QString m_value;
    QLineEdit *m_nameEdit;
    QLineEdit *m_valueEdit;
};
