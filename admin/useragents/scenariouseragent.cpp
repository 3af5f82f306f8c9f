// The mailbox record with its event maps; see scenariouseragent.h.
//
// Reading: the box's own event maps and those of every ancestor are asked
// for at once (BeginCommand) while the parent chain is walked with plain
// "GetUA N {}" reads; then the ancestors' answers are taken from the farthest
// to the nearest, so a nearer class of service wins, and the box's own last.
// The walk is bounded and refuses a chain that loops on the server.
//
// Writing: each event the pages changed becomes one scenario command; a
// refused command is reported and the rest still go, so the property update
// at the end always runs. Pending lists are emptied once they were sent, so
// applying again after a refused property update creates nothing twice.
#include "admin/useragents/scenariouseragent.h"

#include "admin/res/adminstrings.h"
#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "platform/msgbox/msgbox.h"

#include <QSet>

namespace {

struct EventEntry {
    const char *name;
    int id;
};

constexpr EventEntry kEvents[CScenarioUserAgent::kEventCount] = {
    {"RNA", 18},  {"DONE", 55},  {"BUSY", 17},  {"FAX", 27},   {"MODEM", 28},
    {"MENU0", 4}, {"MENU1", 5},  {"MENU2", 6},  {"MENU3", 7},  {"MENU4", 8},
    {"MENU5", 9}, {"MENU6", 10}, {"MENU7", 11}, {"MENU8", 12}, {"MENU9", 13},
};

// A chain deeper than this is no class-of-service tree but a server fault.
constexpr int kMaxParentChain = 256;
// The trailing numbers of the record commands, as the server expects them.
constexpr char kEditedFlags[] = "1 1 0 0 0 0 65279";
constexpr char kNotificationFlags[] = "0 1 0 0 0 0 65279";
const QLatin1String kEventPrefix("_EMR_");

template <size_t... I> std::array<CEventMapRecord, sizeof...(I)> makeEventMaps(std::index_sequence<I...>)
{
    return {CEventMapRecord(kEvents[I].name, kEvents[I].id)...};
}

bool isMarker(const QString &value)
{
    return value == QLatin1String(kListedInheritanceMarker) || value == QLatin1String(kNewInheritanceMarker);
}

// The header's second number (the parent) of a "GetUA" reply.
std::optional<qint32> parentOf(const QString &reply, const CTclList &splitter)
{
    QStringList elements;
    splitter.SplitList(reply, elements);
    if (elements.isEmpty())
        return std::nullopt;
    QStringList header;
    splitter.SplitList(elements.first(), header);
    if (header.size() < 2)
        return std::nullopt;
    return ParseUANumber(header[1]);
}

} // namespace

CScenarioUserAgent::CScenarioUserAgent() : m_eventMaps(makeEventMaps(std::make_index_sequence<kEventCount>()))
{
}

CScenarioUserAgent::CScenarioUserAgent(const QString &reply, const CTclList &splitter,
                                       CServerCommandChannel &channel)
    : CScenarioUserAgent()
{
    Parse(reply, splitter, channel);
}

bool CScenarioUserAgent::Parse(const QString &reply, const CTclList &splitter, CServerCommandChannel &channel)
{
    CScenarioUserAgent next;
    if (!next.load(reply, splitter, channel))
        return false;
    *this = std::move(next);
    return true;
}

