// The list windows of the direct-send agents: fax (dialog 243) and voice
// (dialog 242), one code with two faces.
#pragma once

#include "admin/uatools/agents/useragentlistdlg.h"

class CDirectSendUADlg : public CUserAgentListDlg {
    Q_OBJECT
protected:
    CDirectSendUADlg(int dialogId, const QString &caption, CZELTSession &applicationSession,
                     const CLoginCredentials &login, const QString &typeText, qint32 root, QWidget *parent);

    QList<Column> Columns() const override;
    bool RunEditDialog(qint32 number, QTreeWidgetItem *row) override;
};

class CDirectSendFaxUADlg : public CDirectSendUADlg {
    Q_OBJECT
public:
    enum : int { IDD = 243 };
    // `typeText` is the application's direct-send fax root text.
    CDirectSendFaxUADlg(CZELTSession &applicationSession, const CLoginCredentials &login,
                        const QString &typeText, QWidget *parent = nullptr);
};

class CDirectSendVoiceUADlg : public CDirectSendUADlg {
    Q_OBJECT
public:
    enum : int { IDD = 242 };
    // `typeText` is the application's direct-send voice root text.
    CDirectSendVoiceUADlg(CZELTSession &applicationSession, const CLoginCredentials &login,
                          const QString &typeText, QWidget *parent = nullptr);
};
