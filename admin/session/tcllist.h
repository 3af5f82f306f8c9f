// Server replies are Tcl lists. This splitter turns one into the containers
// the windows read, always with the Tcl library's own list rules, so a value
// that holds blanks or braces arrives exactly as the server quoted it.
// Splitting needs no interpreter and keeps no state: any thread may use one.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include "admin/session/tclelements.h"

// True when the reply is the server's error text (it begins with "!").
bool IsErrorReply(const char *text);
bool IsErrorReply(const QString &text);

class CTclList {
public:
    CTclList() = default;
    virtual ~CTclList() = default;

    // The elements without copying them; for long replies read in one pass.
    // A malformed list gives no elements.
    CTclElements Split(const QByteArray &list) const;

    // Fills `out` with the elements; a malformed list empties it.
    void SplitList(const QString &list, QStringList &out) const;
    // Every element becomes a key; duplicates collapse.
    void SplitListToKeys(const QString &list, QSet<QString> &out) const;
    // Elements taken two by two as name and value (a repeated name keeps its
    // last value). False, with `out` empty, when the count is odd: a
    // malformed reply.
    bool SplitPairs(const QString &list, QHash<QString, QString> &out) const;
};
