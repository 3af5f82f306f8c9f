// Collecting a new mailbox security code for the window that asked (the
// mailbox options page, the distribution-list editor), which sends it
// itself: the code typed twice, digits only. Nothing goes to the server here.
#pragma once

#include "admin/app/changepassworddlg.h"

class CChangeSecurityCodeDlg : public CChangePasswordDlg {
    Q_OBJECT
public:
    enum { IDD = 248 };

    // The new-code field starts with `initialCode`; after IDOK the caller
    // reads NewValue().
    CChangeSecurityCodeDlg(QWidget *parent, const QString &initialCode);

protected:
    bool Prepare(bool &focusPlaced) override;
    bool Apply() override { return true; }
    bool Validate() override;
    void Finish() override {}
};
