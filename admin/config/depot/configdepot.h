// The held copy of the server's configuration variables that the
// configuration window and the wizard edit. Load fills it from the server in
// a handful of Tcl batch scripts; each page parses the texts it owns in its
// load step and writes them back as texts in its save step; Save writes back
// what differs from what was read, in one guarded batch.
//
// Every value is kept as the text the server returned (a Tcl list where the
// variable is a list). The pages reach the fields below directly through the
// pointer the sheet gives them:
//
//   field                      server variable              page
//   m_voicePortLines           Line1 ... Line96             Voice Ports
//   m_groupList, m_groups,     pbx_list, GROUP_pbx_*        Telephone System
//     m_deletedGroups                                         Integration
//   m_answerMethods            answer_method_list           Answer Methods
//   m_notificationGroups       jobq                         Notification Port Groups
//   m_statisticalGroups        statistical_groups           Statistical Port Groups
//   m_serialPortAssignment,    serialports,                 Serial Ports
//     m_serialPortNames          get_serial_ports
//   m_ivrHosts                 ivr_hostte_emulator          IVR Hosts
//   m_holidays                 holidays                     Holidays
//   m_scheduledActions, m_jobs Scheduled_Action_list        Scheduler
//   m_promptFiles,             sys_prompt_files,            Language
//     m_languageTable            sys_language_table
//   m_t1Protocols              (the login's T1 protocols)   integration, read only
//   m_cosList, m_uaRanges      GetUAList4Property, GetUAList  Answer Methods, read only
//
// A page that adds an integration group appends its record (and raises
// m_groupCount); one that deletes a group removes its record and appends the
// name to m_deletedGroups. A page changes only the texts; Save finds what
// changed by comparing them with what Load read.
//
// All operations run on the user-interface thread and block it while they
// wait for each reply. Failures of the channel (a server that never answers,
// a lost link) leave as the channel's CZltException. A load asks for whole
// lists in a few exchanges, however long the lists are, and stops at the
// first command that got no answer; a write-back that got none says that
// what it carried may or may not be stored.
#pragma once

#include "admin/config/depot/configjob.h"

#include <QHash>
#include <QList>
#include <QMultiHash>
#include <QPair>
#include <QSet>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>

class CServerCommandChannel;

// The 33 variables of a telephone-system integration group, each named
// after the group: group name, "_", variable name. Index 0 is empty, so an
// index into the table is also the index into a group record.
constexpr int kGroupVariableCount = 33;
extern const std::array<const char *, kGroupVariableCount + 1> kGroupVariableNames;

// Element 0 the group name, elements 1 to 33 the values of its variables.
using ConfigGroupRecord = std::array<QString, kGroupVariableCount + 1>;

// The page lists read in one batch, in this order.
extern const std::array<const char *, 7> kPageListNames;
extern const char kLinePrefix[]; // "Line"
extern const char kPbxList[];    // "pbx_list"
constexpr int kVoicePortLines = 96;

class CConfigDepot {
public:
    // The outcome of a write-back.
    struct SaveResult {
        // Names the server refused to set or remove, or that could not be
        // written.
        QStringList refused;
        // Names of the batch the server stored: beside a refusal, the part
        // of the changes the server holds now.
        QStringList stored;
        // Changed variables not written because their value could not be
        // read from the server (writing would overwrite what was never seen).
        QStringList unread;
        // What a command carried that got no answer (a lost link, a wait
        // that ran out or was cancelled): the server may or may not hold it.
        // Nothing after that command was sent.
        QStringList unknown;
        bool succeeded() const { return refused.isEmpty() && unread.isEmpty() && unknown.isEmpty(); }
    };
    // Told before each step of a load, with what the step reads.
    using LoadProgress = std::function<void(const QString &step)>;

    CConfigDepot();

    void SetChannel(CServerCommandChannel *channel) { m_channel = channel; }
    CServerCommandChannel *Channel() const { return m_channel; }
    // What the application read at login, given by the depot's owner: the
    // T1 protocol names and the type value of the class-of-service query.
    void SetApplicationLists(const QStringList &t1Protocols, const QString &cosTypeValue);

    // Fills the whole depot from the server. A command that gets no answer
    // stops the load with a CZltException saying so; the depot is then not
    // to be shown or written back.
    void Load(const LoadProgress &progress = {});
    // "set NAME": true with the value, or false when the variable does not
    // exist or could not be read (`value` is then left alone).
    bool FetchVariable(const QString &name, QString &value);
    // The voice-port batch; its reply, the values of Line1 ... up to the
    // first missing one, at most 96.
    QString FetchVoicePortLines();
    void FetchVoicePortLines(QString &reply) { reply = FetchVoicePortLines(); }
    // The batch of one group's 33 variables; each element is the value or
    // the server's error for a missing variable.
    void FetchGroupVariables(const QString &group, QString &reply);
    // "NextScheduledTcl ID": when the job runs next, as the server says it.
    void GetNextScheduledJob(QString &text, const QString &id);
    // The class-of-service list and the ranges of existing user agents.
    // Throws CZltException when a command gets no answer.
    void ReloadCosAndUaLists();
    // The jobs as the server keeps them now: after a write-back, which
    // removes and schedules them one by one, the Scheduler page reads them
    // again (new ids, removed jobs gone). Throws CZltException when a
    // command gets no answer.
    void ReloadJobs();

