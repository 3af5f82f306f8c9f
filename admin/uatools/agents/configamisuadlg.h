// The list window of the AMIS agents (dialog 232), gateways or proxies by
// the kind text it is given. For gateways it also keeps the server variable
// sys_remote_amis_node_list equal to the gateways' numbers: when the window
// opens and after each delete. The server reads that list only when it
// starts, so a window that changed it reminds the user to restart it.
#pragma once

#include "admin/uatools/agents/useragentlistdlg.h"

#include <optional>

class CConfigAmisUADlg : public CUserAgentListDlg {
    Q_OBJECT
public:
    enum : int { IDD = 232 };
    // 0: neither kind's root text; 1: gateways; 2: proxies.
    enum Mode : int { ModeOther = 0, ModeGateway = 1, ModeProxy = 2 };

    // `typeText` is compared with the application's AMIS root texts
    // (`gatewayText`, `proxyText`) to choose the mode.
    CConfigAmisUADlg(CZELTSession &applicationSession, const CLoginCredentials &login,
                     const QString &typeText, const QString &gatewayText, const QString &proxyText,
                     QWidget *parent = nullptr);
    ~CConfigAmisUADlg() override;

    Mode GetMode() const { return m_mode; }
    // The node list has been written by this window.
    bool GatewayChanged() const { return m_gatewayChanged; }

protected:
    bool OnInitDialog() override;
    QList<Column> Columns() const override;
    bool RunEditDialog(qint32 number, QTreeWidgetItem *row) override;
    void AgentDeleted(qint32 number) override;
    void Closing() override;
    bool KeepsButtonsWhenDeselected() const override { return true; }

private:
    void synchroniseNodeList();
    // The node list as the server holds it; nothing when it cannot be read.
    std::optional<QStringList> readNodeList();
    // The numbers of the server's agents of this kind; nothing when the
    // server refused the query (its reason has been shown).
    std::optional<QStringList> serverNumbers();
    void writeNodeList(const QStringList &numbers);
    void remindRestart();

    const Mode m_mode;
    bool m_gatewayChanged = false;
};