bool CScenarioUserAgent::load(const QString &reply, const CTclList &splitter, CServerCommandChannel &channel)
{
    QStringList elements;
    if (!IsErrorReply(reply))
        splitter.SplitList(reply, elements);
    if (elements.isEmpty()) {
        AfxMessageBox(AdminString(IDS_SELECTED_MAILBOX_NOT_RETRIEVED).arg(reply));
        return false;
    }
    if (!CUserAgent::Parse(reply, splitter))
        return false;

    CPendingCommand own;
    if (m_scenario != -1)
        own = channel.BeginCommand(QStringLiteral("GetEventMaps4Scenario %1").arg(m_scenario), true, 1);

    std::vector<CPendingCommand> ancestors;
    QSet<qint32> visited;
    for (qint32 parent = m_parent; parent > -1;) {
        if (visited.contains(parent) || visited.size() >= kMaxParentChain) {
            AfxMessageBox(AdminString(IDS_PARENT_NOT_RETRIEVED)
                              .arg(QString::number(parent), QStringLiteral("the parent chain loops")));
            return false;
        }
        visited.insert(parent);
        ancestors.push_back(channel.BeginCommand(AdminString(IDS_GETEVENTMAPS4UA).arg(parent), true, 1));
        const QString parentReply = channel.Execute(QStringLiteral("GetUA %1 {}").arg(parent), true, 1);
        const std::optional<qint32> next =
            IsErrorReply(parentReply) ? std::nullopt : parentOf(parentReply, splitter);
        if (!next) {
            AfxMessageBox(AdminString(IDS_PARENT_NOT_RETRIEVED).arg(QString::number(parent), parentReply));
            return false;
        }
        parent = *next;
    }

    for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it) {
        const QString maps = channel.WaitReply(*it);
        if (IsErrorReply(maps)) {
            AfxMessageBox(AdminString(IDS_EVENT_MAP_NOT_PROCESSED).arg(maps));
            return false;
        }
        ParseEventMaps(maps, splitter);
    }
    if (own.IsValid()) {
        const QString maps = channel.WaitReply(own);
        if (IsErrorReply(maps)) {
            AfxMessageBox(AdminString(IDS_LOCAL_EVENT_MAPS_NOT_PROCESSED).arg(maps));
            return false;
        }
        ParseEventMaps(maps, splitter);
    }
    takeEventMaps();
    return true;
}

// Each event shows its own record, else the inherited one, as two properties.
void CScenarioUserAgent::takeEventMaps()
{
    for (const CEventMapRecord &record : m_eventMaps) {
        const EventMapValues *map = record.ownMap.present         ? &record.ownMap
                                    : record.inheritedMap.present ? &record.inheritedMap
                                                                  : nullptr;
        if (!map)
            continue;
        const QString app = ApplicationName(record);
        const QString param = ParameterName(record);
        m_current.insert(app, map->app);
        m_received.insert(app, map->app);
        m_current.insert(param, map->param);
        m_received.insert(param, map->param);
        if (record.ownScenario) {
            m_listed.insert(app);
            m_listed.insert(param);
        }
    }
}

void CScenarioUserAgent::ParseEventMaps(const QString &reply, const CTclList &splitter)
{
    QStringList elements;
    splitter.SplitList(reply, elements);
    // Element 0 is the scenario the records belong to, not a record.
    for (qsizetype i = 1; i < elements.size(); ++i) {
        QHash<QString, QString> pairs;
        if (!splitter.SplitPairs(elements[i], pairs)) {
            AfxMessageBox(
                QStringLiteral("Could not process event map list '%1'. Expected pairs.").arg(elements[i]));
            return;
        }
        const std::optional<qint32> eventId = ParseUANumber(pairs.value(QStringLiteral("eventId")));
        CEventMapRecord *record = eventId ? eventById(*eventId) : nullptr;
        if (!record)
            continue;
        record->recordNumber = pairs.value(QStringLiteral("evMapId"));
        const std::optional<qint32> scenario = ParseUANumber(pairs.value(QStringLiteral("scenario")));
        EventMapValues *map = &record->inheritedMap;
        if (scenario && *scenario == m_scenario) {
            map = &record->ownMap;
            record->ownScenario = true;
        }
        map->app = pairs.value(QStringLiteral("app"));
        map->dollar = map->app.startsWith(QLatin1Char('$'));
        map->param = pairs.value(QStringLiteral("param"));
        map->present = true;
    }
}

QString CScenarioUserAgent::Fetch(const QString &name, CServerCommandChannel &channel)
{
    if (!name.startsWith(kEventPrefix))
        return CUserAgent::Fetch(name, channel);
    const QStringView event = QStringView(name).mid(kEventPrefix.size());
    for (const CEventMapRecord &record : m_eventMaps) {
        if (!event.startsWith(QLatin1String(record.EventName())))
            continue;
        if (!record.inheritedMap.present)
            return QString();
        return name.endsWith(QLatin1String("_A")) ? record.inheritedMap.app : record.inheritedMap.param;
    }
    return QString();
}

