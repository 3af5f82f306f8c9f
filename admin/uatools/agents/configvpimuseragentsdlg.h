// The list window of the VPIM agents (dialog 271), gateways or proxies by
// the kind text it is given; rows stay in the server's order.
#pragma once

#include "admin/uatools/agents/useragentlistdlg.h"

class CConfigVpimUserAgentsDlg : public CUserAgentListDlg {
    Q_OBJECT
public:
    enum : int { IDD = 271 };
    // 0: neither kind's root text; 1: gateways; 2: proxies.
    enum Mode : int { ModeOther = 0, ModeGateway = 1, ModeProxy = 2 };

    // `typeText` is compared with the application's VPIM root texts
    // (`gatewayText`, `proxyText`) to choose the mode.
    CConfigVpimUserAgentsDlg(CZELTSession &applicationSession, const CLoginCredentials &login,
                             const QString &typeText, const QString &gatewayText, const QString &proxyText,
                             QWidget *parent = nullptr);

    Mode GetMode() const { return m_mode; }

protected:
    bool OnInitDialog() override;
    QList<Column> Columns() const override;
    bool SortsByNumber() const override { return false; }
    bool RunEditDialog(qint32 number, QTreeWidgetItem *row) override;

private:
    const Mode m_mode;
};
