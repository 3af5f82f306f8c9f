// The AMIS agent list; see configamisuadlg.h.
#include "admin/uatools/agents/configamisuadlg.h"

#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "admin/session/zeltsession.h"
#include "admin/session/zltexception.h"
#include "admin/uatools/agents/amisuseragentdlg.h"
#include "admin/useragents/useragent.h"
#include "platform/mfc/waitcursor.h"
#include "platform/msgbox/msgbox.h"

#include <QSet>
#include <QTreeWidget>

namespace {

constexpr qint32 kAmisGatewayRoot = 0x7ffffffc;
constexpr qint32 kAmisProxyRoot = 0x7ffffffb;
const QString kNodeList = QStringLiteral("sys_remote_amis_node_list");

CConfigAmisUADlg::Mode modeOf(const QString &type, const QString &gateway, const QString &proxy)
{
    if (type == proxy)
        return CConfigAmisUADlg::ModeProxy;
    return type == gateway ? CConfigAmisUADlg::ModeGateway : CConfigAmisUADlg::ModeOther;
}

} // namespace

CConfigAmisUADlg::CConfigAmisUADlg(CZELTSession &applicationSession, const CLoginCredentials &login,
                                   const QString &typeText, const QString &gatewayText,
                                   const QString &proxyText, QWidget *parent)
    : CUserAgentListDlg(IDD, tr("Config AMIS User Agents"), applicationSession, login, typeText,
                        {kAmisGatewayRoot, kAmisProxyRoot}, parent),
      m_mode(modeOf(typeText, gatewayText, proxyText))
{
}

CConfigAmisUADlg::~CConfigAmisUADlg()
{
    // Destroyed without closing itself (a new login): the reminder is due
    // all the same.
    if (Session())
        remindRestart();
}

bool CConfigAmisUADlg::OnInitDialog()
{
    CUserAgentListDlg::OnInitDialog();
    if (m_mode == ModeProxy) {
        setWindowTitle(tr("Configure AMIS Proxy User Agents"));
    } else if (m_mode == ModeGateway) {
        setWindowTitle(tr("Configure AMIS Gateway User Agents"));
        // The rows are added a slice at a time; the list is compared once
        // they are all there.
        if (IsFilling())
            connect(this, &CUserAgentListDlg::filled, this, &CConfigAmisUADlg::synchroniseNodeList,
                    Qt::SingleShotConnection);
        else
            synchroniseNodeList();
    }
    return true;
}

QList<CUserAgentListDlg::Column> CConfigAmisUADlg::Columns() const
{
    return {{tr("User Name"), 80}, {tr("Comment"), 300}};
}

bool CConfigAmisUADlg::RunEditDialog(qint32 number, QTreeWidgetItem *)
{
    CAmisUserAgentDlg dialog(*Channel(), this, number, TypeText(), CMessagingAgentDlg::Mode(int(m_mode)));
    return dialog.DoModal() == IDOK;
}

void CConfigAmisUADlg::synchroniseNodeList()
{
    // A list the server refused to give says nothing of its gateways; an
    // empty list written from it would wipe the real one.
    if (!Session() || FillFailed())
        return;
    const std::optional<QStringList> held = readNodeList();
    if (!held)
        return;
    QStringList listed;
    for (int i = 0; i < List()->topLevelItemCount(); ++i)
        listed.append(List()->topLevelItem(i)->text(0));
    if (held->size() != listed.size() ||
        QSet<QString>(held->begin(), held->end()) != QSet<QString>(listed.begin(), listed.end()))
        writeNodeList(listed);
}

std::optional<QStringList> CConfigAmisUADlg::readNodeList()
{
    QString reply;
    try {
        reply = Session()->Execute(
            QStringLiteral("if {![info exists %1]} {set %1 \"{}\"}\r\nset %1\r\n").arg(kNodeList), true, 1);
    } catch (const CZltException &e) {
        reply = QStringLiteral("!") + e.text();
    }
    if (IsErrorReply(reply)) {
        AfxMessageBox(
            tr("The AMIS node list could not be read, so it was left as it is: %1").arg(reply.mid(1)));
        return std::nullopt;
    }
    QStringList elements;
    CTclList().SplitList(reply.trimmed(), elements);
    // A new list is created holding one empty element; it names no gateway.
    elements.removeAll(QString());
    return elements;
}

std::optional<QStringList> CConfigAmisUADlg::serverNumbers()
{
    const QString reply = Run(
        QStringLiteral("ParmsForUAType %1 %2 %3")
            .arg(TclWord(TypeText()), TclWord(QStringLiteral("&Comment")), TclWord(QStringLiteral("All"))));
    if (IsErrorReply(reply)) {
        AfxMessageBox(tr("The AMIS node list was not rewritten: the gateways could not be listed: %1")
                          .arg(reply.mid(1)));
        return std::nullopt;
    }
    QStringList elements;
    const CTclList splitter;
    splitter.SplitList(reply, elements);
    QStringList numbers;
    for (const QString &element : std::as_const(elements)) {
        CUserAgent agent;
        if (agent.Parse(element, splitter) && agent.GetUANumber() != kAmisGatewayRoot &&
            agent.GetUANumber() != kAmisProxyRoot)
            numbers.append(QString::number(agent.GetUANumber()));
    }
    return numbers;
}

void CConfigAmisUADlg::writeNodeList(const QStringList &numbers)
{
    const QString reply = Run(QStringLiteral("ConfigSetString %1 %2 1")
                                  .arg(TclBareWord(kNodeList), TclWord(numbers.join(QLatin1Char(' ')))));
    if (IsErrorReply(reply)) {
        AfxMessageBox(tr("The AMIS node list could not be written: %1").arg(reply.mid(1)));
        return;
    }
    // Only a list the server took needs its restart.
    m_gatewayChanged = true;
}

void CConfigAmisUADlg::AgentDeleted(qint32)
{
    if (m_mode != ModeGateway)
        return;
    CWaitCursor wait;
    if (const std::optional<QStringList> numbers = serverNumbers())
        writeNodeList(*numbers);
}

void CConfigAmisUADlg::Closing()
{
    remindRestart();
}

void CConfigAmisUADlg::remindRestart()
{
    if (m_gatewayChanged)
        AfxMessageBox(tr("Changes to the AMIS gateway configuration require the restart\n"
                         "of the VerbantaES server.  Remember to restart the server."));
}
