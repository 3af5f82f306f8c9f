// The AMIS and VPIM agent dialogs' common part; see messagingagentdlg.h.
#include "admin/uatools/agents/messagingagentdlg.h"

#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "admin/useragents/useragent.h"
#include "platform/mfc/waitcursor.h"
#include "platform/msgbox/msgbox.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include <algorithm>

namespace {

constexpr int kMailboxLength = 8;
constexpr int kMinMinutes = 0;
constexpr int kMaxMinutes = 999;
const QString kEmptyAmisText = QStringLiteral("\"\"");

QSpinBox *minutesBox(QWidget *parent, int id)
{
    auto *box = SetDlgCtrlID(new QSpinBox(parent), id);
    box->setRange(kMinMinutes, kMaxMinutes);
    return box;
}

} // namespace

CMessagingAgentDlg::CMessagingAgentDlg(const Family &family, int dialogId, const QString &caption,
                                       CServerCommandChannel &channel, QWidget *parent, qint32 number,
                                       const QString &typeText, Mode mode)
    : CAgentDlg(dialogId, caption, channel, number, IDC_HELP_BUTTON, parent), m_family(family),
      m_typeText(typeText), m_mode(mode),
      m_enabled(SetDlgCtrlID(new QCheckBox(tr("Enabled"), this), IDC_ENABLED)),
      m_comment(SetDlgCtrlID(new QLineEdit(this), IDC_COMMENT)),
      m_destination(SetDlgCtrlID(new QLineEdit(this), IDC_DESTINATION)),
      m_mailboxLabel(SetDlgCtrlID(new QLabel(tr("Destination Mailbox:"), this), IDC_MAILBOX_LABEL)),
      m_mailbox(SetDlgCtrlID(new QLineEdit(this), IDC_MAILBOX)),
      m_notifyAfter(minutesBox(this, IDC_NOTIFY_AFTER)),
      m_continueEvery(minutesBox(this, IDC_CONTINUE_EVERY)), m_maxTime(minutesBox(this, IDC_MAX_TIME))
{
    auto *numberEdit = SetDlgCtrlID(new QLineEdit(QString::number(number), this), IDC_NUMBER);
    numberEdit->setReadOnly(true);
    numberEdit->setToolTip(tr("User Agent's ID"));
    m_comment->setToolTip(tr(family.commentTip));
    m_enabled->setToolTip(tr("If this box is unchecked, it means that the system found problems during AMIS "
                             "message transmission."));
    m_destination->setToolTip(
        tr("Enter the destination system's phone number here, including trunk access codes."));
    m_mailbox->setToolTip(
        tr("Enter the mailbox number to which messages should be delivered in the destination "
           "system."));
    m_notifyAfter->setToolTip(tr("Verbanta waits this time before sending the message to the destination."));
    m_continueEvery->setToolTip(
        tr("If a message cannot be delivered, Verbanta waits this time before trying again."));
    m_maxTime->setToolTip(tr("Specify the number of times that Verbanta should try to send a message."));
    if (family.amis)
        m_mailbox->setMaxLength(kMailboxLength);
    auto *form = new QFormLayout;
    form->addRow(tr("UA Number:"), numberEdit);
    form->addRow(QString(), m_enabled);
    form->addRow(tr("Comment:"), m_comment);
    if (family.amis) {
        m_systemNumber = SetDlgCtrlID(new QLineEdit(this), IDC_SYSTEM_NUMBER);
        m_systemNumber->setToolTip(tr("Enter the destination's system number like this: 1#714#5551212#."));
        form->addRow(tr("Destination System Number:"), m_systemNumber);
    }
    form->addRow(tr(family.destinationLabel), m_destination);
    form->addRow(m_mailboxLabel, m_mailbox);
    if (family.amis) {
        m_portGroup = SetDlgCtrlID(new QLineEdit(this), IDC_PORT_GROUP);
        m_portGroup->setToolTip(
            tr("Specify the name of the port group that should be used for delivering AMIS "
               "messages."));
        form->addRow(tr("Notification Port Group:"), m_portGroup);
    }
    form->addRow(tr("Notify After(min):"), m_notifyAfter);
    form->addRow(tr("Continue Every(min):"), m_continueEvery);
    form->addRow(tr("Notify Max Time:"), m_maxTime);
    SetForm(form);
    connect(m_enabled, &QCheckBox::toggled, this, [this] { enableFields(); });
}

