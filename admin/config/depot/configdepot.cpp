// The configuration depot; see configdepot.h.
//
// Every command is sent with the session's reply check, which strips the
// command's word that the server puts in front of its answer ("set 101 Day"
// arrives as "101 Day"), so the texts kept are the variables' values alone.
//
// A value is what the server said the variable holds; the server's error for
// a variable that does not exist makes it read as empty; any other error, or
// a reply that cannot be read, leaves the variable unread, and Save never
// writes an unread variable, so what was never seen is never overwritten.
//
// A command that got no answer at all (the link ended, the wait ran out or
// was cancelled) is another matter: the server said nothing, so a load stops
// there instead of showing a configuration it did not read, and a write-back
// stops there and says that what the command carried may or may not be
// stored.
#include "admin/config/depot/configdepot.h"

#include "admin/res/adminstrings.h"
#include "admin/session/replytarget.h"
#include "admin/session/servercommandchannel.h"
#include "admin/session/tcllist.h"
#include "admin/session/tclword.h"
#include "admin/session/unansweredreply.h"
#include "admin/session/zltexception.h"
#include "platform/msgbox/msgbox.h"

#include <QDateTime>

const std::array<const char *, kGroupVariableCount + 1> kGroupVariableNames = {
    "",
    "pbx_switch_type",
    "pbx_integration_type",
    "pbx_dti_protocol",
    "pbx_support_transfer",
    "pbx_integration_timeout",
    "pbx_integration_patterns",
    "pbx_smdi_integration_patterns",
    "pbx_smdi_port",
    "pbx_smdi_length",
    "pbx_dl_dtwait",
    "pbx_dl_ndtret",
    "pbx_dl_rnaret",
    "pbx_dl_bsyret",
    "pbx_dl_hupret",
    "pbx_dl_connect",
    "pbx_nodialtone",
    "pbx_tmo_dtwait",
    "pbx_flash_delay",
    "pbx_answer_digit",
    "pbx_disconnect_digit",
    "pbx_dl_suffix",
    "pbx_dl_prefix",
    "pbx_dl_init",
    "pbx_dl_stop",
    "pbx_dl_pickup",
    "pbx_glitch",
    "pbx_spike",
    "pbx_dl_lampon",
    "pbx_dl_lampoff",
    "pbx_dl_trunk_prefix",
    "pbx_flashtm",
    "pbx_ip_address",
    "pbx_snmp_community",
};

const std::array<const char *, 7> kPageListNames = {
    "answer_method_list",  "jobq",     "statistical_groups",    "serialports",
    "ivr_hostte_emulator", "holidays", "Scheduled_Action_list",
};
const char kLinePrefix[] = "Line";
const char kPbxList[] = "pbx_list";