bool CScenarioUserAgent::CreateScenario(CServerCommandChannel &channel)
{
    const QString name = QStringLiteral("MBOX Scenario for %1").arg(m_number);
    const QString created =
        channel.Execute(QStringLiteral("CreateScenario -1 0 %1").arg(TclWord(name)), true, 1);
    const std::optional<qint32> scenario = IsErrorReply(created) ? std::nullopt : ParseUANumber(created);
    if (!scenario) {
        AfxMessageBox(AdminString(IDS_SCENARIO_CREATION_REFUSED).arg(created));
        return false;
    }
    const QString assigned = channel.Execute(
        QStringLiteral("SetUAScenario %1 WITHFORCE %2").arg(m_number).arg(*scenario), true, 1);
    if (IsErrorReply(assigned)) {
        AfxMessageBox(AdminString(IDS_SCENARIO_UPDATE_REFUSED).arg(assigned));
        return false;
    }
    TakeChangeStamp(assigned);
    m_scenario = *scenario;
    return true;
}

int CScenarioUserAgent::CommitEventMaps(CServerCommandChannel &channel, QString &reply, bool withForce)
{
    bool scenarioChanged = false;
    for (CEventMapRecord &record : m_eventMaps)
        scenarioChanged |= commitEvent(record, channel) > 0;

    bool scenarioCommitted = true;
    if (scenarioChanged) {
        const QString committed = channel.Execute(QStringLiteral("CommitScenarioChange"), true, 1);
        if (IsErrorReply(committed)) {
            AfxMessageBox(AdminString(IDS_SCENARIO_COMMIT_REFUSED).arg(committed));
            scenarioCommitted = false;
        }
    }
    if (scenarioCommitted) {
        commitPendingCreations(channel);
        commitPendingDeletions(channel);
        commitPropertyDeletions(channel);
    }
    return CUserAgent::CommitChanges(reply, channel, withForce);
}

// Sends the command one event needs, if any: 1 when the server took it, 0
// when it refused, -1 when nothing was sent. The event's two properties then
// leave the record, so the property update never carries them.
int CScenarioUserAgent::commitEvent(CEventMapRecord &record, CServerCommandChannel &channel)
{
    const QString appName = ApplicationName(record);
    const QString paramName = ParameterName(record);
    bool edited = m_added.contains(appName);
    QString app;
    QString param;
    bool inherit = false;
    if (edited || m_listed.contains(appName)) {
        app = m_current.value(appName);
        param = m_current.value(paramName);
        inherit = app == QLatin1String(kListedInheritanceMarker);
        if (isMarker(app))
            edited = false;
    }

    QString command;
    if (!edited) {
        if (record.ownMap.present && inherit)
            command = QStringLiteral("DeleteEMRecord %1").arg(NameWord(record.recordNumber));
    } else {
        // The server wants a parameter word that is not empty.
        const QString wireParam = param.isEmpty() ? QStringLiteral(" ") : param;
        if (!record.ownMap.present) {
            if (m_scenario != -1 || CreateScenario(channel))
                command = QStringLiteral("CreateEMRecord %1 %2 %3 %4 %5")
                              .arg(QString::number(m_scenario), QString::number(record.EventId()),
                                   TclWord(app), TclWord(wireParam), QLatin1String(kEditedFlags));
        } else if (app != record.ownMap.app || param != record.ownMap.param) {
            // Compared before the blank stands in for an empty parameter, so
            // an untouched event with an empty parameter is not rewritten.
            command = QStringLiteral("UpdateEMRecord %1 %2 %3 %4 %5 %6")
                          .arg(NameWord(record.recordNumber), QString::number(m_scenario),
                               QString::number(record.EventId()), TclWord(app), TclWord(wireParam),
                               QLatin1String(kEditedFlags));
        }
    }

    int result = -1;
    if (!command.isEmpty()) {
        const QString answer = channel.Execute(command, true, 1);
        result = IsErrorReply(answer) ? 0 : 1;
        if (result == 0)
            AfxMessageBox(AdminString(IDS_EVENT_MAP_CHANGE_REFUSED).arg(answer));
        else
            rememberAccepted(record, edited, app, param, answer);
    }
    for (const QString &name : {appName, paramName}) {
        m_current.remove(name);
        m_received.remove(name);
        m_added.remove(name);
    }
    return result;
}

// What the server now holds for the event, so that a save tried again after
// a refused property update neither creates the record a second time nor
// deletes or rewrites it again.
void CScenarioUserAgent::rememberAccepted(CEventMapRecord &record, bool edited, const QString &app,
                                          const QString &param, const QString &answer)
{
    if (!edited) {
        record.ownMap = EventMapValues();
        record.ownScenario = false;
        record.recordNumber.clear();
        return;
    }
    if (!record.ownMap.present) {
        // A created record's number is the reply.
        record.recordNumber = answer.trimmed();
        record.ownScenario = true;
    }
    record.ownMap.present = true;
    record.ownMap.dollar = app.startsWith(QLatin1Char('$'));
    record.ownMap.app = app;
    record.ownMap.param = param;
}

