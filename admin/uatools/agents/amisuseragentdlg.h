// Edits one AMIS gateway or proxy agent; see messagingagentdlg.h.
#pragma once

#include "admin/uatools/agents/messagingagentdlg.h"

class CAmisUserAgentDlg : public CMessagingAgentDlg {
    Q_OBJECT
public:
    enum : int { IDD = 230 };

    // `typeText` is the agent's kind text as the opener holds it; `mode`
    // is what that text is among the family's root texts.
    CAmisUserAgentDlg(CServerCommandChannel &channel, QWidget *parent, qint32 number, const QString &typeText,
                      Mode mode);
};