namespace {

constexpr char kSetListFormat[] = "set _plist %1\r\nset _vlist \"\"\r\n";
constexpr char kWhileLoop[] = "set i 0\r\n"
                              "while {[catch {set [lindex $_plist $i]} _tempv] == 0} {\r\n"
                              "lappend _vlist $_tempv\r\n"
                              "incr i 1\r\n"
                              "}\r\n";
constexpr char kForeachLoop[] = "foreach i $_plist {\r\n"
                                "catch {set $i} _tempv\r\n"
                                "lappend _vlist $_tempv\r\n"
                                "}\r\n";
constexpr char kReturnList[] = "set _vlist\r\n";
// Every integration group's variables in one exchange: the server lists the
// name and value of each variable of a group that exists, so the reply and
// the server's work follow what the server holds, not how many groups the
// list names (a missing variable reads as empty).
constexpr char kGroupVariablesBatch[] = "set _vlist \"\"\r\n"
                                        "foreach i [info vars *_pbx_*] {\r\n"
                                        "if {[catch {set $i} _tempv] == 0} {\r\n"
                                        "lappend _vlist $i $_tempv\r\n"
                                        "}\r\n"
                                        "}\r\n"
                                        "set _vlist\r\n";
// Every job's next run in one exchange, each as "NextScheduledTcl ID" would
// answer it.
constexpr char kNextRunCommand[] = "NextScheduledTcl";
constexpr char kNextRunsLoop[] = "foreach i $_plist {\r\n"
                                 "catch {NextScheduledTcl $i} _tempv\r\n"
                                 "lappend _vlist $_tempv\r\n"
                                 "}\r\n";
constexpr char kPromptFiles[] = "sys_prompt_files";
constexpr char kLanguageTable[] = "sys_language_table";
constexpr char kDefaultJobDays[] = "0101010101010101";
constexpr char kNoJobScheduled[] = "No job scheduled";
constexpr char kCosProperty[] = "COS";

// "{a b c}": the names as one Tcl list word; plain names go bare, as the
// server has always seen them.
QString nameList(const QStringList &names)
{
    QStringList words;
    words.reserve(names.size());
    for (const QString &name : names)
        words.append(TclBareWord(name));
    return u'{' + words.join(u' ') + u'}';
}

// The leading digits of an element as a number; anything else reads as 0.
qint64 leadingNumber(QStringView text)
{
    qint64 value = 0;
    for (QChar c : text) {
        if (!c.isDigit() || value > (INT64_MAX - 9) / 10)
            break;
        value = value * 10 + c.digitValue();
    }
    return value;
}

// A command of a load or a write-back that got no answer; what it carried
// may or may not have reached the server.
class NoAnswer : public CZltException {
public:
    NoAnswer(const QString &reason, const QStringList &carried) : CZltException(reason), m_carried(carried) {}
    const QStringList &Carried() const { return m_carried; }

private:
    QStringList m_carried;
};

QString unansweredSaveMessage(const NoAnswer &failure)
{
    return QStringLiteral("%1\nIt is not known whether these were stored: %2.\nNothing after them was sent.")
        .arg(failure.text(), failure.Carried().join(QStringLiteral(", ")));
}

QString configurationError(const QString &what)
{
    return QStringLiteral("Server reported error while updating configuration '%1'.").arg(what);
}

QString namesOrNone(const QStringList &names)
{
    return names.isEmpty() ? QStringLiteral("none") : names.join(QStringLiteral(", "));
}

// Beside the server's refusal, what of the batch it holds now: the
// administrator decides knowing which changes took effect.
QString batchRefusalMessage(const QString &reply, const QStringList &stored, const QStringList &refused)
{
    return configurationError(reply) +
           QStringLiteral("\n\nNot stored: %1.\nStored: %2.\n\nWhat was not stored stays in the window: "
                          "correct it or write it again.")
               .arg(namesOrNone(refused), namesOrNone(stored));
}

QString removalRefusalMessage(const QStringList &refused)
{
    return configurationError(refused.join(u' ')) +
           QStringLiteral("\n\nThese variables of deleted Telephone System Integration Groups were not "
                          "removed: %1.\nThe next update removes them again.")
               .arg(refused.join(QStringLiteral(", ")));
}

} // namespace

CConfigDepot::CConfigDepot() = default;

void CConfigDepot::SetApplicationLists(const QStringList &t1Protocols, const QString &cosTypeValue)
{
    m_t1ProtocolNames = t1Protocols;
    m_cosTypeValue = cosTypeValue;
}

QString CConfigDepot::LineName(int port)
{
    return QString::fromLatin1(kLinePrefix) + QString::number(port);
}

QString CConfigDepot::GroupVariableName(const QString &group, int index)
{
    return group + u'_' + QLatin1String(kGroupVariableNames[size_t(index)]);
}

bool CConfigDepot::IsMissingVariableError(const QString &text, const QString &name)
{
    const QString error = QStringLiteral("can't read \"%1\": no such variable").arg(name);
    return text == error || (IsErrorReply(text) && text.endsWith(u' ' + error));
}

QString CConfigDepot::execute(const QString &command)
{
    return m_channel->Execute(command, true, 1);
}

QString CConfigDepot::executeAnswered(const QString &command, const QStringList &carried)
{
    CPendingCommand pending = m_channel->BeginCommand(command, true, 1);
    QString reply;
    try {
        reply = m_channel->WaitReply(pending);
    } catch (const CZltException &failure) {
        throw NoAnswer(QStringLiteral("The wait for an answer ended: %1").arg(failure.text()), carried);
    }
    if (const QString reason = UnansweredReply::ReasonOf(reply); !reason.isEmpty())
        throw NoAnswer(reason, carried);
    return reply;
}

// The commands of one step, each waiting for its reply before the next goes:
// sent back to back without waiting, small frames meet the link's delayed
// acknowledgements and every step waits tens of milliseconds instead.
QStringList CConfigDepot::executeAllAnswered(const QStringList &commands, const QStringList &carried)
{
    QStringList replies;
    replies.reserve(commands.size());
    for (qsizetype i = 0; i < commands.size(); ++i)
        replies.append(executeAnswered(commands[i], {carried[i]}));
    return replies;
}

