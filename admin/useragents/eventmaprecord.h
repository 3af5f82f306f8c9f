// One call event of a mailbox (no answer, busy, a menu digit) as the editor
// shows it: the record the box's own scenario holds for the event, if any,
// and the one the nearest ancestor holds, which applies while the box has
// none. CScenarioUserAgent keeps fifteen of these, one per event it shows.
#pragma once

#include <QString>

// What one event-map record says: the application and its parameter.
struct EventMapValues {
    bool dollar = false; // the application text begins with "$"
    bool present = false;
    QString app;
    QString param;
};

class CEventMapRecord {
public:
    CEventMapRecord(const char *eventName, int eventId) : m_eventName(eventName), m_eventId(eventId) {}

    const char *EventName() const { return m_eventName; }
    int EventId() const { return m_eventId; }
    // Clears both maps, the own-scenario flag and the record number.
    void Empty();

    // The server's number of the record last read for this event ("evMapId").
    QString recordNumber;
    // The box's own scenario has a record for this event.
    bool ownScenario = false;
    EventMapValues ownMap;
    EventMapValues inheritedMap;

private:
    const char *m_eventName;
    int m_eventId;
};
