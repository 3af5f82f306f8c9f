// The IVR alias editor: a modeless window listing every alias of the
// server, from which aliases are added and changed (CIvrAliasDlg) and
// deleted. It holds a session of its own, made on the application's
// session when it opens and ended when it closes, however it closes; the
// aliases themselves are read and written through the application's
// session. The window deletes itself once it is gone; `closed` tells the
// main frame its editor slot is free.
#pragma once

#include "admin/session/logincredentials.h"
#include "platform/mfc/dialog.h"

#include <memory>

class CZELTSession;
class QComboBox;

class CIvrAliasEditorDlg : public CDialog {
    Q_OBJECT
public:
    enum : int { IDD = 260, IDC_ALIASES = 1521, IDC_ADD = 4, IDC_EDIT = 5, IDC_DELETE = 7, IDC_CLOSE = 1516 };

    // `applicationSession` outlives the window; `rights` is the
    // administrator's rights word.
    CIvrAliasEditorDlg(CZELTSession &applicationSession, const CLoginCredentials &login, quint32 rights,
                       QWidget *parent = nullptr);
    ~CIvrAliasEditorDlg() override;

    CZELTSession *Session() const { return m_session.get(); }
    QString GetSelectedName() const { return m_selected; }

signals:
    void closed();

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id) override;
    void OnCancel() override;
    void PostNcDestroy() override;

private:
    void fillAliases();
    void selectionChanged();
    void addAlias();
    void editAlias();
    void deleteAlias();
    void enableSelectionButtons(bool enable);
    void closeSession();

    CZELTSession &m_applicationSession;
    const CLoginCredentials m_login;
    const quint32 m_rights;
    std::unique_ptr<CZELTSession> m_session;
    QString m_selected;
    QComboBox *m_aliases;
};
