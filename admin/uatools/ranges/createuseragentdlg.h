// Creating user agents of one kind over a range list: mailboxes, classes of
// service, distribution lists and the agent kinds. OK checks the list (its
// syntax, the digit limits of the server, the size of the run, the numbers
// that exist already and the administrator's rights), hands it to the
// creation progress dialog, and then opens the mailbox or class-of-service
// editor on the agents created.
//
// The kind is told by two numbers: the model the new agents are made from
// (997, the default box, for mailboxes) and the kind's root. For mailboxes
// the dialog offers the classes of service to create them in.
#pragma once

#include "admin/uatools/ranges/rangebox.h"
#include "platform/mfc/dialog.h"

#include <QList>

class CAdminTemplate;
class CServerCommandChannel;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class CCreateUserAgentDlg : public CDialog {
    Q_OBJECT
public:
    enum {
        IDD = 148,
        IDC_RANGE = 1218,
        IDC_COS_COMBO = 1698,
        IDC_SELECT_COS = 1217,
        IDC_COS_LABEL = 1670,
    };
    // One run creates at most this many user agents.
    static constexpr uint64_t MaxRun = 100000;

    // `channel` outlives the dialog. `editorTemplate` (may be null) opens
    // the editor on the created mailboxes or classes of service; `allowed`
    // (none: every number) tells the numbers the administrator may manage.
    CCreateUserAgentDlg(CServerCommandChannel &channel, qint32 model, qint32 root, QWidget *parent,
                        bool makeCos, CRangeBox::AllowedCheck allowed = {},
                        CAdminTemplate *editorTemplate = nullptr);

    // After the dialog ended: what the run created.
    const QList<long> &GetCreatedNumbers() const { return m_created; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(int id) override;

private:
    void fillCosCombo();
    void selectCos();
    // Asks about numbers longer than the server's limit for their first
    // digit; false when the administrator does not want them.
    bool confirmLengths(const CParsedRangeList &list);
    void openCreated(qint32 chosenCos);

    CServerCommandChannel &m_channel;
    const qint32 m_model;
    const qint32 m_root;
    const bool m_makeCos;
    const CRangeBox::AllowedCheck m_allowed;
    CAdminTemplate *const m_editorTemplate;
    qint32 m_chosenCos = -1;
    QList<long> m_created;

    QLineEdit *m_range;
    QLabel *m_cosLabel;
    QComboBox *m_cosCombo;
    QPushButton *m_selectCos;
};
