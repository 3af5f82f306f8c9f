// "Add new template name": asks the name of a new report template for an
// editor. A name the editor's list holds already is offered for overwriting;
// one that differs from a listed name only in letter case is refused, since
// the two would be one template to the administrator and two files here.
#pragma once

#include "platform/mfc/dialog.h"

class QComboBox;

class CAddTemplateNameDlg : public CDialog {
    Q_OBJECT
public:
    enum { IDD = 201, IDC_NAME = 1001 };

    // `names`: the editor's list of templates, read when OK is pressed.
    explicit CAddTemplateNameDlg(const QComboBox &names, QWidget *parent = nullptr);

    QString m_strName;

protected:
    void OnOK() override;
    void DoDataExchange(CDataExchange *dx) override;

private:
    const QComboBox &m_names;
};
