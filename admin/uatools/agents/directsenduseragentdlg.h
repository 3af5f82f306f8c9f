// Edits one direct-send fax or voice agent: its two names, its comment and
// the groups it belongs to (what agent dialogs share: agentdlg.h). Only the
// fields that differ from what was loaded are sent; a refused change keeps
// the dialog open and names the field.
#pragma once

#include "admin/uatools/agents/agentdlg.h"

class QLineEdit;

class CDirectSendUserAgentDlg : public CAgentDlg {
    Q_OBJECT
public:
    enum : int {
        IDD = 244,
        IDC_NUMBER = 1535,
        IDC_NAME1 = 1232,
        IDC_NAME2 = 1234,
        IDC_COMMENT = 1230,
        IDC_GROUPS = 1505,
        IDC_HELP_BUTTON = 9
    };

    CDirectSendUserAgentDlg(CServerCommandChannel &channel, qint32 number, QWidget *parent = nullptr);

    // The opener's comment, shown until the server's is loaded.
    void PresetComment(const QString &comment);
    // Whether the load succeeded; OK is refused otherwise.
    bool IsLoaded() const { return m_loaded; }

    // A name of letters and the digits 2 to 9 (empty passes).
    static bool IsValidName(const QString &name);
    // Group numbers or ranges separated by commas or blanks (empty passes).
    static bool IsValidGroupList(const QString &list);

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    bool load();
    bool validate();

    bool m_loaded = false;
    // What the server holds, by property name, as loaded.
    QString m_loadedValues[4];
    QLineEdit *m_edits[4];
};
