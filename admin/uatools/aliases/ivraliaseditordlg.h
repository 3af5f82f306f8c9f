// The IVR alias editor: a modeless window listing every alias of the
// server, from which aliases are added and changed (CIvrAliasDlg) and
// deleted. What it shares with the template editor (the list, its own
// session, the rights) is in aliaslisteditordlg.h; the aliases are read and
// deleted through the application's session. Its session ends however the
// window closes; the window deletes itself once it is gone, and `closed`
// tells the main frame its editor slot is free.
#pragma once

#include "admin/uatools/aliases/aliaslisteditordlg.h"

class CIvrAliasEditorDlg : public CAliasListEditorDlg {
    Q_OBJECT
public:
    enum : int { IDD = 260, IDC_ALIASES = IDC_NAMES, IDC_DELETE = 7 };

    // `applicationSession` outlives the window; `rights` is the
    // administrator's rights word.
    CIvrAliasEditorDlg(CZELTSession &applicationSession, const CLoginCredentials &login, quint32 rights,
                       QWidget *parent = nullptr);

signals:
    void closed();

protected:
    bool OnCommand(int id) override;
    void OnCancel() override;
    void PostNcDestroy() override;

    QStringList ListedNames(const QList<CAliasResolver::Alias> &aliases) const override;
    void SelectionChanged() override;
    void EnableSelectionButtons(bool enable) override;

private:
    void addAlias();
    void editAlias();
    void deleteAlias();
};
