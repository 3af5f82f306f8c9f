// Copying one existing user agent under a range list of new numbers: the
// creation progress dialog makes the copies in copy mode, from the agent
// of the From box.
//
// Nothing reaches the server until both boxes have passed their checks:
// the From box must hold one number alone, which the administrator may
// manage, and the To list must be well formed, allowed, and must not name
// the From agent itself (copying an agent over itself would replace it
// while it is being read). Numbers of the To list that exist already are
// counted, and the administrator is asked once, with the count, whether
// to copy to the others; the server takes no copy over an existing agent,
// so those are left as they are.
#pragma once

#include "admin/uatools/ranges/rangebox.h"
#include "platform/mfc/dialog.h"

#include <QList>

#include <optional>

class CServerCommandChannel;
class QLineEdit;

class CCopyUserAgentDlg : public CDialog {
    Q_OBJECT
public:
    enum { IDD = 223, IDC_FROM = 1532, IDC_TO = 1533 };

    // `channel` outlives the dialog; `from` other than -1 fills the From
    // box. `allowed` (none: every number) tells the numbers the
    // administrator may manage.
    CCopyUserAgentDlg(CServerCommandChannel &channel, qint32 root, QWidget *parent, bool makeCos, long from,
                      CRangeBox::AllowedCheck allowed = {});

    // After the dialog ended: the copies made, in the order of the run, and
    // the kind word of the agent they were copied from.
    const QList<long> &GetCreatedNumbers() const { return m_created; }
    const QString &GetSourceKind() const { return m_sourceKind; }
    bool SourceIsCos() const { return m_sourceIsCos; }

    // The From text as one user-agent number: digits alone, blanks around
    // them allowed; nothing for any other text.
    static std::optional<qint32> ParseFrom(const QString &text);

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void refuse(QLineEdit *box, const QString &text);

    CServerCommandChannel &m_channel;
    const qint32 m_root;
    const bool m_makeCos;
    const CRangeBox::AllowedCheck m_allowed;
    QList<long> m_created;
    QString m_sourceKind;
    bool m_sourceIsCos = false;

    QLineEdit *m_from;
    QLineEdit *m_to;
};