void CConfigDepot::noteUnread(const QString &name)
{
    // Held as empty, as the page shows it; a change is then noticed and
    // reported instead of written.
    m_read.insert(name, QString());
    m_unread.insert(name);
}

// --- loading -------------------------------------------------------------------

void CConfigDepot::Load(const LoadProgress &progress)
{
    m_read.clear();
    m_unread.clear();
    m_groupsRead.clear();
    const auto step = [&progress](const char *what) {
        if (progress)
            progress(QLatin1String(what));
    };
    try {
        step("voice ports");
        takeVoicePortLines(executeAnswered(voicePortBatch()));
        step("telephone system integration");
        loadGroups(takeGroupList(executeAnswered(fetchText(QLatin1String(kPbxList)))));
        step("answer methods, port groups, serial ports, IVR hosts, holidays and scheduled actions");
        takePageLists(executeAnswered(pageListBatch()));
        step("scheduled actions");
        loadJobs();
        m_t1Protocols = m_t1ProtocolNames.join(u'\t');
        step("serial ports");
        takeSerialPorts(executeAnswered(QStringLiteral("get_serial_ports")));
        step("languages");
        m_promptFiles.clear();
        takeVariable(QLatin1String(kPromptFiles), executeAnswered(fetchText(QLatin1String(kPromptFiles))),
                     m_promptFiles);
        m_languageTable.clear();
        takeVariable(QLatin1String(kLanguageTable), executeAnswered(fetchText(QLatin1String(kLanguageTable))),
                     m_languageTable);
    } catch (const NoAnswer &failure) {
        throw CZltException(
            QStringLiteral("The configuration could not be read from the server.\n%1").arg(failure.text()));
    }
}

QString CConfigDepot::fetchText(const QString &name)
{
    return QStringLiteral("set %1\r\n").arg(TclBareWord(name));
}

bool CConfigDepot::FetchVariable(const QString &name, QString &value)
{
    return takeVariable(name, execute(fetchText(name)), value);
}

bool CConfigDepot::takeVariable(const QString &name, const QString &reply, QString &value)
{
    if (IsMissingVariableError(reply, name)) {
        noteRead(name, QString());
        return false;
    }
    if (IsErrorReply(reply)) {
        noteUnread(name);
        return false;
    }
    noteRead(name, reply);
    value = reply;
    return true;
}

QString CConfigDepot::voicePortBatch()
{
    QStringList names;
    for (int n = 1; n <= kVoicePortLines; ++n)
        names.append(LineName(n));
    return QString::fromLatin1(kSetListFormat).arg(nameList(names)) + QLatin1String(kWhileLoop) +
           QLatin1String(kReturnList);
}

QString CConfigDepot::FetchVoicePortLines()
{
    return execute(voicePortBatch());
}

QString CConfigDepot::readBatch(const QStringList &names)
{
    return QString::fromLatin1(kSetListFormat).arg(nameList(names)) + QLatin1String(kForeachLoop) +
           QLatin1String(kReturnList);
}

QString CConfigDepot::groupBatch(const QString &group)
{
    QStringList names;
    for (int k = 1; k <= kGroupVariableCount; ++k)
        names.append(GroupVariableName(group, k));
    return readBatch(names);
}

QString CConfigDepot::pageListBatch()
{
    QStringList names;
    for (const char *name : kPageListNames)
        names.append(QLatin1String(name));
    return readBatch(names);
}

void CConfigDepot::FetchGroupVariables(const QString &group, QString &reply)
{
    reply = execute(groupBatch(group));
}

void CConfigDepot::takeVoicePortLines(const QString &reply)
{
    m_voicePortLines.clear();
    m_voicePortCount = 0;
    if (IsErrorReply(reply)) {
        for (int n = 1; n <= kVoicePortLines; ++n)
            noteUnread(LineName(n));
        return;
    }
    CTclList().SplitList(reply, m_voicePortLines);
    if (m_voicePortLines.size() > kVoicePortLines)
        m_voicePortLines.resize(kVoicePortLines);
    m_voicePortCount = int(m_voicePortLines.size());
    for (int n = 1; n <= m_voicePortCount; ++n)
        noteRead(LineName(n), m_voicePortLines[n - 1]);
}

