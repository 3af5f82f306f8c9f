// The record of a mailbox together with its call handling. On the server a
// box's call handling is a scenario: numbered event-map records, one per call
// event, each naming an application and its parameter; a box without its own
// record for an event uses the nearest ancestor's. This record reads the
// fifteen events the mailbox editor shows, presents each to the pages as two
// ordinary properties ("_EMR_" + event + "_A" for the application, "_V" for
// its parameter), and writes changes back as scenario commands before the
// plain property update. It also carries the notifications page's pending
// lists: event-map records to create and to delete, properties to delete.
#pragma once

#include "admin/useragents/eventmaprecord.h"
#include "admin/useragents/useragent.h"

#include <QList>
#include <QStringList>

#include <array>

class CScenarioUserAgent : public CUserAgent {
public:
    static constexpr int kEventCount = 15;

    CScenarioUserAgent();
    // The empty record, then Parse.
    CScenarioUserAgent(const QString &reply, const CTclList &splitter, CServerCommandChannel &channel);

    using CUserAgent::Parse;
    // Fills the record and its event maps from a "GetUA" reply, asking the
    // server for the event maps of the box and of each ancestor. On failure
    // the user is told why and the record is left exactly as it was.
    bool Parse(const QString &reply, const CTclList &splitter, CServerCommandChannel &channel);
    // Takes the records of one event-map reply into the fifteen events. A
    // record that is not name/value pairs is shown and ends this reply's
    // records; those before it are kept, and the record's other replies are
    // read as usual.
    void ParseEventMaps(const QString &reply, const CTclList &splitter);
    // For "_EMR_" names the inherited application or parameter, without
    // asking the server; any other name as CUserAgent::Fetch.
    QString Fetch(const QString &name, CServerCommandChannel &channel) override;
    // Gives the box a scenario of its own; false (after telling the user)
    // when the server refused.
    bool CreateScenario(CServerCommandChannel &channel);
    // Writes the event maps and the pending lists, then the properties;
    // returns what CUserAgent::CommitChanges returns.
    virtual int CommitEventMaps(CServerCommandChannel &channel, QString &reply, bool withForce);

    // Pending creation "A!B!TEXT": a notification needing a record for event
    // B with application TEXT.
    void AddToFirstList(const QString &entry);
    // A property to delete.
    void AddToSecondList(const QString &name);
    // A negative number withdraws the pending creation `name` and drops its
    // notification properties; any other number is a record to delete.
    void RemoveFromList(qint32 recordNumber, const QString &name);

    const CEventMapRecord &EventMap(int index) const { return m_eventMaps.at(index); }
    QStringList PendingCreations() const { return m_pendingCreations; }
    QList<qint32> PendingDeletions() const { return m_pendingDeletions; }
    QStringList PropertiesToDelete() const { return m_propertiesToDelete; }

    // The two property names of an event.
    static QString ApplicationName(const CEventMapRecord &record);
    static QString ParameterName(const CEventMapRecord &record);

private:
    bool load(const QString &reply, const CTclList &splitter, CServerCommandChannel &channel);
    void takeEventMaps();
    int commitEvent(CEventMapRecord &record, CServerCommandChannel &channel);
    static void rememberAccepted(CEventMapRecord &record, bool edited, const QString &app, const QString &param,
                                 const QString &answer);
    void commitPendingCreations(CServerCommandChannel &channel);
    void commitPendingDeletions(CServerCommandChannel &channel);
    void commitPropertyDeletions(CServerCommandChannel &channel);
    void commitScenario(CServerCommandChannel &channel);
    CEventMapRecord *eventById(int eventId);

    std::array<CEventMapRecord, kEventCount> m_eventMaps;
    QStringList m_pendingCreations;
    QList<qint32> m_pendingDeletions;
    QStringList m_propertiesToDelete;
};