bool CMessagingAgentDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CWaitCursor wait;
    m_loaded = load();
    const Values &v = m_held;
    m_enabled->setChecked(v.enabled);
    m_comment->setText(v.comment);
    if (m_systemNumber)
        m_systemNumber->setText(v.systemNumber);
    m_destination->setText(v.destination);
    m_mailbox->setText(v.mailbox);
    if (m_portGroup)
        m_portGroup->setText(v.portGroup);
    for (const auto &[box, held] : minutesFields())
        showMinutes(box, held->value);
    enableFields();
    if (m_mode == ModeProxy)
        setWindowTitle(tr(m_family.proxyCaption));
    else if (m_mode == ModeGateway)
        setWindowTitle(tr(m_family.gatewayCaption));
    m_mailboxLabel->setVisible(m_mode == ModeProxy);
    m_mailbox->setVisible(m_mode == ModeProxy);
    // Initial values are no agent's data: they are never saved over it.
    GetDlgItem(IDOK)->setEnabled(m_loaded);
    return true;
}

bool CMessagingAgentDlg::load()
{
    QStringList names{QLatin1String(m_family.enable), QStringLiteral("&Comment")};
    if (m_family.amis)
        names << QLatin1String(m_family.systemNumber);
    names << QLatin1String(m_family.destination);
    if (!m_family.amis)
        names << QLatin1String(m_family.mailbox);
    names << QLatin1String(m_family.continueEvery) << QLatin1String(m_family.notifyAfter)
          << QLatin1String(m_family.maxTime);
    if (m_family.amis)
        names << QLatin1String(m_family.portGroup);
    if (m_mode == ModeProxy)
        names << QLatin1String(m_family.mailbox);
    const QString reply = Run(QStringLiteral("ParmsForUAType %1 %2 %3")
                                  .arg(TclWord(m_typeText), TclWord(names.join(QLatin1Char(' '))),
                                       TclWord(QString::number(AgentNumber()))));
    if (IsErrorReply(reply)) {
        AfxMessageBox(reply);
        return false;
    }
    const CTclList splitter;
    QStringList elements;
    splitter.SplitList(reply, elements);
    if (elements.isEmpty()) {
        AfxMessageBox(tr("User Agent %1 could not be read; nothing can be saved.").arg(AgentNumber()));
        return false;
    }
    CUserAgent agent;
    if (!agent.Parse(elements.first(), splitter))
        return false;
    const auto text = [&agent](const char *name) { return agent.GetProperty(QLatin1String(name)); };
    m_held.enabled = text(m_family.enable).toInt() != 0;
    m_held.comment = agent.GetProperty(QStringLiteral("&Comment"));
    m_held.destination = text(m_family.destination);
    const auto minutes = [&text](const char *name) { return Minutes{text(name).toInt(), text(name)}; };
    m_held.notifyAfter = minutes(m_family.notifyAfter);
    m_held.continueEvery = minutes(m_family.continueEvery);
    m_held.maxTime = minutes(m_family.maxTime);
    if (m_family.amis) {
        m_held.systemNumber = text(m_family.systemNumber);
        m_held.portGroup = text(m_family.portGroup);
    }
    if (m_mode == ModeProxy)
        m_held.mailbox = text(m_family.mailbox);
    return true;
}

void CMessagingAgentDlg::enableFields()
{
    const bool on = m_enabled->isChecked();
    for (QWidget *field :
         std::initializer_list<QWidget *>{m_comment, m_systemNumber, m_destination, m_mailbox, m_portGroup,
                                          m_notifyAfter, m_continueEvery, m_maxTime})
        if (field)
            field->setEnabled(on);
}

CMessagingAgentDlg::Values CMessagingAgentDlg::current() const
{
    Values v;
    v.enabled = m_enabled->isChecked();
    v.comment = m_comment->text();
    v.systemNumber = m_systemNumber ? m_systemNumber->text() : QString();
    v.destination = m_destination->text();
    v.mailbox = m_mode == ModeProxy ? m_mailbox->text() : QString();
    v.portGroup = m_portGroup ? m_portGroup->text() : m_held.portGroup;
    v.notifyAfter = Minutes{m_notifyAfter->value(), {}};
    v.continueEvery = Minutes{m_continueEvery->value(), {}};
    v.maxTime = Minutes{m_maxTime->value(), {}};
    return v;
}

QList<std::pair<QSpinBox *, const CMessagingAgentDlg::Minutes *>> CMessagingAgentDlg::minutesFields() const
{
    return {{m_notifyAfter, &m_held.notifyAfter},
            {m_continueEvery, &m_held.continueEvery},
            {m_maxTime, &m_held.maxTime}};
}

