// The deletion progress dialog; see deleteprogressdlg.h.
#include "admin/uatools/ranges/deleteprogressdlg.h"

#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/uatools/ranges/uakinds.h"

namespace {

constexpr uint32_t kSystemAdministratorMailbox = 999;

// Neither the system administrator's mailbox nor the root of a kind is ever
// asked for. Any other number, above the high mark too, is an agent like
// the rest: the Create dialog makes mailboxes there.
bool NeverAskedFor(uint32_t number)
{
    return number == kSystemAdministratorMailbox || UAKind::IsKindRoot(qint32(number));
}

// Reads the answer-method list without failing when the server has none.
const QString kAnswerMethodScript = QStringLiteral("if {[catch {set answer_method_list} _tempv] != 0} {\r\n"
                                                   "  set _tempv \"!ERROR: answer methods not defined.\"}\r\n"
                                                   "set _tempv\r\n");

} // namespace

CDeleteProgressDlg::CDeleteProgressDlg(CServerCommandChannel &channel, const CParsedRangeList &list,
                                       QWidget *parent)
    : CBulkProgressDlg(IDD, QString(), Ids{IDC_STATUS, IDC_PROGRESS}, DeleteResultCode, list, parent),
      m_channel(channel)
{
}

CDeleteProgressDlg::~CDeleteProgressDlg()
{
    StopWorker();
}

void CDeleteProgressDlg::PrepareRun()
{
    // The list does not change during a run: one reading serves every number.
    m_greetingUserAgents = readGreetingUserAgents();
}

QSet<QString> CDeleteProgressDlg::readGreetingUserAgents()
{
    QSet<QString> numbers;
    const QString reply = m_channel.Execute(kAnswerMethodScript);
    if (IsErrorReply(reply))
        return numbers;
    const CTclList splitter;
    QStringList methods;
    splitter.SplitList(reply, methods);
    for (const QString &method : methods) {
        QStringList items;
        splitter.SplitList(method, items);
        if (items.size() < 2)
            continue;
        QStringList greeting;
        splitter.SplitList(items[1], greeting);
        if (!greeting.isEmpty())
            numbers.insert(greeting.first());
    }
    return numbers;
}

CPendingCommand CDeleteProgressDlg::StartOne(uint32_t number)
{
    if (NeverAskedFor(number))
        return CPendingCommand();
    return m_channel.BeginCommand(QStringLiteral("UAHasChildren %1").arg(number));
}

QString CDeleteProgressDlg::FinishOne(uint32_t number, CPendingCommand &started)
{
    if (NeverAskedFor(number))
        return QStringLiteral("!ERROR in deleting UA");
    const QString children = m_channel.WaitReply(started);
    if (IsErrorReply(children))
        return children;
    if (children == QLatin1String("yes"))
        return QStringLiteral(
                   "!ERROR Mailbox %1 Cannot be deleted because its a Class Of Service mailbox with at "
                   "least 1 child.\nDelete all mailboxes based on %1 first.")
            .arg(number);
    const QString reply = m_channel.Execute(QStringLiteral("DeleteUA %1").arg(number));
    // Only an agent that is gone is listed for reassignment.
    if (!IsErrorReply(reply) && m_greetingUserAgents.contains(QString::number(number))) {
        std::lock_guard lock(m_greetingMutex);
        m_deletedGreetingUsers.append(QStringLiteral("%1 ").arg(number));
    }
    return reply + QStringLiteral(" %1").arg(number);
}

QString CDeleteProgressDlg::BuildSummary() const
{
    const uint64_t failed = GetFailed();
    const uint64_t deleted = GetProcessed() - failed;
    QString summary = deleted == 1 ? QStringLiteral("Deleted one user agent.")
                                   : QStringLiteral("Deleted %1 user agents. ").arg(deleted);
    if (failed) {
        summary += failed == 1 ? QStringLiteral("\r\nOne user agent could not be deleted.")
                               : QStringLiteral("\r\n%1 user agents could not be deleted.").arg(failed);
        summary += QStringLiteral("\r\n");
    }
    std::lock_guard lock(m_greetingMutex);
    if (!m_deletedGreetingUsers.isEmpty()) {
        summary += QStringLiteral("\r\nAnswer methods use the following\r\nUserAgents as Greeting User "
                                  "Agents.\r\nPlease reassign the Greeting User Agents:\r\n");
        summary += m_deletedGreetingUsers.join(QString());
    }
    return summary;
}

QString CDeleteProgressDlg::CancelledMessage() const
{
    return QStringLiteral("Delete operation not complete, cancelled by user!");
}
