// The server's language table (`sys_language_table`) as the Language page
// looks languages up in it: a Tcl list of {name {file id} {file id} ...},
// each language with its id (the second element of its prompt-file pairs).
// Entries with fewer than two elements name no id and are skipped.
#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

class CLanguageTable {
public:
    CLanguageTable() = default;
    explicit CLanguageTable(const QString &text);

    // The id of the first language of that name; empty when there is none.
    QString IdOf(const QString &name) const;
    // The name of the first language with that id; empty when there is
    // none, "No language table" when the table is empty.
    QString NameOf(const QString &id) const;
    // Every language's name, in table order.
    QStringList Names() const;

private:
    struct Entry {
        QString name;
        // Its first prompt-file pair, split: {file, id, ...}.
        QStringList firstPair;
    };
    QList<Entry> m_entries;
    bool m_empty = true;
};
