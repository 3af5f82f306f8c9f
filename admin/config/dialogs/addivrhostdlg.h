// "Add New IVR Host": asks the IVR Hosts page's new host name.
#pragma once

#include "admin/config/dialogs/confignamedlg.h"

class CAddIvrHostDlg : public CConfigNameDlg {
    Q_OBJECT
public:
    enum { IDD = 1664, IDC_NAME = 1701 };
    explicit CAddIvrHostDlg(QWidget *parent = nullptr);
};
