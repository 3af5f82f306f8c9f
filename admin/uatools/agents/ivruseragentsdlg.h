// The list window of the IVR agents (dialog 225): besides the comment, each
// row shows the application and parameter the agent's event maps start for
// an incoming call.
#pragma once

#include "admin/uatools/agents/useragentlistdlg.h"

class CTclList;

class CIvrUserAgentsDlg : public CUserAgentListDlg {
    Q_OBJECT
public:
    enum : int { IDD = 225 };
    // `typeText` is the application's IVR root text.
    CIvrUserAgentsDlg(CZELTSession &applicationSession, const CLoginCredentials &login,
                      const QString &typeText, QWidget *parent = nullptr);

    // The application and parameter of the agent's call events (2 and 21;
    // the last such record wins); false when the server refused or a record
    // was not a list of pairs, the user told unless `quiet`.
    bool ParseEventMapList(qint32 number, const CTclList &splitter, QString &application, QString &parameter,
                           bool quiet = false);

protected:
    QList<Column> Columns() const override;
    void FillExtraColumns(QTreeWidgetItem *row, qint32 number, bool firstOfFill) override;
    bool RunEditDialog(qint32 number, QTreeWidgetItem *row) override;

private:
    // A fill tells of unreadable event maps once, not once per agent.
    bool m_mapFailureShown = false;
};
