// The server's language table; see languagetable.h.
#include "admin/config/records/languagetable.h"

#include "admin/session/tcllist.h"

CLanguageTable::CLanguageTable(const QString &text)
{
    const CTclList splitter;
    QStringList entries;
    splitter.SplitList(text, entries);
    m_empty = entries.isEmpty();
    for (const QString &entry : std::as_const(entries)) {
        QStringList elements;
        splitter.SplitList(entry, elements);
        if (elements.size() < 2)
            continue;
        Entry found{elements[0], {}};
        splitter.SplitList(elements[1], found.firstPair);
        m_entries.append(found);
    }
}

QString CLanguageTable::IdOf(const QString &name) const
{
    for (const Entry &entry : m_entries)
        if (entry.name == name)
            return entry.firstPair.size() >= 2 ? entry.firstPair[1] : QString();
    return {};
}

QString CLanguageTable::NameOf(const QString &id) const
{
    if (m_empty)
        return QStringLiteral("No language table");
    for (const Entry &entry : m_entries)
        if (entry.firstPair.size() > 1 && entry.firstPair[1] == id)
            return entry.name;
    return {};
}

QStringList CLanguageTable::Names() const
{
    QStringList names;
    for (const Entry &entry : m_entries)
        names.append(entry.name);
    return names;
}
