// What the agent dialogs share (direct send, IVR, AMIS and VPIM): one user
// agent edited through the command channel of the window that opens it (no
// session of its own), its fields in a form above the OK, Cancel and Help
// buttons, the dialog's help topic on Help or F1, and refusals shown with
// the server's reason.
#pragma once

#include "platform/mfc/dialog.h"

#include <QStringList>

class CServerCommandChannel;
class CUserAgent;
class QLayout;

class CAgentDlg : public CDialog {
    Q_OBJECT
protected:
    // `channel` outlives the dialog; `helpButtonId` is the id of the dialog's
    // Help button.
    CAgentDlg(int dialogId, const QString &caption, CServerCommandChannel &channel, qint32 number,
              int helpButtonId, QWidget *parent);

    // The Help button opens the dialog's help topic.
    bool OnCommand(int id) override;
    // F1 opens the dialog's help topic, as its Help button does.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Lays `form` out above the OK, Cancel and Help buttons, which are made
    // here: the subclass calls this once its fields exist, so they come first
    // in the tab order.
    void SetForm(QLayout *form);
    // Sends `command` and waits for its reply; a lost link becomes an error
    // reply with its reason.
    QString Run(const QString &command) const;
    // Reads the properties `names` of the agent ("GetUA") into `agent`. A
    // refusal is shown; false for it and for a reply that is no agent record.
    bool GetAgent(const QStringList &names, CUserAgent &agent);
    // Shows `text` in an error box captioned as the dialog, then puts the focus on
    // `field` when one is given.
    void ShowRefusal(const QString &text, QWidget *field = nullptr);
    qint32 AgentNumber() const { return m_number; }

private:
    void showHelp();

    CServerCommandChannel &m_channel;
    const qint32 m_number;
    const int m_helpButtonId;
};
