// What the AMIS and VPIM agent dialogs share: one messaging-network agent,
// gateway or proxy (what all agent dialogs share: agentdlg.h). The two
// differ only in their property names, a few fields and the update's form
// (`Family`). A load that failed leaves OK disabled, so no initial value is
// ever saved over the agent; a refused update keeps the dialog open.
// OK without an edit sends nothing. A stored count outside what can be
// entered (0 to 999) shows as it is and goes back as it came: only a count
// the administrator changes is checked.
#pragma once

#include "admin/uatools/agents/agentdlg.h"

#include <QList>

#include <utility>

class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;

class CMessagingAgentDlg : public CAgentDlg {
    Q_OBJECT
public:
    // 0: the kind is neither family root; 1: gateway; 2: proxy.
    enum Mode : int { ModeOther = 0, ModeGateway = 1, ModeProxy = 2 };
    enum : int {
        IDC_NUMBER = 1632,
        IDC_ENABLED = 1010,
        IDC_COMMENT = 1230,
        IDC_SYSTEM_NUMBER = 1631,
        IDC_DESTINATION = 1005,
        IDC_MAILBOX_LABEL = 1685,
        IDC_MAILBOX = 1686,
        IDC_PORT_GROUP = 1688,
        IDC_NOTIFY_AFTER = 1586,
        IDC_CONTINUE_EVERY = 1588,
        IDC_MAX_TIME = 1594,
        IDC_HELP_BUTTON = 57670
    };

    bool IsLoaded() const { return m_loaded; }
    Mode GetMode() const { return m_mode; }

    // A family's property names and texts.
    struct Family {
        bool amis; // AMIS: system number, port group, mailbox rule, "" for empty texts
        const char *enable;
        const char *systemNumber;
        const char *destination;
        const char *mailbox;
        const char *portGroup;
        const char *notifyAfter;
        const char *continueEvery;
        const char *maxTime;
        const char *gatewayCaption;
        const char *proxyCaption;
        const char *destinationLabel;
        const char *commentTip;
    };

protected:
    CMessagingAgentDlg(const Family &family, int dialogId, const QString &caption,
                       CServerCommandChannel &channel, QWidget *parent, qint32 number,
                       const QString &typeText, Mode mode);

    bool OnInitDialog() override;
    void OnOK() override;

private:
    bool load();
    void enableFields();
    bool validate();
    bool changed() const;
    QString updateCommand() const;
    // An AMIS empty text goes as two double quotes, as the server keeps it.
    QString amisText(const QString &text) const;

    const Family &m_family;
    const QString m_typeText;
    const Mode m_mode;
    bool m_loaded = false;

    // A count of minutes (or of tries): its value, and the text the server
    // sent for it, which goes back as it came while the value stays.
    struct Minutes {
        int value;
        QString stored;
    };
    // What the agent held as loaded.
    struct Values {
        bool enabled = false;
        QString comment, systemNumber, destination, mailbox, portGroup = QStringLiteral("Q1");
        Minutes notifyAfter{5, {}}, continueEvery{30, {}}, maxTime{5, {}};
    } m_held;

    Values current() const;
    // The three counts' boxes, each with what the agent held for it.
    QList<std::pair<QSpinBox *, const Minutes *>> minutesFields() const;
    static void showMinutes(QSpinBox *box, int value);
    // The update's word for a count: the stored text while the value is the
    // one loaded, else the new value.
    static QString minutesWord(const Minutes &shown, const Minutes &held);

    QCheckBox *m_enabled;
    QLineEdit *m_comment;
    QLineEdit *m_systemNumber = nullptr;
    QLineEdit *m_destination;
    QLabel *m_mailboxLabel;
    QLineEdit *m_mailbox;
    QLineEdit *m_portGroup = nullptr;
    QSpinBox *m_notifyAfter;
    QSpinBox *m_continueEvery;
    QSpinBox *m_maxTime;
};