void CMessagingAgentDlg::showMinutes(QSpinBox *box, int value)
{
    // A stored count outside the range shows as it is, not clamped: it is
    // checked only once the administrator changes it.
    box->setRange(std::min(kMinMinutes, value), std::max(kMaxMinutes, value));
    box->setValue(value);
}

QString CMessagingAgentDlg::minutesWord(const Minutes &shown, const Minutes &held)
{
    if (shown.value == held.value && !held.stored.isEmpty())
        return TclBareWord(held.stored);
    return QString::number(shown.value);
}

bool CMessagingAgentDlg::changed() const
{
    const Values v = current();
    const Values &h = m_held;
    return v.comment != h.comment || v.systemNumber != h.systemNumber || v.destination != h.destination ||
           v.mailbox != h.mailbox || v.portGroup != h.portGroup ||
           v.notifyAfter.value != h.notifyAfter.value || v.continueEvery.value != h.continueEvery.value ||
           v.maxTime.value != h.maxTime.value || (h.enabled && !v.enabled);
}

bool CMessagingAgentDlg::validate()
{
    for (const auto &[box, held] : minutesFields()) {
        const int value = box->value();
        if (value != held->value && (value < kMinMinutes || value > kMaxMinutes)) {
            AfxMessageBox(tr("Please enter an integer between %1 and %2.").arg(kMinMinutes).arg(kMaxMinutes),
                          MB_ICONEXCLAMATION);
            GotoDlgCtrl(box);
            return false;
        }
    }
    if (!m_family.amis || m_mode != ModeProxy)
        return true;
    for (const QChar c : m_mailbox->text()) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            AfxMessageBox(tr("Use digits for the destination mailbox."));
            GotoDlgCtrl(m_mailbox);
            return false;
        }
    }
    return true;
}

QString CMessagingAgentDlg::amisText(const QString &text) const
{
    return m_family.amis && text.isEmpty() ? kEmptyAmisText : text;
}

QString CMessagingAgentDlg::updateCommand() const
{
    const Values v = current();
    QString command = QStringLiteral("UpdateUA %1 WithForce &Comment %2")
                          .arg(AgentNumber())
                          .arg(TclWord(amisText(v.comment)));
    if (m_family.amis)
        command += QStringLiteral(" %1 %2").arg(QLatin1String(m_family.systemNumber),
                                                TclWord(amisText(v.systemNumber)));
    command +=
        QStringLiteral(" %1 %2").arg(QLatin1String(m_family.destination), TclWord(amisText(v.destination)));
    command +=
        QStringLiteral(" %1 %2 %3 %4 %5 %6")
            .arg(QLatin1String(m_family.continueEvery), minutesWord(v.continueEvery, m_held.continueEvery),
                 QLatin1String(m_family.notifyAfter), minutesWord(v.notifyAfter, m_held.notifyAfter),
                 QLatin1String(m_family.maxTime), minutesWord(v.maxTime, m_held.maxTime));
    if (m_family.amis) {
        // This one goes bare: two double quotes read as the empty text.
        command +=
            QStringLiteral(" %1 %2").arg(QLatin1String(m_family.portGroup),
                                         v.portGroup.isEmpty() ? kEmptyAmisText : TclBareWord(v.portGroup));
    }
    if (m_mode == ModeProxy)
        command +=
            QStringLiteral(" %1 %2").arg(QLatin1String(m_family.mailbox), TclWord(amisText(v.mailbox)));
    if (!v.enabled)
        command += QStringLiteral(" %1 0").arg(QLatin1String(m_family.enable));
    return command;
}

void CMessagingAgentDlg::OnOK()
{
    if (!m_loaded || !validate())
        return;
    CWaitCursor wait;
    if (!m_held.enabled && m_enabled->isChecked()) {
        // Enabled again: the agent takes its class of service's value back.
        const QString reply = Run(QStringLiteral("UADeleteProperty %1 WithForce %2")
                                      .arg(AgentNumber())
                                      .arg(QLatin1String(m_family.enable)));
        if (IsErrorReply(reply)) {
            ShowRefusal(tr("The server refused to enable the agent: %1").arg(reply.mid(1)));
            return;
        }
        m_held.enabled = true;
    }
    if (changed()) {
        const QString reply = Run(updateCommand());
        if (IsErrorReply(reply)) {
            ShowRefusal(tr("The server refused the changes: %1").arg(reply.mid(1)));
            return;
        }
    }
    EndDialog(IDOK);
}
