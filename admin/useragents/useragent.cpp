// The user-agent record; see useragent.h.
//
// A "GetUA" reply is a Tcl list: the header {number parent stamp scenario
// fifth}, the list of names the box holds itself, then name/value pairs of
// everything it shows, its own values and the inherited ones. The record
// parses into fresh maps and takes them only when the whole reply made sense,
// so a reply that does not parse never leaves a half-filled record.
//
// Every value and name that goes back to the server is made a Tcl word by
// the session's quoting helper: an administrator's text is data, never code.
#include "admin/useragents/useragent.h"

#include "admin/res/adminstrings.h"
#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "admin/useragents/pagevalue.h"
#include "platform/msgbox/msgbox.h"

namespace {

constexpr qint32 kHighMark = 0x40000000;
constexpr int kHeaderSize = 5;

// The properties that belong to one notification, "Nf_" + name + "_" + suffix.
constexpr const char *kNotificationSuffixes[] = {"Disable",    "DayOfWeek", "Holidays",    "From",
                                                 "To",         "InitDial",  "RepeatDelay", "RepeatCount",
                                                 "Accessible", "LineGroup", "Variable"};

QString notificationProperty(const QString &notification, const char *suffix)
{
    return QStringLiteral("Nf_") + notification + QLatin1Char('_') + QLatin1String(suffix);
}

} // namespace

qint32 GetDefaultUANumber()
{
    return 997;
}

qint32 GetSystemAdminUANumber()
{
    return 999;
}

qint32 GetNoUANumber()
{
    return -1;
}

std::optional<qint32> ParseUANumber(QStringView text)
{
    bool ok = false;
    const qint32 number = text.trimmed().toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return number;
}

CUserAgent::CUserAgent(const QString &reply, const CTclList &splitter)
{
    CUserAgent::Parse(reply, splitter);
}

CUserAgent::CUserAgent(const QByteArray &reply, const CTclList &splitter)
{
    ParseUtf8(reply, splitter);
}

bool CUserAgent::Parse(const QString &reply, const CTclList &splitter)
{
    return ParseUtf8(reply.toUtf8(), splitter);
}

bool CUserAgent::ParseUtf8(const QByteArray &reply, const CTclList &splitter)
{
    if (IsErrorReply(reply.constData())) {
        AfxMessageBox(AdminString(IDS_UA_NOT_RETRIEVED).arg(QString::fromUtf8(reply)));
        return false;
    }
    const CTclElements elements = splitter.Split(reply);
    if (elements.size() < 2 || (elements.size() - 2) % 2 != 0) {
        ShowCantParse(QString::fromUtf8(reply));
        return false;
    }
    const CTclElements header = splitter.Split(elements.at(0).toByteArray());
    if (header.size() < kHeaderSize)
        return false;
    std::optional<qint32> numbers[kHeaderSize];
    for (int i = 0; i < kHeaderSize; ++i) {
        numbers[i] = ParseUANumber(header.text(i));
        if (!numbers[i]) {
            ShowCantParse(QString::fromUtf8(reply));
            return false;
        }
    }
    const QByteArray namesElement = elements.at(1).toByteArray();
    const CTclElements names = splitter.Split(namesElement);
    if (names.isEmpty() && !namesElement.trimmed().isEmpty()) {
        ShowCantParse(QString::fromUtf8(reply));
        return false;
    }

    QSet<QString> listed;
    listed.reserve(names.size());
    for (qsizetype i = 0; i < names.size(); ++i)
        listed.insert(names.text(i));
    PropertyMap values;
    for (qsizetype i = 2; i + 1 < elements.size(); i += 2)
        values.insert(elements.text(i), elements.text(i + 1));

    m_number = *numbers[0];
    m_parent = *numbers[1];
    m_changeStamp = *numbers[2];
    m_scenario = *numbers[3];
    m_headerElement4 = *numbers[4];
    m_listed = std::move(listed);
    m_current = values;
    m_received = std::move(values);
    m_lockStates.clear();
    m_inherited.clear();
    m_setAside.clear();
    m_added.clear();
    m_comment = m_current.value(QStringLiteral("&Comment"));
    m_name1 = m_current.value(QStringLiteral("&Name1"));
    m_name2 = m_current.value(QStringLiteral("&Name2"));
    m_extension = m_current.value(QStringLiteral("&Ext"));
    return true;
}

int CUserAgent::CommitChanges(QString &reply, CServerCommandChannel &channel, bool withForce)
{
    QString changes;
    for (auto it = m_current.cbegin(); it != m_current.cend(); ++it) {
        const QString &name = it.key();
        const QString &value = it.value();
        if (value == QLatin1String(kListedInheritanceMarker)) {
            changes += NameWord(QLatin1Char('~') + name) + QStringLiteral(" {} ");
            continue;
        }
        if (value == QLatin1String(kNewInheritanceMarker))
            continue;
        const bool listed = m_listed.contains(name);
        const auto received = m_received.constFind(name);
        if ((m_added.contains(name) && !listed) || received == m_received.cend() || *received != value)
            changes += NameWord(name) + QLatin1Char(' ') + TclWord(value) + QLatin1Char(' ');
    }
    for (auto it = m_lockStates.cbegin(); it != m_lockStates.cend(); ++it) {
        const QString lock = LockName(it.key());
        if (it.value())
            changes += NameWord(lock) + QStringLiteral(" {1} ");
        else if (m_listed.contains(lock))
            changes += NameWord(QLatin1Char('~') + lock) + QStringLiteral(" {} ");
    }
    if (changes.isEmpty())
        return CommitNothingToSend;

    const QString number = QString::number(m_number);
    const QString command =
        withForce ? AdminString(IDS_UPDATEUA_WITHFORCE).arg(number, changes)
                  : AdminString(IDS_UPDATEUA).arg(number, QString::number(m_changeStamp), changes);
    reply = channel.Execute(command, true, 1);
    if (IsErrorReply(reply))
        return CommitRefused;
    TakeChangeStamp(reply);
    return CommitSent;
}

