// The mailbox editor's document and its command filter; see admindoc.h.
#include "admin/useragents/admindoc.h"

#include "admin/res/adminstrings.h"
#include "admin/session/tcllist.h"
#include "admin/session/zeltsession.h"
#include "admin/session/zltexception.h"
#include "platform/msgbox/msgbox.h"

#include <algorithm>

namespace {

// Numbers above this are the tops of the class-of-service tree, never boxes
// of an editor's list.
constexpr qint64 kFirstCosTop = 0x40000001;

} // namespace

CAdminDoc::CAdminDoc(Account account, bool owned) : m_account(std::move(account)), m_owned(owned) {}

CAdminDoc::~CAdminDoc() = default;

bool CAdminDoc::OnNewDocument(CZELTSession &parent, const CLoginCredentials &login)
{
    if (!CZELTDocument::OnNewDocument(parent, login))
        return false;
    m_sessionChannel = CommandChannel();
    m_title = m_editorNumber > 0 ? QStringLiteral("Mailbox Editor %1").arg(m_editorNumber)
                                 : QStringLiteral("Mailbox Editor");
    if (!m_listGiven && LoadOwnUAList() && m_uaNumbers.isEmpty()) {
        AfxMessageBox(QStringLiteral("There is no existing User Agents administered by your account.  "
                                     "The Editor can not start."));
        return false;
    }
    m_currentUANumber = m_uaNumbers.isEmpty() ? -1 : m_uaNumbers.first();
    return true;
}

void CAdminDoc::OnCloseDocument()
{
    // The session's own Disconnect marks its end as expected, for this
    // session alone; other windows' sessions still report a lost server.
    if (Session()) {
        try {
            Session()->Disconnect();
        } catch (const CZltException &) {
            // The session's destructor answers whatever is still pending.
        }
    }
}

QString CAdminDoc::parmsCommand(const QString &numbers, const QString &whenEmpty) const
{
    return AdminString(IDS_PARMS_FOR_UA_TYPE)
               .arg(QStringLiteral("MB"), QString(), numbers.isEmpty() ? whenEmpty : numbers) +
           QLatin1Char('\n');
}

QString CAdminDoc::GetParmsCommand() const
{
    QString numbers;
    AppendUAListText(numbers);
    return parmsCommand(numbers, QStringLiteral("All"));
}

QString CAdminDoc::GetListParmsCommand() const
{
    return parmsCommand(GetUAListText(), QStringLiteral("All"));
}

bool CAdminDoc::LoadOwnUAList()
{
    Q_ASSERT(m_sessionChannel);
    const QString reply =
        m_sessionChannel->Execute(m_owned ? QStringLiteral("GetUAList4Property COS {MB} owned NOASR")
                                          : QStringLiteral("GetUAList4Property COS {MB} notowned NOASR"),
                                  true, 1);
    if (IsErrorReply(reply)) {
        AfxMessageBox(reply);
        return false;
    }
    QStringList elements;
    CTclList().SplitList(reply, elements);
    m_uaNumbers.clear();
    for (const QString &element : elements) {
        // A number that does not parse or does not fit is no box of ours.
        const std::optional<qint32> number = ParseUANumber(element);
        if (!number || *number >= kFirstCosTop)
            continue;
        if (!m_account.allowed || m_account.allowed(*number))
            m_uaNumbers.append(*number);
    }
    std::sort(m_uaNumbers.begin(), m_uaNumbers.end(), [](long a, long b) { return quint32(a) < quint32(b); });
    return true;
}

bool CAdminDoc::IsUAAllowed(long number) const
{
    return m_account.allowsAllUserAgents || m_uaNumbers.contains(number);
}

void CAdminDoc::AppendUAListText(QString &text) const
{
    for (long number : m_uaNumbers)
        text += QString::number(number) + QLatin1Char(' ');
    text = text.trimmed();
}

QString CAdminDoc::GetUAListText() const
{
    QString text;
    if (!m_uaNumbers.isEmpty())
        AppendUAListText(text);
    return text;
}

bool CAdminDoc::RemoveUANumber(long number)
{
    return m_uaNumbers.removeOne(number);
}

void CAdminDoc::SetUAList(const QList<long> &numbers)
{
    m_uaNumbers = numbers;
    m_listCommand = QStringLiteral("MultipleUA {");
    for (long number : numbers)
        m_listCommand += QString::number(number) + QLatin1Char(' ');
    m_listCommand += QLatin1Char('}');
    m_currentUANumber = numbers.isEmpty() ? -1 : numbers.first();
}

void CAdminDoc::SetListGiven(int editorNumber)
{
    m_listGiven = true;
    m_editorNumber = editorNumber;
}

QString CAdminDoc::TranslateCommand(const QString &command) const
{
    static const QString restricted = QStringLiteral("RestrictedUA");
    if (command.startsWith(restricted)) {
        // A number that does not parse asks for no box rather than a wrong one.
        const std::optional<qint32> parsed = ParseUANumber(QStringView(command).mid(restricted.size() + 1));
        long number = parsed.value_or(-1);
        if (!m_uaNumbers.isEmpty() && !m_uaNumbers.contains(number))
            number = -1;
        return AdminString(IDS_SEND_GETUA).arg(number);
    }
    if (command == QLatin1String("AllUA") && !m_uaNumbers.isEmpty())
        return m_listCommand;
    return command;
}

QString CAdminDoc::Execute(const QString &command, bool check, int type)
{
    Q_ASSERT(m_sessionChannel);
    return m_sessionChannel->Execute(TranslateCommand(command), check, type);
}

HRESULT CAdminDoc::SendAsync(CMessageTarget *window, UINT message, WPARAM code, const QString &command,
                             bool check, int type)
{
    Q_ASSERT(m_sessionChannel);
    return m_sessionChannel->SendAsync(window, message, code, TranslateCommand(command), check, type);
}

HRESULT CAdminDoc::SendNoReply(const QString &command, int type)
{
    Q_ASSERT(m_sessionChannel);
    return m_sessionChannel->SendNoReply(TranslateCommand(command), type);
}

CPendingCommand CAdminDoc::BeginCommand(const QString &command, bool check, int type)
{
    Q_ASSERT(m_sessionChannel);
    return m_sessionChannel->BeginCommand(TranslateCommand(command), check, type);
}

QString CAdminDoc::WaitReply(CPendingCommand &command)
{
    Q_ASSERT(m_sessionChannel);
    return m_sessionChannel->WaitReply(command);
}
