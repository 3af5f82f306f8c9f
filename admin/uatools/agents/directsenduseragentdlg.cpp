// The direct-send agent dialog; see directsenduseragentdlg.h.
#include "admin/uatools/agents/directsenduseragentdlg.h"

#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "admin/useragents/useragent.h"
#include "platform/mfc/waitcursor.h"
#include "platform/msgbox/msgbox.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QTimer>

namespace {

constexpr qint32 kVoiceRoot = 0x7ffffffa;
constexpr qint32 kFaxRoot = 0x7ffffff9;
constexpr int kNameLength = 16;

// The edited properties, in the order they are sent.
const char *const kProperties[] = {"&Comment", "&Name1", "&Name2", "Group_List"};

enum GroupToken { End, Comma, Dash, Number, Other };

GroupToken nextToken(const QString &text, qsizetype &at)
{
    while (at < text.size() && text[at] == QLatin1Char(' '))
        ++at;
    if (at >= text.size())
        return End;
    const QChar c = text[at];
    if (c == QLatin1Char(',') || c == QLatin1Char('-')) {
        ++at;
        return c == QLatin1Char(',') ? Comma : Dash;
    }
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
        while (at < text.size() && text[at] >= QLatin1Char('0') && text[at] <= QLatin1Char('9'))
            ++at;
        return Number;
    }
    ++at;
    return Other;
}

} // namespace

CDirectSendUserAgentDlg::CDirectSendUserAgentDlg(CServerCommandChannel &channel, qint32 number,
                                                 QWidget *parent)
    : CAgentDlg(IDD, tr("Edit Direct Send"), channel, number, IDC_HELP_BUTTON, parent)
{
    auto *numberEdit = SetDlgCtrlID(new QLineEdit(QString::number(number), this), IDC_NUMBER);
    numberEdit->setReadOnly(true);
    m_edits[0] = SetDlgCtrlID(new QLineEdit(this), IDC_COMMENT);
    m_edits[1] = SetDlgCtrlID(new QLineEdit(this), IDC_NAME1);
    m_edits[2] = SetDlgCtrlID(new QLineEdit(this), IDC_NAME2);
    m_edits[3] = SetDlgCtrlID(new QLineEdit(this), IDC_GROUPS);
    m_edits[1]->setMaxLength(kNameLength);
    m_edits[2]->setMaxLength(kNameLength);
    numberEdit->setToolTip(tr("User Agent's ID"));
    m_edits[0]->setToolTip(tr("Describe this direct-send user agent."));
    m_edits[1]->setToolTip(tr("Enter the first name of the mailbox owner."));
    m_edits[2]->setToolTip(tr("Enter the last name of the mailbox owner."));
    m_edits[3]->setToolTip(tr("List the groups this user agent belongs to."));
    auto *form = new QFormLayout;
    form->addRow(tr("UA Number:"), numberEdit);
    form->addRow(tr("Name 1:"), m_edits[1]);
    form->addRow(tr("Name 2:"), m_edits[2]);
    form->addRow(tr("Comment:"), m_edits[0]);
    form->addRow(tr("Groups:"), m_edits[3]);
    SetForm(form);
}

void CDirectSendUserAgentDlg::PresetComment(const QString &comment)
{
    m_edits[0]->setText(comment);
}

bool CDirectSendUserAgentDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CWaitCursor wait;
    m_loaded = load();
    // A failed load leaves nothing that could be saved over the real data.
    GetDlgItem(IDOK)->setEnabled(m_loaded);
    if (!m_loaded)
        QTimer::singleShot(0, this, [this] { OnCancel(); });
    return true;
}

bool CDirectSendUserAgentDlg::load()
{
    QStringList names;
    for (const char *name : kProperties)
        names.append(QLatin1String(name));
    CUserAgent agent;
    if (!GetAgent(names, agent))
        return false;
    m_loadedValues[0] = agent.GetProperty(QStringLiteral("&Comment"));
    m_loadedValues[1] = agent.GetName1();
    m_loadedValues[2] = agent.GetName2();
    m_loadedValues[3] = agent.GetProperty(QStringLiteral("Group_List"));
    for (int i = 0; i < 4; ++i)
        m_edits[i]->setText(m_loadedValues[i]);
    const QString number = QString::number(AgentNumber());
    switch (agent.GetParentNumber()) {
    case kVoiceRoot:
        setWindowTitle(tr("Edit Direct Send Voice User Agent %1").arg(number));
        break;
    case kFaxRoot:
        setWindowTitle(tr("Edit Direct Send FAX User Agent %1").arg(number));
        break;
    default:
        setWindowTitle(tr("Edit Direct Send User Agent %1").arg(number));
        break;
    }
    return true;
}

bool CDirectSendUserAgentDlg::IsValidName(const QString &name)
{
    for (const QChar c : name) {
        const bool letter = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
                            (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
        if (!letter && !(c >= QLatin1Char('2') && c <= QLatin1Char('9')))
            return false;
    }
    return true;
}

bool CDirectSendUserAgentDlg::IsValidGroupList(const QString &list)
{
    qsizetype at = 0;
    GroupToken token = nextToken(list, at);
    if (token == End)
        return true;
    if (token != Number)
        return false;
    bool afterRange = false;
    for (;;) {
        token = nextToken(list, at);
        switch (token) {
        case End:
            return true;
        case Number:
            afterRange = false;
            break;
        case Comma:
            if (nextToken(list, at) != Number)
                return false;
            afterRange = false;
            break;
        case Dash:
            // A range cannot be continued by a second dash.
            if (afterRange || nextToken(list, at) != Number)
                return false;
            afterRange = true;
            break;
        case Other:
            return false;
        }
    }
}

bool CDirectSendUserAgentDlg::validate()
{
    for (QLineEdit *edit : {m_edits[1], m_edits[2]}) {
        if (!IsValidName(edit->text())) {
            AfxMessageBox(tr("Valid names consist of letters or digits 2 through 9."));
            GotoDlgCtrl(edit);
            return false;
        }
    }
    if (!IsValidGroupList(m_edits[3]->text())) {
        AfxMessageBox(
            tr("Valid group lists consist of group numbers or ranges separated by commas or spaces."));
        GotoDlgCtrl(m_edits[3]);
        return false;
    }
    return true;
}

void CDirectSendUserAgentDlg::OnOK()
{
    if (!m_loaded || !validate())
        return;
    CWaitCursor wait;
    for (int i = 0; i < 4; ++i) {
        const QString value = m_edits[i]->text();
        if (value == m_loadedValues[i])
            continue;
        const QString name = QLatin1String(kProperties[i]);
        const QString reply = Run(QStringLiteral("UpdateUA %1 WithForce %2 %3")
                                      .arg(AgentNumber())
                                      .arg(CUserAgent::NameWord(name), TclWord(value)));
        if (IsErrorReply(reply)) {
            // What was accepted so far is the server's now; the rest stays
            // to be corrected and sent again.
            AfxMessageBox(tr("The server refused the change of %1: %2").arg(name, reply.mid(1)));
            GotoDlgCtrl(m_edits[i]);
            return;
        }
        m_loadedValues[i] = value;
    }
    EndDialog(IDOK);
}
