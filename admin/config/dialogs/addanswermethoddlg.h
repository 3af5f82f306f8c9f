// "Add New Answer Method": asks the Answer Methods page's new method name.
#pragma once

#include "admin/config/dialogs/confignamedlg.h"

class CAddAnswerMethodDlg : public CConfigNameDlg {
    Q_OBJECT
public:
    enum { IDD = 1666, IDC_NAME = 1718 };
    explicit CAddAnswerMethodDlg(QWidget *parent = nullptr);
};
