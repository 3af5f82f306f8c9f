// The IVR hosts of the server's `ivr_hostte_emulator` as the IVR Hosts page
// edits them: the computers the server's IVR applications reach through a
// terminal session, each with the session file to run and the user id and
// password to log in with. Record n is grid row n; record 0 is blank.
//
// The text is a Tcl list of {host {session-file} user-id password}. It is
// read with the Tcl library's list rules. A list whose hosts are all as
// read goes back as the server sent it, and an unchanged host keeps its
// element; a changed one is written with the session's quoting, trailing
// empty values left out, so any value still arrives as the same string.
#pragma once

#include <QList>
#include <QString>

#include <optional>

struct IvrHostRecord {
    QString host;
    QString sessionFile;
    QString userId;
    QString password;
    // The element the host was read from.
    std::optional<QString> serverEntry = std::nullopt;

    bool operator==(const IvrHostRecord &) const = default;
};

class CIvrHostList {
public:
    CIvrHostList() : m_records(1) {}

    // Replaces the records by those of `text`; a text that is not a Tcl list
    // gives no hosts. Missing values stay empty, further ones are dropped.
    void Parse(const QString &text);
    // The list text of every host with a name and a session file: one
    // without a session file cannot run and is not written, unless the
    // server holds it so and it was not changed.
    QString Format() const;

    int Count() const { return int(m_records.size()) - 1; }
    IvrHostRecord &Record(int n) { return m_records[n]; }
    const IvrHostRecord &Record(int n) const { return m_records[n]; }
    void Append(const IvrHostRecord &record) { m_records.append(record); }
    void Remove(int n) { m_records.removeAt(n); }
    // True when a host other than record `row` has this name.
    bool HasHost(const QString &host, int row) const;
    // True when record n is a host as the server holds it: it goes back as
    // it was read, whatever it lacks.
    bool IsAsRead(int n) const { return isAsRead(m_records[n]); }

private:
    static IvrHostRecord parseEntry(const QString &entry);
    static bool isAsRead(const IvrHostRecord &record);
    static QString formatEntry(const IvrHostRecord &record);

    QList<IvrHostRecord> m_records;
    // The text read and the records it gave.
    QString m_serverText;
    QList<IvrHostRecord> m_serverRecords;
};
