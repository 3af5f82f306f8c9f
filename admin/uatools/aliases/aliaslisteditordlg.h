// What the IVR alias editor and the notification template editor share: a
// combo of names taken from the server's aliases, an "Add" button that only
// an administrator above level 4 with the notification-template permission
// may use, an "Edit" button for the chosen name, and a session of the
// editor's own (see ownsession.h) for the add/edit dialogs it opens. The
// list itself is read through the application's session. Each editor says
// which aliases it lists, which dialog its buttons open and how it closes.
#pragma once

#include "admin/session/ownsession.h"
#include "admin/useragents/pages/aliasresolver.h"
#include "platform/mfc/dialog.h"

#include <QList>
#include <QString>
#include <QStringList>

class QComboBox;

class CAliasListEditorDlg : public CDialog {
    Q_OBJECT
public:
    enum : int { IDC_NAMES = 1521, IDC_ADD = 4, IDC_EDIT = 5, IDC_CLOSE = 1516 };

    // The editor's own session; none before it opens, after it closed, or
    // when it could not connect.
    CZELTSession *Session() const { return m_session.Get(); }
    // The name last chosen in the list (or selected after an add).
    QString GetSelectedName() const { return m_selected; }

protected:
    struct Button {
        int id;
        QString text;
    };

    // `applicationSession` outlives the editor; `login` logs the editor's own
    // session in; `rights` is the administrator's rights word. The buttons
    // `extraButtons` stand between "Edit" and "Close".
    CAliasListEditorDlg(int dialogId, const QString &caption, const QString &nameLabel,
                        const QList<Button> &extraButtons, CZELTSession &applicationSession,
                        const CLoginCredentials &login, quint32 rights, QWidget *parent);

    // Opens the own session, disables the selection buttons, enables "Add"
    // by the rights and fills the list.
    bool OnInitDialog() override;

    // The names to list, of the server's aliases in record order.
    virtual QStringList ListedNames(const QList<CAliasResolver::Alias> &aliases) const = 0;
    // A name was chosen in the list; it is the selected name already.
    virtual void SelectionChanged() = 0;
    // The buttons that act on the selected name: the base's is "Edit", which
    // also needs the own session.
    virtual void EnableSelectionButtons(bool enable);

    // Empties the list and fills it again as the server has it, nothing
    // chosen; a refused fetch leaves it empty.
    void FillNames();
    // Makes `name` the selected name, chooses it in the list and enables the
    // selection buttons.
    void SelectName(const QString &name);
    // No name is selected any more; the selection buttons are disabled.
    void ClearSelectedName();
    // Where `name` stands in the list (letter case counts), or -1.
    int FindName(const QString &name) const;
    void CloseSession() { m_session.Close(); }

    CZELTSession &ApplicationSession() const { return m_session.ApplicationSession(); }
    QComboBox *Names() const { return m_names; }

private:
    COwnSession m_session;
    const quint32 m_rights;
    QString m_selected;
    QComboBox *m_names;
};
