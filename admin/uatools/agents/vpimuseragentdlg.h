// Edits one VPIM gateway or proxy agent; see messagingagentdlg.h.
#pragma once

#include "admin/uatools/agents/messagingagentdlg.h"

class CVpimUserAgentDlg : public CMessagingAgentDlg {
    Q_OBJECT
public:
    enum : int { IDD = 270 };

    // `typeText` is the agent's kind text as the opener holds it; `mode`
    // is what that text is among the family's root texts.
    CVpimUserAgentDlg(CServerCommandChannel &channel, QWidget *parent, qint32 number, const QString &typeText,
                      Mode mode);
};
