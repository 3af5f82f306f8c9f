// "Create Greeting User Agent": offered by the Answer Methods page when a
// greeting user agent typed into its grid does not exist on the server. It
// shows the number and lets the administrator choose the class of service
// the new user agent is made under ("None" for none); the page then creates
// it through the bulk-creation progress dialog.
#pragma once

#include "platform/mfc/dialog.h"

class CConfigDepot;

class CCreateGreetingUADlg : public CDialog {
    Q_OBJECT
public:
    enum { IDD = 1667, IDC_NUMBER = 1724, IDC_PARENT_COS = 1731 };
    // The parent class of service that stands for none.
    static constexpr qint32 kNoCos = 2147483647;

    // `depot` (its class-of-service list) outlives the dialog.
    CCreateGreetingUADlg(const QString &number, const CConfigDepot &depot, QWidget *parent = nullptr);

    // After OK: the class of service chosen, kNoCos for "None".
    qint32 ParentCos() const;

    QString m_number;
    QString m_parentCos;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange *dx) override;

private:
    const CConfigDepot &m_depot;
};