QStringList CConfigDepot::takeGroupList(const QString &reply)
{
    m_groupCount = 0;
    m_groups.clear();
    m_groupList.clear();
    m_deletedGroups.clear();
    QStringList names;
    if (takeVariable(QLatin1String(kPbxList), reply, m_groupList))
        CTclList().SplitList(m_groupList, names);
    m_groupCount = int(names.size());
    return names;
}

void CConfigDepot::loadGroups(const QStringList &groups)
{
    if (groups.isEmpty())
        return;
    const QString reply = executeAnswered(QLatin1String(kGroupVariablesBatch));
    QHash<QString, QString> values;
    // A reply that cannot be read leaves every group unread.
    const bool read = !IsErrorReply(reply) && CTclList().SplitPairs(reply, values);
    QMultiHash<QString, qsizetype> places;
    m_groups.reserve(groups.size());
    for (qsizetype i = 0; i < groups.size(); ++i) {
        ConfigGroupRecord record;
        record[0] = groups[i];
        m_groups.append(record);
        m_groupsRead.insert(groups[i], read);
        places.insert(groups[i], i);
    }
    for (auto value = values.cbegin(); value != values.cend(); ++value)
        takeGroupVariable(places, value.key(), value.value());
}

void CConfigDepot::takeGroupVariable(const QMultiHash<QString, qsizetype> &places, const QString &name,
                                     const QString &value)
{
    // NAME is GROUP_VARIABLE; no variable's name ends in another's after a
    // "_", so each name belongs to one variable of a group.
    for (int k = 1; k <= kGroupVariableCount; ++k) {
        const QLatin1String variable(kGroupVariableNames[size_t(k)]);
        if (!name.endsWith(variable) || name.size() <= variable.size() ||
            name[name.size() - variable.size() - 1] != u'_')
            continue;
        const QList<qsizetype> records = places.values(name.first(name.size() - variable.size() - 1));
        for (qsizetype record : records)
            m_groups[record][size_t(k)] = value;
        if (!records.isEmpty() && !value.isEmpty())
            noteRead(name, value);
        return;
    }
}

QString *CConfigDepot::pageListField(int index)
{
    QString *fields[] = {&m_answerMethods,        &m_notificationGroups, &m_statisticalGroups,
                         &m_serialPortAssignment, &m_ivrHosts,           &m_holidays,
                         &m_scheduledActions};
    return fields[index];
}

void CConfigDepot::takePageLists(const QString &reply)
{
    QStringList values;
    if (!IsErrorReply(reply))
        CTclList().SplitList(reply, values);
    for (int i = 0; i < int(kPageListNames.size()); ++i) {
        const QString name = QLatin1String(kPageListNames[size_t(i)]);
        QString &field = *pageListField(i);
        field.clear();
        if (i >= values.size())
            noteUnread(name);
        else if (IsMissingVariableError(values[i], name))
            noteRead(name, QString());
        else {
            field = values[i];
            noteRead(name, field);
        }
    }
}

QList<int> CConfigDepot::takeJobs()
{
    m_jobs.clear();
    QStringList entries;
    CTclList().SplitList(m_scheduledActions, entries);
    m_jobCount = int(entries.size());
    if (entries.isEmpty()) {
        CConfigJob job;
        job.schedule =
            QLatin1String(kDefaultJobDays) + QString::number(QDateTime::currentSecsSinceEpoch(), 16);
        job.nextRun = QLatin1String(kNoJobScheduled);
        m_jobs.append(job);
        m_jobCount = 1;
        return {};
    }
    QList<int> scheduled;
    for (const QString &entry : std::as_const(entries)) {
        QStringList fields;
        CTclList().SplitList(entry, fields);
        CConfigJob job;
        if (fields.size() > 2) {
            job.id = fields[0];
            job.action = fields[1];
            job.schedule = fields[2];
            scheduled.append(int(m_jobs.size()));
        }
        m_jobs.append(job);
    }
    return scheduled;
}

QString CConfigDepot::nextScheduledText(const QString &id)
{
    return QStringLiteral("NextScheduledTcl ") + TclBareWord(id);
}

QString CConfigDepot::nextRunsBatch(const QStringList &ids)
{
    return QString::fromLatin1(kSetListFormat).arg(nameList(ids)) + QLatin1String(kNextRunsLoop) +
           QLatin1String(kReturnList);
}

