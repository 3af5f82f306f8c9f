// The notification template editor: lists the templates (server aliases
// that lead to a notification application, directly or through another
// template) and opens the template dialog to add one or change one. What it
// shares with the IVR alias editor (the list, its own session, the rights)
// is in aliaslisteditordlg.h. Its session ends however the dialog closes
// (Close, Escape, the close box); that end is its own doing, never a lost
// server.
#pragma once

#include "admin/uatools/aliases/aliaslisteditordlg.h"

#include <QStringList>

class CNotifyTemplateEditorDlg : public CAliasListEditorDlg {
    Q_OBJECT
public:
    enum : int { IDD = 226, IDC_TEMPLATES = IDC_NAMES };

    // `applicationSession` outlives the dialog; `login` logs the dialog's
    // own session in; `rights` is the administrator's rights word.
    CNotifyTemplateEditorDlg(CZELTSession &applicationSession, const CLoginCredentials &login,
                             const QStringList &notificationApps, quint32 rights, QWidget *parent = nullptr);

    QString GetTemplateName() const { return GetSelectedName(); }

protected:
    bool OnCommand(int id) override;
    void done(int result) override;

    QStringList ListedNames(const QList<CAliasResolver::Alias> &aliases) const override;
    void SelectionChanged() override;

private:
    void addTemplate();
    void editTemplate();

    const QStringList m_notificationApps;
};