QString CUserAgent::Fetch(const QString &name, CServerCommandChannel &channel)
{
    if (m_parent <= -1)
        return QString();
    const QString reply = channel.Execute(
        AdminString(IDS_GETUA_PROPERTIES).arg(QString::number(m_parent), NameWord(name)), true, 1);
    if (IsErrorReply(reply))
        return QString();
    QStringList elements;
    CTclList().SplitList(reply, elements);
    return elements.size() == 4 ? elements[3] : QString();
}

QString CUserAgent::GetProperty(const QString &name) const
{
    const QString value = m_current.value(name);
    if (value == QLatin1String(kListedInheritanceMarker) || value == QLatin1String(kNewInheritanceMarker))
        return m_inherited.value(name);
    return value;
}

void CUserAgent::GetPropertyText(const QString &name, CPageValue &value) const
{
    QString text = m_current.value(name);
    value.own = m_listed.contains(name) || m_added.contains(name);
    const bool listedMarker = text == QLatin1String(kListedInheritanceMarker);
    const bool newMarker = text == QLatin1String(kNewInheritanceMarker);
    value.showsInherited = listedMarker || newMarker;
    if (newMarker)
        value.own = true;
    if (value.showsInherited) {
        text = m_inherited.value(name);
        value.stored = m_setAside.value(name);
    }
    value.PutText(text);

    const QString lock = LockName(name);
    value.locked = m_current.contains(lock);
    value.lockOwn = value.locked && m_listed.contains(lock);
    if (!value.lockOwn && m_lockStates.value(name, false)) {
        value.lockOwn = true;
        value.locked = true;
    }
}

void CUserAgent::SetProperty(const QString &name, const CPageValue &value)
{
    if (value.own) {
        if (value.showsInherited) {
            m_inherited.insert(name, value.GetText());
            m_setAside.insert(name, value.stored);
            m_current.insert(name, QLatin1String(m_listed.contains(name) ? kListedInheritanceMarker
                                                                         : kNewInheritanceMarker));
        } else {
            m_current.insert(name, value.GetText());
            m_added.insert(name);
        }
    }
    if (value.lockOwn) {
        // A lock the server listed stays as it is until a page says otherwise.
        const bool keepListedLock =
            value.locked && m_listed.contains(LockName(name)) && !m_lockStates.contains(name);
        if (!keepListedLock)
            m_lockStates.insert(name, value.locked);
    }
}

bool CUserAgent::IsPropertyUnlisted(const QString &name) const
{
    return !m_listed.contains(name) && !m_added.contains(name);
}

CUserAgent::PropertyPosition CUserAgent::GetFirstPropertyPosition() const
{
    PropertyPosition position;
    position.m_at = m_current.cbegin();
    position.m_end = m_current.cend();
    return position;
}

void CUserAgent::GetNextProperty(PropertyPosition &position, QString &name, QString &value) const
{
    Q_ASSERT(position);
    name = position.m_at.key();
    value = position.m_at.value();
    ++position.m_at;
}

bool CUserAgent::IsOverHighMark() const
{
    return m_number > kHighMark;
}

void CUserAgent::RenameNotification(const QString &oldName, const QString &newName)
{
    for (const char *suffix : kNotificationSuffixes) {
        const QString from = notificationProperty(oldName, suffix);
        const auto found = m_current.constFind(from);
        if (found == m_current.cend())
            continue;
        const QString value = *found;
        m_current.remove(from);
        m_added.remove(from);
        if (!newName.isEmpty()) {
            const QString to = notificationProperty(newName, suffix);
            m_current.insert(to, value);
            m_added.insert(to);
        }
    }
}

bool CUserAgent::SetSecurityCode(const QString &code, CServerCommandChannel &channel)
{
    const QString reply =
        channel.Execute(QStringLiteral("SetUASAC %1 %2 %3")
                            .arg(QString::number(m_number), QString::number(m_changeStamp), NameWord(code)),
                        true, 1);
    if (IsErrorReply(reply)) {
        AfxMessageBox(AdminString(IDS_CHANGE_REFUSED).arg(reply), MB_ICONERROR);
        return false;
    }
    TakeChangeStamp(reply);
    return true;
}

bool CUserAgent::SetParent(qint32 parent, CServerCommandChannel &channel)
{
    const QString reply = channel.Execute(
        QStringLiteral("SetUAParent %1 %2 %3")
            .arg(QString::number(m_number), QString::number(m_changeStamp), QString::number(parent)),
        true, 1);
    if (IsErrorReply(reply)) {
        AfxMessageBox(AdminString(IDS_COS_CHANGE_REFUSED).arg(QString::number(parent), reply), MB_ICONERROR);
        return false;
    }
    TakeChangeStamp(reply);
    m_parent = parent;
    return true;
}

QString CUserAgent::LockName(const QString &name)
{
    static const QString prefix = AdminString(IDS_LOCK_PREFIX);
    return prefix + name;
}

QString CUserAgent::NameWord(const QString &name)
{
    return TclBareWord(name);
}

void CUserAgent::TakeChangeStamp(const QString &reply)
{
    if (const std::optional<qint32> stamp = ParseUANumber(reply))
        m_changeStamp = *stamp;
}

void CUserAgent::ShowCantParse(const QString &reply) const
{
    AfxMessageBox(QStringLiteral("Can't parse %1").arg(reply));
}
