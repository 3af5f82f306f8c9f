// The notification template editor: lists the templates (server aliases
// that lead to a notification application, directly or through another
// template) and opens the template dialog to add one or change one. It
// works over a session of its own, made on the application's session when
// the dialog opens and ended however the dialog closes (Close, Escape, the
// close box); that session's end is its own doing, never a lost server.
// The list itself is read through the application's session.
#pragma once

#include "admin/session/logincredentials.h"
#include "platform/mfc/dialog.h"

#include <QStringList>

#include <memory>

class CServerCommandChannel;
class CZELTSession;
class QComboBox;

class CNotifyTemplateEditorDlg : public CDialog {
    Q_OBJECT
public:
    enum : int { IDD = 226, IDC_TEMPLATES = 1521, IDC_ADD = 4, IDC_EDIT = 5, IDC_CLOSE = 1516 };

    // `applicationSession` outlives the dialog; `login` logs the dialog's
    // own session in; `rights` is the administrator's rights word.
    CNotifyTemplateEditorDlg(CZELTSession &applicationSession, const CLoginCredentials &login,
                             const QStringList &notificationApps, quint32 rights, QWidget *parent = nullptr);
    ~CNotifyTemplateEditorDlg() override;

    // The dialog's own session; none before it opens, after it closed, or
    // when it could not connect.
    CZELTSession *Session() const { return m_session.get(); }
    QString GetTemplateName() const { return m_templateName; }

protected:
    bool OnInitDialog() override;
    bool OnCommand(int id) override;
    void done(int result) override;

private:
    void fillTemplates();
    void selectionChanged();
    void addTemplate();
    void editTemplate();
    void closeSession();

    CZELTSession &m_applicationSession;
    const CLoginCredentials m_login;
    const QStringList m_notificationApps;
    const quint32 m_rights;
    std::unique_ptr<CZELTSession> m_session;
    QString m_templateName;
    QComboBox *m_templates;
};