void CConfigDepot::loadJobs()
{
    const QList<int> scheduled = takeJobs();
    if (scheduled.isEmpty())
        return;
    QStringList ids;
    for (int job : scheduled)
        ids.append(m_jobs[job].id);
    const QString reply = executeAnswered(nextRunsBatch(ids));
    QStringList runs;
    if (!IsErrorReply(reply))
        CTclList().SplitList(reply, runs);
    const QByteArray word(kNextRunCommand);
    for (qsizetype i = 0; i < scheduled.size(); ++i) {
        QString &nextRun = m_jobs[scheduled[i]].nextRun;
        if (IsErrorReply(reply))
            nextRun = reply;
        else if (i < runs.size())
            nextRun = QString::fromUtf8(CReplyTarget::ReplyResult(word, runs[i].toUtf8()));
    }
}

void CConfigDepot::ReloadJobs()
{
    m_scheduledActions.clear();
    const QString name = QLatin1String(kPageListNames.back());
    try {
        takeVariable(name, executeAnswered(fetchText(name)), m_scheduledActions);
        loadJobs();
    } catch (const NoAnswer &failure) {
        throw CZltException(QStringLiteral("The scheduled actions could not be read from the server.\n%1")
                                .arg(failure.text()));
    }
}

void CConfigDepot::GetNextScheduledJob(QString &text, const QString &id)
{
    text = execute(nextScheduledText(id));
}

void CConfigDepot::takeSerialPorts(const QString &reply)
{
    if (IsErrorReply(reply))
        return;
    QStringList names;
    CTclList().SplitList(reply, names);
    m_serialPortCount = int(names.size());
    m_serialPortNames.append(names);
}

void CConfigDepot::ReloadCosAndUaLists()
{
    m_cosList.clear();
    QStringList replies;
    try {
        replies = executeAllAnswered(
            {AdminString(IDS_GET_UA_LIST_OWN_COS).arg(QLatin1String(kCosProperty), TclWord(m_cosTypeValue)),
             QStringLiteral("GetUAList -sort\r\n")},
            {QString(), QString()});
    } catch (const NoAnswer &failure) {
        throw CZltException(
            QStringLiteral("The classes of service and user agents could not be read from the server.\n%1")
                .arg(failure.text()));
    }
    const QString &cos = replies[0];
    if (IsErrorReply(cos)) {
        AfxMessageBox(QStringLiteral("Server reported error while updating COS list '%1'.").arg(cos), MB_OK);
    } else {
        m_cosList = cos;
    }

    QString agents = replies[1];
    if (IsErrorReply(agents)) {
        AfxMessageBox(
            QStringLiteral("Server reported error while updating user agent list '%1'.").arg(agents), MB_OK);
        agents.clear();
    }
    m_uaRanges.clear();
    const CTclElements numbers = CTclList().Split(agents.toUtf8());
    bool open = false;
    QPair<qint64, qint64> run;
    for (qsizetype i = 0; i < numbers.size(); ++i) {
        const qint64 number = leadingNumber(numbers.text(i));
        if (open && number == run.second + 1) {
            run.second = number;
            continue;
        }
        if (open)
            m_uaRanges.append(run);
        run = {number, number};
        open = true;
    }
    if (open)
        m_uaRanges.append(run);
}

// --- writing back --------------------------------------------------------------

QString CConfigDepot::FormatCheckedSet(const QString &name, const QString &value)
{
    const QString word = TclBareWord(name);
    return QStringLiteral("if {[catch {ConfigSetString %1 %2 1}]} {\r\nlappend _rlist %1\r\n}\r\n")
        .arg(word, TclWord(value));
}

QString CConfigDepot::setText(const QString &name, const QString &value)
{
    return QStringLiteral("ConfigSetString %1 %2 1\r\n").arg(TclBareWord(name), TclWord(value));
}

QString CConfigDepot::removeText(const QString &name)
{
    return QStringLiteral("ConfigRemoveVar %1 1\r\n").arg(TclBareWord(name));
}

bool CConfigDepot::SetVariable(const QString &name, const QString &value)
{
    return !IsErrorReply(execute(setText(name, value)));
}

bool CConfigDepot::RemoveVariable(const QString &name)
{
    return !IsErrorReply(execute(removeText(name)));
}

std::optional<QString> CConfigDepot::readValue(const QString &name, const QString *group) const
{
    if (const auto read = m_read.constFind(name); read != m_read.cend())
        return *read;
    if (group && m_groupsRead.contains(*group))
        return QString();
    return std::nullopt;
}

