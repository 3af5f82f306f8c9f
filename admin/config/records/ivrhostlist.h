// The IVR hosts of the server's `ivr_hostte_emulator` as the IVR Hosts page
// edits them: the computers the server's IVR applications reach through a
// terminal session, each with the session file to run and the user id and
// password to log in with. Record n is grid row n; record 0 is blank.
//
// The text is a Tcl list of {host {session-file} user-id password}, trailing
// empty values left out. It is read with the Tcl library's list rules and
// written with the session's quoting, so a plain list goes back as the
// server keeps it and any other value still arrives as the same string.
#pragma once

#include <QList>
#include <QString>

struct IvrHostRecord {
    QString host;
    QString sessionFile;
    QString userId;
    QString password;
};

class CIvrHostList {
public:
    CIvrHostList() : m_records(1) {}

    // Replaces the records by those of `text`; a text that is not a Tcl list
    // gives no hosts. Missing values stay empty, further ones are dropped.
    void Parse(const QString &text);
    // The list text of every host with a name and a session file: one
    // without a session file cannot run and is not written.
    QString Format() const;

    int Count() const { return int(m_records.size()) - 1; }
    IvrHostRecord &Record(int n) { return m_records[n]; }
    const IvrHostRecord &Record(int n) const { return m_records[n]; }
    void Append(const IvrHostRecord &record) { m_records.append(record); }
    void Remove(int n) { m_records.removeAt(n); }
    // True when a host other than record `row` has this name.
    bool HasHost(const QString &host, int row) const;

private:
    QList<IvrHostRecord> m_records;
};
