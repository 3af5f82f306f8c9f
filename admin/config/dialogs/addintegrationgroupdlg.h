// "Add New Telephone System Integration Group": asks the Telephone System
// Integration page's new group name.
#pragma once

#include "admin/config/dialogs/confignamedlg.h"

class CAddIntegrationGroupDlg : public CConfigNameDlg {
    Q_OBJECT
public:
    enum { IDD = 1665, IDC_NAME = 1712 };
    explicit CAddIntegrationGroupDlg(QWidget *parent = nullptr);
};