bool CConfigDepot::isUnread(const QString &name, const QString *group) const
{
    return m_unread.contains(name) || (group && !m_groupsRead.value(*group, true));
}

bool CConfigDepot::differs(const QString &name, const QString &value, const QString *group) const
{
    const std::optional<QString> read = readValue(name, group);
    return !read || *read != value;
}

void CConfigDepot::appendChanged(QString &batch, QStringList &sent, QStringList &unread, const QString &name,
                                 const QString &value, const QString *group) const
{
    if (!differs(name, value, group))
        return;
    if (isUnread(name, group)) {
        unread.append(name);
        return;
    }
    batch += FormatCheckedSet(name, value);
    sent.append(name);
}

CConfigDepot::SaveResult CConfigDepot::Save()
{
    SaveResult result;
    QString batch = QStringLiteral("set _rlist \"\"\r\n");
    QStringList sent;
    QHash<QString, QString> values;
    auto add = [&](const QString &name, const QString &value, const QString *group = nullptr) {
        appendChanged(batch, sent, result.unread, name, value, group);
        values.insert(name, value);
    };
    for (int n = 1; n <= m_voicePortCount && n <= m_voicePortLines.size(); ++n)
        add(LineName(n), m_voicePortLines[n - 1]);
    for (const ConfigGroupRecord &record : std::as_const(m_groups))
        for (int k = 1; k <= kGroupVariableCount; ++k)
            add(GroupVariableName(record[0], k), record[size_t(k)], &record[0]);
    add(QLatin1String(kPbxList), m_groupList);
    for (int i = 0; i + 1 < int(kPageListNames.size()); ++i)
        add(QLatin1String(kPageListNames[size_t(i)]), *pageListField(i));

    try {
        if (!sent.isEmpty())
            sendBatch(batch, sent, values, result);
        removeDeletedGroups(result);
        saveJobs(result);
        saveLanguages(result);
    } catch (const NoAnswer &failure) {
        result.unknown = failure.Carried();
        AfxMessageBox(unansweredSaveMessage(failure), MB_OK);
    }
    if (!result.unread.isEmpty())
        AfxMessageBox(QStringLiteral("These configuration variables could not be read from the server, so "
                                     "your changes to them were not written: %1.")
                          .arg(result.unread.join(QStringLiteral(", "))),
                      MB_OK);
    return result;
}

void CConfigDepot::sendBatch(const QString &batch, const QStringList &sent,
                             const QHash<QString, QString> &values, SaveResult &result)
{
    const QString reply = executeAnswered(batch + QStringLiteral("set _rlist\r\n"), sent);
    QStringList refused = sent;
    if (!IsErrorReply(reply))
        CTclList().SplitList(reply, refused);
    for (const QString &name : sent) {
        if (refused.contains(name))
            continue;
        m_read.insert(name, values.value(name));
        result.stored.append(name);
    }
    if (!refused.isEmpty())
        AfxMessageBox(batchRefusalMessage(reply, result.stored, refused), MB_OK);
    result.refused = refused;
}

QStringList CConfigDepot::groupsToRemove()
{
    // A group goes once the list the server holds no longer names it, so
    // that list never names a group whose variables are gone.
    QStringList listed;
    CTclList().SplitList(m_read.value(QLatin1String(kPbxList)), listed);
    QStringList removing;
    QStringList waiting;
    for (const QString &group : std::as_const(m_deletedGroups)) {
        // A group added again under the same name keeps its variables.
        const bool readded = std::any_of(m_groups.cbegin(), m_groups.cend(),
                                         [&](const ConfigGroupRecord &record) { return record[0] == group; });
        if (readded)
            continue;
        (listed.contains(group) ? waiting : removing).append(group);
    }
    m_deletedGroups = waiting;
    return removing;
}

