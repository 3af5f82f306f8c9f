// Chanview's about box.
#pragma once

#include "platform/mfc/dialog.h"

class CChanviewAboutDlg : public CDialog {
    Q_OBJECT
public:
    enum { IDD = 100 };
    explicit CChanviewAboutDlg(QWidget *parent = nullptr);
};