// Each pending notification gets its record; its properties, kept under the
// entry's text until now, move to the new record's number. A refused
// creation drops them, so no property named after the entry reaches the
// server.
void CScenarioUserAgent::commitPendingCreations(CServerCommandChannel &channel)
{
    const QStringList entries = std::exchange(m_pendingCreations, QStringList());
    if (entries.isEmpty())
        return;
    if (m_scenario == -1 && !CreateScenario(channel)) {
        for (const QString &entry : entries)
            RenameNotification(entry, QString());
        return;
    }
    for (const QString &entry : entries) {
        const QStringList parts = entry.split(QLatin1Char('!'));
        const std::optional<qint32> eventId = parts.size() >= 3 ? ParseUANumber(parts[1]) : std::nullopt;
        QString created;
        if (eventId) {
            const QString text = parts.mid(2).join(QLatin1Char('!'));
            created = channel.Execute(QStringLiteral("CreateEMRecord %1 %2 %3 {} %4")
                                          .arg(QString::number(m_scenario), QString::number(*eventId),
                                               TclWord(text), QLatin1String(kNotificationFlags)),
                                      true, 1);
        } else {
            created = QStringLiteral("!ERROR not a notification entry: ") + entry;
        }
        if (IsErrorReply(created) || !ParseUANumber(created)) {
            AfxMessageBox(AdminString(IDS_EVENT_MAP_CHANGE_REFUSED).arg(created));
            RenameNotification(entry, QString());
        } else {
            RenameNotification(entry, created.trimmed());
        }
    }
    commitScenario(channel);
}

void CScenarioUserAgent::commitPendingDeletions(CServerCommandChannel &channel)
{
    const QList<qint32> records = std::exchange(m_pendingDeletions, QList<qint32>());
    if (records.isEmpty())
        return;
    for (const qint32 record : records) {
        const QString answer = channel.Execute(QStringLiteral("DeleteEMRecord %1").arg(record), true, 1);
        if (IsErrorReply(answer))
            AfxMessageBox(AdminString(IDS_EVENT_MAP_DELETION_REFUSED).arg(answer));
    }
    commitScenario(channel);
}

void CScenarioUserAgent::commitPropertyDeletions(CServerCommandChannel &channel)
{
    const QStringList names = std::exchange(m_propertiesToDelete, QStringList());
    if (names.isEmpty())
        return;
    QString command = QStringLiteral("UADeleteProperty %1 WithForce ").arg(m_number);
    for (const QString &name : names)
        command += NameWord(name) + QLatin1Char(' ');
    const QString answer = channel.Execute(command, true, 1);
    if (IsErrorReply(answer))
        AfxMessageBox(QStringLiteral("Unable to delete properties %1").arg(answer));
    else
        TakeChangeStamp(answer);
}

void CScenarioUserAgent::commitScenario(CServerCommandChannel &channel)
{
    const QString committed = channel.Execute(QStringLiteral("CommitScenarioChange"), true, 1);
    if (IsErrorReply(committed))
        AfxMessageBox(AdminString(IDS_SCENARIO_COMMIT_REFUSED).arg(committed));
}

void CScenarioUserAgent::AddToFirstList(const QString &entry)
{
    m_pendingCreations.append(entry);
}

void CScenarioUserAgent::AddToSecondList(const QString &name)
{
    m_propertiesToDelete.append(name);
}

void CScenarioUserAgent::RemoveFromList(qint32 recordNumber, const QString &name)
{
    if (recordNumber >= 0) {
        m_pendingDeletions.append(recordNumber);
        return;
    }
    if (m_pendingCreations.removeOne(name))
        RenameNotification(name, QString());
}

QString CScenarioUserAgent::ApplicationName(const CEventMapRecord &record)
{
    return kEventPrefix + QLatin1String(record.EventName()) + QLatin1String("_A");
}

QString CScenarioUserAgent::ParameterName(const CEventMapRecord &record)
{
    return kEventPrefix + QLatin1String(record.EventName()) + QLatin1String("_V");
}

CEventMapRecord *CScenarioUserAgent::eventById(int eventId)
{
    for (CEventMapRecord &record : m_eventMaps) {
        if (record.EventId() == eventId)
            return &record;
    }
    return nullptr;
}