    // Writes back what the pages changed: the variables whose text differs
    // from what Load read, in one batch; then the removals of deleted
    // groups, the jobs and the languages. The server's refusals are shown in
    // a message box, which says what was stored and what was not, and
    // returned. A deleted group whose removal was refused, or whose removal
    // waits for a list without it, stays in m_deletedGroups for the next
    // Save.
    SaveResult Save();
    // "ConfigSetString NAME VALUE 1"; true unless the server refused.
    bool SetVariable(const QString &name, const QString &value);
    // "ConfigRemoveVar NAME 1"; true unless the server refused.
    bool RemoveVariable(const QString &name);
    // One line of the write-back batch: sets the variable and, when the
    // server refuses, adds its name to the batch's list of refusals. Name
    // and value are quoted as Tcl words, so a value arrives as data.
    static QString FormatCheckedSet(const QString &name, const QString &value);

    // True when the text is the server's error for a variable that does
    // not exist ("can't read "NAME": no such variable"), as a batch element
    // or as the error reply of "set NAME".
    static bool IsMissingVariableError(const QString &text, const QString &name);
    static QString LineName(int port);
    static QString GroupVariableName(const QString &group, int index);

    // The voice-port lines: element n-1 is the text of Line<n>.
    int m_voicePortCount = 0;
    QStringList m_voicePortLines;
    // Integration groups.
    QString m_groupList;
    QStringList m_deletedGroups;
    int m_groupCount = 0;
    QList<ConfigGroupRecord> m_groups;
    // Serial ports.
    int m_serialPortCount = 0;
    QStringList m_serialPortNames;
    QString m_serialPortAssignment;
    // The page lists.
    QString m_answerMethods;
    QString m_notificationGroups;
    QString m_statisticalGroups;
    QString m_ivrHosts;
    QString m_holidays;
    QString m_scheduledActions;
    // Jobs.
    int m_jobCount = 0;
    QList<CConfigJob> m_jobs;
    // Languages.
    QString m_promptFiles;
    QString m_languageTable;
    // Read only: the T1 protocol names, tab-separated (a grid drop-down list).
    QString m_t1Protocols;
    // Read only: the classes of service ("GetUAList4Property") and the runs
    // of consecutive existing user-agent numbers (first, last).
    QString m_cosList;
    QList<QPair<qint64, qint64>> m_uaRanges;

private:
    QString execute(const QString &command);
    // As execute, for loads and write-backs: a command that got no answer
    // throws a CZltException that says why and names what the command
    // carried, which Load and Save turn into their own words.
    QString executeAnswered(const QString &command, const QStringList &carried = {});
    // The replies of the commands, in order; `carried` names what each
    // command carries.
    QStringList executeAllAnswered(const QStringList &commands, const QStringList &carried);

    // The command texts.
    static QString fetchText(const QString &name);
    static QString voicePortBatch();
    static QString readBatch(const QStringList &names);
    static QString groupBatch(const QString &group);
    static QString pageListBatch();
    static QString nextScheduledText(const QString &id);
    // Every job's next run in one exchange.
    static QString nextRunsBatch(const QStringList &ids);
    static QString setText(const QString &name, const QString &value);
    static QString removeText(const QString &name);

    // Load's steps, each taking its reply.
    bool takeVariable(const QString &name, const QString &reply, QString &value);
    void takeVoicePortLines(const QString &reply);
    // The group names; the records are made by the caller.
    QStringList takeGroupList(const QString &reply);
    void loadGroups(const QStringList &groups);
    // One variable the groups batch listed, given to the records of its
    // group (`places`: the records' indexes by group name).
    void takeGroupVariable(const QMultiHash<QString, qsizetype> &places, const QString &name,
                           const QString &value);
    void takePageLists(const QString &reply);
    // The jobs whose next run is to be asked.
    QList<int> takeJobs();
    // The jobs from the scheduled-actions text, with their next runs.
    void loadJobs();
    void takeSerialPorts(const QString &reply);
    QString *pageListField(int index);
    // Read as `value`; a missing variable reads as empty.
    void noteRead(const QString &name, const QString &value) { m_read.insert(name, value); }
    void noteUnread(const QString &name);

    // Save's steps.
    // `group` names the integration group the variable belongs to.
    void appendChanged(QString &batch, QStringList &sent, QStringList &unread, const QString &name,
                       const QString &value, const QString *group = nullptr) const;
    // What Load read, or nothing when the variable was never read.
    std::optional<QString> readValue(const QString &name, const QString *group = nullptr) const;
    bool isUnread(const QString &name, const QString *group = nullptr) const;
    bool differs(const QString &name, const QString &value, const QString *group = nullptr) const;
    // The batch of the changed variables `sent`, with their `values`.
    void sendBatch(const QString &batch, const QStringList &sent, const QHash<QString, QString> &values,
                   SaveResult &result);
    void removeDeletedGroups(SaveResult &result);
    // The deleted groups that the group list the server holds no longer
    // names; the others stay for a later Save.
    QStringList groupsToRemove();
    void saveJobs(SaveResult &result);
    void saveLanguages(SaveResult &result);

    CServerCommandChannel *m_channel = nullptr;
    QStringList m_t1ProtocolNames;
    QString m_cosTypeValue;
    // What Load read, by variable name (a missing variable as empty; a
    // group's missing variables are not held, see m_groupsRead). A
    // variable whose read failed is held as empty and is in m_unread too:
    // it is never written.
    QHash<QString, QString> m_read;
    QSet<QString> m_unread;
    // The integration groups Load read, true when their variables could be
    // read: a variable of theirs that m_read lacks did not exist (read as
    // empty), or, when false, could not be read.
    QHash<QString, bool> m_groupsRead;
};