void CConfigDepot::removeDeletedGroups(SaveResult &result)
{
    const QStringList groups = groupsToRemove();
    QStringList names;
    QStringList commands;
    for (const QString &group : groups) {
        for (int k = 1; k <= kGroupVariableCount; ++k) {
            names.append(GroupVariableName(group, k));
            commands.append(removeText(names.last()));
        }
    }
    QStringList replies;
    try {
        replies = executeAllAnswered(commands, names);
    } catch (const NoAnswer &) {
        // Whatever of them the server removed, removing again does no harm.
        m_deletedGroups.append(groups);
        throw;
    }
    QStringList refused;
    for (int g = 0; g < groups.size(); ++g) {
        bool removed = true;
        for (int k = 0; k < kGroupVariableCount; ++k) {
            const int i = g * kGroupVariableCount + k;
            // Gone from the server: a group added again writes all of it.
            if (!IsErrorReply(replies[i])) {
                m_read.remove(names[i]);
                m_groupsRead.remove(groups[g]);
            } else {
                refused.append(names[i]);
                removed = false;
            }
        }
        // Removed again by the next Save.
        if (!removed)
            m_deletedGroups.append(groups[g]);
    }
    if (!refused.isEmpty()) {
        AfxMessageBox(removalRefusalMessage(refused), MB_OK);
        result.refused.append(refused);
    }
}

void CConfigDepot::saveJobs(SaveResult &result)
{
    // Removals first, all together; then the jobs to schedule again, all
    // together, leaving out each job whose removal failed: scheduling it
    // again would run it twice.
    QList<int> removing;
    QStringList commands;
    QStringList carried;
    for (int j = 0; j < m_jobs.size(); ++j) {
        if (m_jobs[j].state != CConfigJob::Unchanged && !m_jobs[j].id.isEmpty()) {
            removing.append(j);
            commands.append(QStringLiteral("RemoveScheduledTcl ") + TclBareWord(m_jobs[j].id));
            carried.append(m_jobs[j].id);
        }
    }
    const QStringList removals = executeAllAnswered(commands, carried);
    QSet<int> failed;
    for (int i = 0; i < removing.size(); ++i) {
        if (removals[i].isEmpty())
            continue;
        AfxMessageBox(configurationError(removals[i]), MB_OK);
        result.refused.append(m_jobs[removing[i]].id);
        failed.insert(removing[i]);
    }

    QList<int> scheduling;
    commands.clear();
    carried.clear();
    for (int j = 0; j < m_jobs.size(); ++j) {
        const CConfigJob &job = m_jobs[j];
        if (job.state == CConfigJob::Changed && !job.action.isEmpty() && !failed.contains(j)) {
            scheduling.append(j);
            commands.append(
                QStringLiteral("ScheduleTcl %1 %2").arg(TclBareWord(job.schedule), TclWord(job.action)));
            carried.append(job.action);
        }
    }
    const QStringList schedules = executeAllAnswered(commands, carried);
    for (int i = 0; i < scheduling.size(); ++i) {
        CConfigJob &job = m_jobs[scheduling[i]];
        if (IsErrorReply(schedules[i])) {
            AfxMessageBox(QStringLiteral("ScheduleTcl failed  '%1'.").arg(schedules[i]), MB_OK);
            result.refused.append(job.action);
            continue;
        }
        QStringList fields;
        CTclList().SplitList(schedules[i], fields);
        job.id = fields.value(0);
    }
}

void CConfigDepot::saveLanguages(SaveResult &result)
{
    QStringList names;
    QStringList values;
    auto add = [&](const QString &name, const QString &value) {
        if (!differs(name, value))
            return;
        if (m_unread.contains(name)) {
            result.unread.append(name);
            return;
        }
        names.append(name);
        values.append(value);
    };
    add(QLatin1String(kPromptFiles), m_promptFiles);
    add(QLatin1String(kLanguageTable), m_languageTable);
    if (names.contains(QLatin1String(kLanguageTable))) {
        QStringList entries;
        CTclList().SplitList(m_languageTable, entries);
        QStringList ids;
        for (const QString &entry : std::as_const(entries)) {
            QStringList fields;
            CTclList().SplitList(entry, fields);
            if (fields.size() > 1 && !ids.contains(fields[1]))
                ids.append(fields[1]);
        }
        names.append(QStringLiteral("sys_multiple_language"));
        values.append(ids.size() < 2 ? QStringLiteral("0") : QStringLiteral("1"));
    }
    QStringList commands;
    for (int i = 0; i < names.size(); ++i)
        commands.append(setText(names[i], values[i]));
    const QStringList replies = executeAllAnswered(commands, names);
    QStringList refused;
    for (int i = 0; i < names.size(); ++i) {
        if (IsErrorReply(replies[i]))
            refused.append(names[i]);
        else
            m_read.insert(names[i], values[i]);
    }
    if (!refused.isEmpty()) {
        AfxMessageBox(configurationError(refused.join(u' ')), MB_OK);
        result.refused.append(refused);
    }
}
